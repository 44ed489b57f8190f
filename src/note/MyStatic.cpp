#include "note/MyStatic.h"

#include "note/LabelAccessibility.h"
#include "note/NoteText.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

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
        painter.drawText(rect(),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         painted_);
}
