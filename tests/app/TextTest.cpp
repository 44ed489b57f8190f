// The crossing between stored byte strings and font descriptions and Qt.

#include "platform/Text.h"

#include <QFontDatabase>

#include <climits>
#include <gtest/gtest.h>

namespace {

TEST(StoredText, Utf8StaysUtf8AndOtherBytesReadAsWindows1252)
{
    EXPECT_EQ(ToQt("Th\xc3\xa9 \xe2\x82\xac"), QString::fromUtf8("Th\u00e9 \u20ac"));
    // Written on Windows: e acute, the euro sign and an opening quote in Windows-1252.
    EXPECT_EQ(ToQt("Caf\xe9 \x80 \x93"), QString::fromUtf8("Caf\u00e9 \u20ac \u201c"));
    // The five bytes Windows-1252 leaves unused come through as their own code points.
    EXPECT_EQ(ToQt("\x81\xe9"), QString(QChar(0x81)) + QChar(0xe9));
    EXPECT_EQ(FromQt(QString::fromUtf8("Caf\u00e9")), "Caf\xc3\xa9");
    EXPECT_EQ(FromQt(ToQt(std::string("a\0b", 3))), std::string("a\0b", 3));
}

TEST(StoredFont, HeightsWeightsAndFlagsBecomeAQtFont)
{
    LogFont lf;
    lf.setFace("Arial");
    lf.height = -11;
    QFont font = ToQFont(lf);
    EXPECT_EQ(font.pixelSize(), 11);
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_EQ(font.weight(), QFont::Normal); // weight 0: no particular weight
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());

    lf.height = 20; // a cell height: the character is smaller
    lf.weight = 700;
    lf.italic = lf.underline = lf.strikeOut = 1;
    font = ToQFont(lf);
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic() && font.underline() && font.strikeOut());

    lf.setFace("MS Shell Dlg 2");
    EXPECT_EQ(ToQFont(lf).family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());

    const LogFont back = FromQFont(font, lf);
    EXPECT_EQ(back.height, -16);
    EXPECT_EQ(back.weight, 700);
    EXPECT_EQ(back.italic + back.underline + back.strikeOut, 3);
}

TEST(StoredFont, DamagedHeightsStayDrawable)
{
    LogFont lf;
    lf.setFace("Arial");
    for (int height : {INT_MIN, -1000000, INT_MAX, 1000000}) {
        lf.height = height;
        const int pixels = ToQFont(lf).pixelSize();
        EXPECT_GE(pixels, 1) << height;
        EXPECT_LE(pixels, 512) << height;
    }
    lf.height = 1; // rounds to nothing, still one pixel
    EXPECT_EQ(ToQFont(lf).pixelSize(), 1);
}

} // namespace
