// Dialog units and the dialog font follow the desktop's font size; the toolkit's default
// font keeps every layout to the pixel as drawn.

#include "dialogs/DialogFont.h"
#include "platform/DialogUnits.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

TEST(DialogScale, TheDefaultFontKeepsEveryLengthAndALargerOneGrowsThem)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9); // Qt's own default desktop font
    EXPECT_EQ(DesktopFontScale(font), 1000);
    SetDialogScale(DesktopFontScale(font));
    for (int units = 0; units <= 400; ++units) {
        ASSERT_EQ(DluX(units), units * 6 / 4) << units;
        ASSERT_EQ(DluY(units), units * 13 / 8) << units;
        ASSERT_EQ(Scaled(units), units) << units;
    }
    EXPECT_EQ(DialogFont().pixelSize(), 11);

    font.setPointSize(14); // 19 pixels at 96 DPI
    EXPECT_EQ(DesktopFontScale(font), 1583);
    SetDialogScale(DesktopFontScale(font));
    EXPECT_EQ(DluSize(173, 206), QSize(410, 529)); // the panel
    EXPECT_EQ(DialogFont().pixelSize(), 17);
    EXPECT_EQ(QSize(Scaled(72), Scaled(64)), QSize(113, 101)); // a template's icon slot

    // A tiny or absurd desktop font keeps the windows usable.
    font.setPixelSize(2);
    EXPECT_EQ(DesktopFontScale(font), 750);
    font.setPixelSize(400);
    EXPECT_EQ(DesktopFontScale(font), 3000);
    SetDialogScale(1000);
}

} // namespace
