#include "widgets/MyStatic.h"

#include "widgets/LabelAccessibility.h"
#include "widgets/NoteText.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

CMyStatic::CMyStatic(Mode mode, QWidget* parent) : QWidget(parent), mode_(mode)
{
    InstallLabelAccessibility();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CMyStatic::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    painted_ = mode_ == Mode::WordWrap ? WrappedLabelText(text_) : QString();
    update();
    // The note window takes its name from its text label.
    for (QObject* named : {static_cast<QObject*>(this), static_cast<QObject*>(window())}) {
        QAccessibleEvent changed(named, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void CMyStatic::SetTextColor(const QColor& color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    update();
}

void CMyStatic::SetBackColor(const QColor& color)
{
    if (color == backColor_)
        return;
    backColor_ = color;
    update();
}

void CMyStatic::changeEvent(QEvent* event)
{
    // A new font (or style) redraws the text, and in EndEllipsis mode moves the "…".
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        update();
    QWidget::changeEvent(event);
}

QString CMyStatic::shownText() const
{
    if (mode_ == Mode::EndEllipsis)
        return fontMetrics().elidedText(text_, Qt::ElideRight, width());
    return text_;
}

void CMyStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backColor_);
    if (text_.isEmpty())
        return;
    painter.setPen(textColor_);
    painter.setFont(font());
    if (mode_ == Mode::EndEllipsis)
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shownText());
    else
        DrawWrapped(painter, rect(), painted_);
}

void CMyStatic::DrawWrapped(QPainter& painter, const QRect& area, const QString& marked)
{
    // "&x" underlines x and "&&" is one "&", as a static control shows them.
    QString text;
    text.reserve(marked.size());
    QList<QTextLayout::FormatRange> underlines;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == QLatin1Char('&') && i + 1 < marked.size()) {
            ++i;
            if (marked[i] != QLatin1Char('&')) {
                QTextLayout::FormatRange range;
                range.start = int(text.size());
                range.length = 1;
                range.format.setFontUnderline(true);
                underlines.append(range);
            }
        }
        text += marked[i];
    }
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    // Lines break between words, and a word wider than the label inside itself, as the
    // editor breaks them: the note shows all that was typed, where it was typed.
    QTextLayout layout(text, painter.font());
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setFormats(underlines);
    const qreal leading = QFontMetricsF(painter.font()).leading();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0, y));
        y += line.height() + leading;
        if (y > area.height() + line.height())
            break; // nothing further shows
    }
    layout.endLayout();
    layout.draw(&painter, area.topLeft());
}
