// The real key grabber, tray icon and program icon on a desktop without X or a tray.

#include "platform/AppIcon.h"
#include "platform/AppId.h"
#include "platform/SystemTrayIcon.h"
#include "platform/X11HotKeyGrabber.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSystemTrayIcon>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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
    QIcon icon = BuiltInAppIcon();
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

// An icon theme in a folder of its own holding the program's icon as given per size.
void MakeTheme(const QTemporaryDir& folder, const std::function<QImage(int)>& picture)
{
    QDir root(folder.path());
    root.mkpath(QStringLiteral("hicolor"));
    QFile index(root.filePath(QStringLiteral("hicolor/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    QByteArray text = "[Icon Theme]\nName=hicolor\nDirectories=";
    for (int size : {16, 32, 48, 256})
        text += QByteArray::number(size) + "x" + QByteArray::number(size) + "/apps,";
    text += "\n";
    for (int size : {16, 32, 48, 256}) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        text += "[" + dir.toLatin1() + "]\nSize=" + QByteArray::number(size) + "\nType=Fixed\n";
        root.mkpath(QStringLiteral("hicolor/") + dir);
        const QString id = QString::fromLatin1(AppId.data(), qsizetype(AppId.size()));
        ASSERT_TRUE(
            picture(size).save(root.filePath(QStringLiteral("hicolor/%1/%2.png").arg(dir, id))));
    }
    index.write(text);
    QIcon::setThemeSearchPaths({folder.path()});
    QIcon::setThemeName(QStringLiteral("hicolor"));
}

TEST(DesktopPieces, AThemedIconReachesTheWindowsInSmallSizesOnlyAndOnlyWhenItDiffers)
{
    QTemporaryDir installed;
    MakeTheme(installed, [](int size) { return DrawAppIcon(size); });
    QGuiApplication::setWindowIcon(BuiltInAppIcon());
    // The installed copy is the built-in drawing: the windows keep what they carry.
    EXPECT_FALSE(UseThemedAppIcon());

    QTemporaryDir restyled;
    MakeTheme(restyled, [](int size) {
        QImage square(size, size, QImage::Format_ARGB32);
        square.fill(Qt::blue);
        return square;
    });
    ASSERT_TRUE(UseThemedAppIcon());
    const QIcon icon = QGuiApplication::windowIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    EXPECT_EQ(icon.pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::blue));
}

} // namespace
