// The real key grabber, tray icon and program icon on a desktop without X or a tray.

#include "hotkeys/KeyCodes.h"
#include "platform/ActionChannel.h"
#include "platform/AppIcon.h"
#include "platform/AppId.h"
#include "platform/SystemTrayIcon.h"
#include "platform/x11/X11HotKeyGrabber.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSystemTrayIcon>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <future>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

TEST(DesktopPieces, WithoutAnXDisplayNoKeyCanBeBound)
{
    X11HotKeyGrabber grabber;
    EXPECT_FALSE(grabber.grab(10, HotKeyCombination(6, 'C')));
    EXPECT_FALSE(grabber.grab(11, HotKeyCombination(14, 0)));
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

// A caller writing raw bytes: what a confused or hostile program could send.
struct RawCaller {
    explicit RawCaller(const QString& path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
        connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~RawCaller() { ::close(fd); }
    // What the server sends until it hangs up or waitMs pass, serving its event loop.
    QByteArray Answer(int waitMs)
    {
        QByteArray answer;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < waitMs) {
            QCoreApplication::processEvents();
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 10) <= 0)
                continue;
            char buffer[64];
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return answer + "<hung up>";
            answer.append(buffer, qsizetype(got));
        }
        return answer;
    }
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bool connected = false;
};

TEST(DesktopPieces, TheActionSocketIsPrivateAnswersEachLineAndHangsUpOnGarbage)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("actions"));
    EXPECT_EQ(SendAction(path, QStringLiteral("new-note"), 500), SendResult::NoCopyRunning);

    ActionServer server;
    ASSERT_TRUE(server.listen(path)) << server.errorString().toStdString();
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u) << "others may connect";
    QStringList received;
    QObject::connect(&server, &ActionServer::actionReceived,
                     [&received](const QString& action) { received << action; });

    // The real caller blocks for its receipt: it runs beside this event loop.
    auto sent = std::async(std::launch::async,
                           [&] { return SendAction(path, QStringLiteral("new-note"), 2000); });
    while (sent.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_EQ(sent.get(), SendResult::Delivered);
    EXPECT_EQ(received, QStringList{QStringLiteral("new-note")});

    // Two lines in one write: two receipts, two actions, in order.
    RawCaller two(path);
    ASSERT_TRUE(two.connected);
    ASSERT_EQ(::write(two.fd, "show-panel\nhide\n", 16), 16);
    EXPECT_EQ(two.Answer(300), "ok\nok\n");
    EXPECT_EQ(received, QStringList({"new-note", "show-panel", "hide"}));

    // A line longer than any action: no receipt, no action, the caller is hung up on.
    RawCaller garbage(path);
    const QByteArray endless(200, 'x');
    ASSERT_EQ(::write(garbage.fd, endless.constData(), std::size_t(endless.size())), 200);
    EXPECT_EQ(garbage.Answer(1000), "<hung up>");
    EXPECT_EQ(received.size(), 3);
}

} // namespace
