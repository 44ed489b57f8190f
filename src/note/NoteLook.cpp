#include "note/NoteLook.h"

#include "platform/Platform.h"

#include <QDate>
#include <QLocale>
#include <QPolygon>
#include <QRegularExpression>
#include <QTime>

#include <cmath>
#include <random>

namespace {

struct SizeEntry {
    int width;
    int height;
};
constexpr SizeEntry kSizes[] = {{120, 140}, {132, 152}, {145, 165},
                                {150, 110}, {162, 122}, {175, 135}};

struct ColorEntry {
    int fill[3];
    int frame[3];
};
constexpr ColorEntry kColors[] = {
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
};

constexpr int kCornerEllipse = 13; // rounded corners
constexpr int kCut = 9;            // diagonal corner cuts

// A rectangle with corners rounded by an ellipse of ew x eh, built row by row so the
// pixels are exactly those whose centres lie inside the corner ellipses.
QRegion RoundedRegion(int w, int h, int ew, int eh)
{
    const double rx = ew / 2.0;
    const double ry = eh / 2.0;
    QRegion region;
    for (int y = 0; y < h; ++y) {
        // Distance of the pixel centre from the nearer corner-ellipse centre, vertically.
        double cy = y + 0.5;
        double dy = 0;
        if (cy < ry)
            dy = ry - cy;
        else if (cy > h - ry)
            dy = cy - (h - ry);
        int inset = 0;
        if (dy > 0) {
            double ratio = dy / ry;
            double dx = rx * std::sqrt(std::max(0.0, 1.0 - ratio * ratio));
            inset = static_cast<int>(std::ceil(rx - dx - 0.5));
            inset = std::max(inset, 0);
        }
        if (w - 2 * inset > 0)
            region += QRect(inset, y, w - 2 * inset, 1);
    }
    return region;
}

QRegion PolygonRegion(std::initializer_list<QPoint> points, Qt::FillRule rule)
{
    return QRegion(QPolygon(QList<QPoint>(points)), rule);
}

} // namespace

QSize NoteSizePixels(int size)
{
    if (size < 0 || size >= static_cast<int>(std::size(kSizes)))
        return {200, 200};
    return {kSizes[size].width, kSizes[size].height};
}

NotePalette NoteColors(int color)
{
    if (color < 0 || color >= static_cast<int>(std::size(kColors)))
        color = NoteColor::Yellow;
    const ColorEntry& e = kColors[color];
    return {QColor(e.fill[0], e.fill[1], e.fill[2]), QColor(e.frame[0], e.frame[1], e.frame[2])};
}

bool IsRectangular(int shape)
{
    return shape <= NoteShape::Rectangle || shape > NoteShape::CutTRBL;
}

QRegion NoteRegion(int shape, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    switch (shape) {
    case NoteShape::RoundTop: // reaches 10 px below the window, so only the top corners round
        return RoundedRegion(w, h + 10, kCornerEllipse, kCornerEllipse) & QRegion(0, 0, w, h);
    case NoteShape::RoundAll:
        return RoundedRegion(w, h, kCornerEllipse, kCornerEllipse);
    case NoteShape::CutBR:
        return PolygonRegion({{0, 0}, {w, 0}, {w, h - kCut}, {w - kCut, h}, {0, h}},
                             Qt::OddEvenFill);
    case NoteShape::CutBL:
        return PolygonRegion({{0, 0}, {w, 0}, {w, h}, {kCut, h}, {0, h - kCut}}, Qt::OddEvenFill);
    case NoteShape::CutTLBR:
        return PolygonRegion({{kCut, 0}, {w, 0}, {w, h - kCut}, {w - kCut, h}, {0, h}, {0, kCut}},
                             Qt::WindingFill);
    case NoteShape::CutTRBL:
        return PolygonRegion({{0, 0}, {w - kCut, 0}, {w, kCut}, {w, h}, {kCut, h}, {0, h - kCut}},
                             Qt::WindingFill);
    default:
        return QRegion(0, 0, w, h);
    }
}

QRegion RegionFrame(const QRegion& region)
{
    // A pixel is inside the frame when one of its four neighbours is outside the region.
    QRegion inner = region & region.translated(1, 0) & region.translated(-1, 0) &
                    region.translated(0, 1) & region.translated(0, -1);
    return region - inner;
}

NoteLayout NoteLayoutFor(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    return {QRect(0, 0, w, 15), QRect(8, 23, w - 16, h - 46), QRect(8, h - 19, w - 16, 15)};
}

QString FormatCreationTime(const SystemTime& time)
{
    const QLocale locale = platform().locale();
    QDate date(time.year, time.month, time.day);
    QTime clock(time.hour, time.minute);
    QString datePart = date.isValid() ? locale.toString(date, QLocale::ShortFormat) : QString();
    // A short format that still carries seconds loses them (with their separator). Worked
    // out once per format: every note opening asks.
    static QString shortFormat;
    static QString timeFormat;
    if (const QString asked = locale.timeFormat(QLocale::ShortFormat);
        timeFormat.isEmpty() || asked != shortFormat) {
        static const QRegularExpression seconds(QStringLiteral("[:.]?s+"));
        shortFormat = asked;
        timeFormat = QString(asked).remove(seconds).trimmed();
    }
    QString timePart = clock.isValid() ? locale.toString(clock, timeFormat) : QString();
    return datePart + QLatin1Char(' ') + timePart;
}

int RandomLookValue(int count, int differentFrom)
{
    std::mt19937 generator(static_cast<std::mt19937::result_type>(platform().secondsSinceEpoch()));
    std::uniform_int_distribution<int> pick(0, count - 1);
    int value = pick(generator);
    while (value == differentFrom && count > 1)
        value = pick(generator);
    return value;
}
