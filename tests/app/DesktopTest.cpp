// What the running program hands to the desktop: opened targets and the window system.

#include "app/NoteApp.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFontDialog>
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
