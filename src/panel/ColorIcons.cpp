#include "panel/ColorIcons.h"

#include "note/NoteLook.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr int kRandomIndex = 10;

// The note body sits inside a small transparent margin; a caption strip in the frame
// colour runs along its top and a few text lines cross the body.
void DrawNote(QPainter& painter, int size, const QColor& frame, const QColor* bands, int bandCount)
{
    const int margin = size / 8;
    const QRect body(margin, margin, size - 2 * margin, size - 2 * margin);
    const int bandWidth = (body.width() + bandCount - 1) / bandCount;
    for (int i = 0; i < bandCount; ++i) {
        QRect band(body.left() + i * bandWidth, body.top(), bandWidth, body.height());
        painter.fillRect(band.intersected(body), bands[i]);
    }
    const int strip = std::max(2, size / 6);
    painter.fillRect(QRect(body.left(), body.top(), body.width(), strip), frame);
    painter.setPen(frame);
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    const int lineGap = std::max(2, size / 8);
    for (int y = body.top() + strip + lineGap; y < body.bottom() - lineGap / 2; y += lineGap)
        painter.drawLine(body.left() + lineGap, y, body.right() - lineGap, y);
}

} // namespace

// The icons use the notes' own palette; anything outside it shows gray.
QColor NoteIconFill(int color)
{
    return NoteColors(color < 0 || color > 9 ? NoteColor::Gray : color).fill;
}

QColor NoteIconFrame(int color)
{
    return NoteColors(color < 0 || color > 9 ? NoteColor::Gray : color).frame;
}

QPixmap ColorIconPixmap(int index, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (index >= 0 && index < kRandomIndex) {
        const QColor fill = NoteIconFill(index);
        DrawNote(painter, size, NoteIconFrame(index), &fill, 1);
    } else {
        const QColor bands[] = {NoteIconFill(0), NoteIconFill(2), NoteIconFill(3), NoteIconFill(5)};
        DrawNote(painter, size, NoteIconFrame(8), bands, 4);
    }
    return pixmap;
}

QIcon ColorIcon(int index)
{
    QIcon icon;
    icon.addPixmap(ColorIconPixmap(index, kLargeIconSize));
    icon.addPixmap(ColorIconPixmap(index, kSmallIconSize));
    return icon;
}
