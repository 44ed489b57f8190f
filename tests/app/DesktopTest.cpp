// What the running program hands to the desktop: opened targets and the window system.

#include "app/NoteApp.h"
#include "platform/Autostart.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

TEST(TargetUrlTest, WebAddressesStayAndFilesComeFromTheCurrentFolder)
{
    EXPECT_EQ(TargetUrl("https://example.org/a?b=1"), QUrl("https://example.org/a?b=1"));
    EXPECT_EQ(TargetUrl("Help.chm"), QUrl::fromLocalFile(QDir::currentPath() + "/Help.chm"));
    EXPECT_EQ(TargetUrl("my notes.txt"),
              QUrl::fromLocalFile(QDir::currentPath() + "/my notes.txt"));
    EXPECT_EQ(TargetUrl("/tmp/x.txt"), QUrl::fromLocalFile("/tmp/x.txt"));
    // A shell would see a command here; the desktop sees a file name.
    EXPECT_EQ(TargetUrl("a; rm -rf b").scheme(), "file");
}

// Sets or clears an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string Chosen()
{
    const char* value = std::getenv("QT_QPA_PLATFORM");
    return value ? value : "(unset)";
}

TEST(ChooseWindowSystemTest, XIsChosenOnlyWhenTheUserChoseNothingAndADisplayIsThere)
{
    {
        ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
        ScopedEnv display("DISPLAY", ":7");
        ChooseWindowSystem();
        EXPECT_EQ(Chosen(), "xcb");
    }
    {
        ScopedEnv platform("QT_QPA_PLATFORM", "wayland");
        ScopedEnv display("DISPLAY", ":7");
        ChooseWindowSystem();
        EXPECT_EQ(Chosen(), "wayland");
    }
    {
        ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
        ScopedEnv display("DISPLAY", nullptr);
        ChooseWindowSystem();
        EXPECT_EQ(Chosen(), "(unset)");
    }
}

// The autostart launcher runs "pinleaf" only when PATH finds this very program (here
// through a link), else this program's path; a start rewrites a launcher of another
// copy and leaves a current one as it is.
TEST(AutostartTest, ExecFollowsWhichProgramPathFindsAndAStartRewritesAStaleLauncher)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string config = dir.filePath("config").toStdString();
    const std::string linked = dir.filePath("linked").toStdString();
    const std::string other = dir.filePath("other").toStdString();
    ScopedEnv configHome("XDG_CONFIG_HOME", config.c_str());
    ScopedEnv path("PATH", "/nonexistent");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("linked")) && QDir().mkpath(dir.filePath("other")));
    ASSERT_TRUE(
        QFile::link(QCoreApplication::applicationFilePath(), dir.filePath("linked/pinleaf")));
    QFile impostor(dir.filePath("other/pinleaf"));
    ASSERT_TRUE(impostor.open(QIODevice::WriteOnly));
    impostor.write("#!/bin/sh\n");
    impostor.close();
    impostor.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto exec = [] {
        QFile file(AutostartFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        const qsizetype at = text.indexOf("\nExec=");
        return at < 0 ? text : text.mid(at + 6, text.indexOf('\n', at + 1) - at - 6);
    };
    const QString self = "\"" + QCoreApplication::applicationFilePath() + "\"";
    QString error;

    EXPECT_TRUE(RefreshStartAtLogin(&error)); // off stays off
    EXPECT_FALSE(QFile::exists(AutostartFile()));
    ASSERT_TRUE(SetStartAtLogin(true, &error)) << error.toStdString();
    EXPECT_EQ(exec(), self.toUtf8());

    // Installed where PATH finds it: the next start writes the plain name.
    setenv("PATH", (linked + ":/nonexistent").c_str(), 1);
    EXPECT_EQ(AutostartCommand(), "pinleaf");
    ASSERT_TRUE(RefreshStartAtLogin(&error)) << error.toStdString();
    EXPECT_EQ(exec(), "pinleaf");
    // A current launcher is not written again (a line the user added stays).
    QFile file(AutostartFile());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("X-Added=1\n");
    file.close();
    ASSERT_TRUE(RefreshStartAtLogin(&error));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("X-Added=1\n"));
    file.close();

    // Another program named pinleaf comes first on PATH: back to this one's path.
    setenv("PATH", (other + ":" + linked).c_str(), 1);
    ASSERT_TRUE(RefreshStartAtLogin(&error));
    EXPECT_EQ(exec(), self.toUtf8());
}

TEST(FontDialogTest, OkWithoutAChangeLeavesTheStoredFontAsItWas)
{
    // A face this system substitutes, and weight 0, as stores written elsewhere hold.
    LogFont stored;
    stored.setFace("MS Sans Serif");
    stored.height = -13;
    stored.weight = 0;
    QtPlatform desktop;
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            dialog->accept();
        }
    });
    const std::optional<LogFont> chosen = desktop.chooseFont(nullptr, stored);
    ASSERT_TRUE(seen);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->face(), "MS Sans Serif");
    EXPECT_EQ(chosen->weight, 0);
    EXPECT_EQ(chosen->height, -13);
}

} // namespace
