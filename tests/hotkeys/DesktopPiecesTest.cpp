// The real key grabber, tray icon and program icon on a desktop without X or a tray.

#include "platform/AppIcon.h"
#include "platform/SystemTrayIcon.h"
#include "platform/X11HotKeyGrabber.h"

#include <QImage>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

namespace {

TEST(DesktopPieces, WithoutAnXDisplayNoKeyCanBeBound)
{
    X11HotKeyGrabber grabber;
    EXPECT_FALSE(grabber.grab(10, 6, 'C'));
    EXPECT_FALSE(grabber.grab(11, 14, 0));
    grabber.release(10); // nothing bound: harmless
    grabber.release(99);
}

TEST(DesktopPieces, WithoutATrayHostTheIconComesAndGoesQuietly)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    SystemTrayIcon tray;
    int gestures = 0;
    QObject::connect(&tray, &TrayIcon::activated, [&] { ++gestures; });
    tray.add("Pinleaf", true, "Title", "Text");
    tray.add("Pinleaf", false, "", "");
    tray.remove();
    tray.remove();
    EXPECT_EQ(gestures, 0);
}

TEST(DesktopPieces, ProgramIconIsAYellowNoteOnATransparentGround)
{
    QIcon icon = AppIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48}) {
        QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0) << size; // outside the sheet
        QColor middle = image.pixelColor(size / 2, size * 27 / 32);
        EXPECT_GT(middle.red(), 200) << size;
        EXPECT_GT(middle.green(), 180) << size;
        EXPECT_LT(middle.blue(), 120) << size;
    }
}

} // namespace
