#include "panel/ColorIcons.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

struct NoteColors {
    QColor fill;
    QColor frame;
};

const std::array<NoteColors, 10> kPalette = {{
    {{250, 200, 200}, {150, 100, 100}}, // Red
    {{250, 200, 150}, {150, 100, 50}},  // Orange
    {{250, 250, 150}, {150, 150, 100}}, // Yellow
    {{200, 250, 200}, {100, 150, 100}}, // Green1
    {{200, 250, 150}, {100, 150, 50}},  // Green2
    {{200, 200, 250}, {100, 100, 150}}, // Blue1
    {{200, 250, 250}, {100, 150, 150}}, // Blue2
    {{250, 200, 250}, {150, 100, 150}}, // Violet
    {{230, 230, 230}, {130, 130, 130}}, // Gray
    {{250, 250, 250}, {150, 150, 150}}, // White
}};

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

QColor NoteIconFill(int color)
{
    return (color < 0 || color > 9) ? kPalette[8].fill : kPalette[static_cast<std::size_t>(color)].fill;
}

QColor NoteIconFrame(int color)
{
    return (color < 0 || color > 9) ? kPalette[8].frame : kPalette[static_cast<std::size_t>(color)].frame;
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
