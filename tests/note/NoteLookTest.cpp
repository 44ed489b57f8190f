#include "note/NoteLook.h"
#include "note/SizeTable.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(NoteLook, EverySizeAndItsLabelLayout)
{
    for (const SizeRow& row : kSizeRows) {
        SCOPED_TRACE(row.size);
        QSize size = NoteSizePixels(row.size);
        EXPECT_EQ(size, QSize(row.w, row.h));
        NoteLayout layout = NoteLayoutFor(size);
        EXPECT_EQ(layout.caption, QRect(0, 0, row.w, 15));
        EXPECT_EQ(layout.text, row.text);
        EXPECT_EQ(layout.signature, row.signature);
    }
    EXPECT_EQ(NoteSizePixels(-1), QSize(200, 200));
    EXPECT_EQ(NoteSizePixels(1000), QSize(200, 200));
}

TEST(NoteLook, PaletteAndItsYellowFallback)
{
    const int fills[10][3] = {{250, 200, 200}, {250, 200, 150}, {250, 250, 150}, {200, 250, 200},
                              {200, 250, 150}, {200, 200, 250}, {200, 250, 250}, {250, 200, 250},
                              {230, 230, 230}, {250, 250, 250}};
    const int frames[10][3] = {{150, 100, 100}, {150, 100, 50},  {150, 150, 100}, {100, 150, 100},
                               {100, 150, 50},  {100, 100, 150}, {100, 150, 150}, {150, 100, 150},
                               {130, 130, 130}, {150, 150, 150}};
    for (int c = 0; c < 10; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(NoteColors(c).fill, QColor(fills[c][0], fills[c][1], fills[c][2]));
        EXPECT_EQ(NoteColors(c).frame, QColor(frames[c][0], frames[c][1], frames[c][2]));
    }
    for (int c : {-1, 10, 12, 1 << 30}) {
        EXPECT_EQ(NoteColors(c).fill, QColor(250, 250, 150));
        EXPECT_EQ(NoteColors(c).frame, QColor(150, 150, 100));
    }
}

// Which of the four corner pixels (and their neighbours) a region keeps.
bool In(const QRegion& r, int x, int y)
{
    return r.contains(QPoint(x, y));
}

TEST(NoteLook, RoundedShapesUseA13PixelCornerEllipse)
{
    const int w = 120, h = 140;
    QRegion all = NoteRegion(NoteShape::RoundAll, {w, h});
    for (auto [x, y] :
         {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {1, 1}, {w - 2, h - 2}})
        EXPECT_FALSE(In(all, x, y)) << x << "," << y;
    // Row 0 starts 4 px in; column 0 starts 4 px down; the middle of each edge is full.
    EXPECT_TRUE(In(all, 4, 0));
    EXPECT_FALSE(In(all, 3, 0));
    EXPECT_TRUE(In(all, 0, 4));
    EXPECT_FALSE(In(all, 0, 3));
    EXPECT_TRUE(In(all, w - 5, 0));
    EXPECT_TRUE(In(all, w - 1, h - 5));
    EXPECT_TRUE(In(all, 0, 6));
    EXPECT_TRUE(In(all, 6, h - 1));
    EXPECT_EQ(all.boundingRect(), QRect(0, 0, w, h));

    QRegion top = NoteRegion(NoteShape::RoundTop, {w, h});
    EXPECT_FALSE(In(top, 0, 0));
    EXPECT_FALSE(In(top, w - 1, 0));
    EXPECT_TRUE(In(top, 0, h - 1)); // square at the bottom
    EXPECT_TRUE(In(top, w - 1, h - 1));
    EXPECT_TRUE(In(top, 4, 0));
    EXPECT_EQ(top.boundingRect(), QRect(0, 0, w, h));
}

