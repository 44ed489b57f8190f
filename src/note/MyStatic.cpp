#include "note/MyStatic.h"

#include "note/NoteText.h"

#include <QFontMetrics>
#include <QPainter>

CMyStatic::CMyStatic(Mode mode, QWidget* parent) : QWidget(parent), mode_(mode)
{
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