TEST(NoteLook, CutShapesCutNinePixelDiagonals)
{
    const int w = 150, h = 110;
    struct Corner {
        int x, y;   // the corner pixel
        int dx, dy; // towards the inside
    };
    const Corner tl{0, 0, 1, 1}, tr{w - 1, 0, -1, 1}, bl{0, h - 1, 1, -1}, br{w - 1, h - 1, -1, -1};
    auto cut = [](const QRegion& r, Corner c) {
        // The corner and the pixel 8 along the edge are gone; 9 along the edge stays.
        return !In(r, c.x, c.y) && !In(r, c.x + 7 * c.dx, c.y) && !In(r, c.x, c.y + 7 * c.dy) &&
               In(r, c.x + 9 * c.dx, c.y) && In(r, c.x, c.y + 9 * c.dy) &&
               In(r, c.x + 5 * c.dx, c.y + 5 * c.dy);
    };
    auto square = [](const QRegion& r, Corner c) { return In(r, c.x, c.y); };

    QRegion r = NoteRegion(NoteShape::CutBR, {w, h});
    EXPECT_TRUE(cut(r, br));
    EXPECT_TRUE(square(r, tl) && square(r, tr) && square(r, bl));
    r = NoteRegion(NoteShape::CutBL, {w, h});
    EXPECT_TRUE(cut(r, bl));
    EXPECT_TRUE(square(r, tl) && square(r, tr) && square(r, br));
    r = NoteRegion(NoteShape::CutTLBR, {w, h});
    EXPECT_TRUE(cut(r, tl) && cut(r, br));
    EXPECT_TRUE(square(r, tr) && square(r, bl));
    r = NoteRegion(NoteShape::CutTRBL, {w, h});
    EXPECT_TRUE(cut(r, tr) && cut(r, bl));
    EXPECT_TRUE(square(r, tl) && square(r, br));
}

TEST(NoteLook, RectangleAndUnknownShapesCoverTheWindow)
{
    for (int shape : {0, -3, 7, 40}) {
        EXPECT_TRUE(IsRectangular(shape));
        EXPECT_EQ(NoteRegion(shape, {120, 140}), QRegion(0, 0, 120, 140));
    }
    for (int shape = 1; shape <= 6; ++shape)
        EXPECT_FALSE(IsRectangular(shape));
}

TEST(NoteLook, FrameIsTheEdgeOfTheRegion)
{
    QRegion frame = RegionFrame(QRegion(0, 0, 10, 8));
    EXPECT_TRUE(frame.contains(QPoint(0, 0)));
    EXPECT_TRUE(frame.contains(QPoint(9, 7)));
    EXPECT_TRUE(frame.contains(QPoint(5, 7)));
    EXPECT_FALSE(frame.contains(QPoint(1, 1)));
    EXPECT_FALSE(frame.contains(QPoint(8, 6)));
    // Along a cut the frame follows the diagonal.
    QRegion cutFrame = RegionFrame(NoteRegion(NoteShape::CutBR, {150, 110}));
    EXPECT_TRUE(cutFrame.contains(QPoint(145, 105)));
    EXPECT_FALSE(cutFrame.contains(QPoint(149, 109)));
    EXPECT_FALSE(cutFrame.contains(QPoint(140, 100)));
}

TEST(NoteLook, CreationTimeInTheUserLocaleWithoutSeconds)
{
    FakePlatform fake;
    SystemTime t{2007, 3, 1, 5, 14, 7, 9, 0};
    fake.userLocale = QLocale(QLocale::Russian, QLocale::Russia); // dd.MM.yyyy HH:mm
    EXPECT_EQ(FormatCreationTime(t), QStringLiteral("05.03.2007 14:07"));
    fake.userLocale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(FormatCreationTime(t), QStringLiteral("05/03/2007 14:07"));
    fake.userLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    QString us = FormatCreationTime(t);
    EXPECT_TRUE(us.startsWith(QStringLiteral("3/5/07 2:07"))) << us.toStdString();
    EXPECT_FALSE(us.contains(QStringLiteral(":09")));
    // A record with no time stamp shows no date rather than garbage.
    fake.userLocale = QLocale(QLocale::Russian, QLocale::Russia);
    EXPECT_EQ(FormatCreationTime(SystemTime{}).trimmed(), QStringLiteral("00:00"));
}

TEST(NoteLook, RandomValuesAvoidTheCurrentOne)
{
    FakePlatform fake;
    std::set<int> seen;
    for (int second = 0; second < 200; ++second) {
        fake.seconds = second;
        int any = RandomLookValue(10);
        ASSERT_GE(any, 0);
        ASSERT_LT(any, 10);
        seen.insert(any);
        for (int current = 0; current < 7; ++current)
            ASSERT_NE(RandomLookValue(7, current), current);
    }
    EXPECT_EQ(seen.size(), 10u); // every colour can come up
    // Same second, same draw: the clock is the only seed.
    fake.seconds = 1234;
    EXPECT_EQ(RandomLookValue(10), RandomLookValue(10));
}

} // namespace
