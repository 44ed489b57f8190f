#pragma once
// A platform for tests: scripted answers, recorded requests, a fixed clock, screen and pointer.

#include "hotkeys/HotKeyGrabber.h"
#include "platform/Platform.h"
#include "platform/TrayIcon.h"

#include <QDialog>
#include <QLocale>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

struct AskedQuestion {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
};

class FakeHotKeyGrabber : public HotKeyGrabber {
public:
    struct Call {
        bool grab; // false: release
        int id;
        QKeyCombination keys;
    };
    std::vector<Call> calls;
    std::map<int, QKeyCombination> live;
    std::vector<QKeyCombination> ownedByOthers;

    bool grab(int id, QKeyCombination keys) override;
    void release(int id) override;
    // Simulates a press of whatever is bound to id.
    void press(int id) { emit pressed(id); }
};

class FakeTrayIcon : public TrayIcon {
public:
    struct Add {
        QString tip;
        bool balloon;
        QString title;
        QString text;
    };
    std::vector<Add> adds;
    int removes = 0;
    bool present = false;
    QMenu* menu = nullptr;

    void add(const QString& tip, bool balloon, const QString& title, const QString& text) override;
    void remove() override;
    void setMenu(QMenu* m) override { menu = m; }
    void gesture(Gesture g) { emit activated(g); }
};

class FakePlatform;
// Whether exactly one help request reached the desktop: Help.chm or the HTML index
// opened, or (with no help files beside the test program) the message saying where the
// help belongs.
bool HelpOffered(const FakePlatform& fake);

class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    QRect desktop{0, 0, 1280, 1024};
    QRect work; // null: the whole desktop
    QPoint cursor{640, 512};
    SystemTime clock{2024, 6, 3, 12, 9, 30, 15, 0}; // Wed 12 June 2024 09:30:15
    std::int64_t seconds = 1718184615;
    QLocale userLocale{QLocale::English, QLocale::UnitedStates};

    // Answers for ask(): popped front; when empty, answers defaultAnswer.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::vector<AskedQuestion> asked;

    // Called instead of exec(); may fill the dialog's fields. Returns the dialog code.
    // Without a handler the dialog is rejected.
    std::function<int(QDialog&)> dialogHandler;
    std::vector<QString> dialogsRun; // window titles

    std::optional<LogFont> nextFont;
    std::vector<LogFont> fontDialogsOpenedWith;

    std::vector<std::string> opened;
    bool openSucceeds = true; // what open() reports

    QRect desktopRect() const override { return desktop; }
    QRect workArea() const override { return work.isNull() ? desktop : work; }
    QPoint cursorPos() const override { return cursor; }
    bool ask(QWidget* parent, const std::string& text, const std::string& caption,
             MessageButtons buttons, MessageIcon icon) override;
    int runDialog(QDialog& dialog) override;
    std::optional<LogFont> chooseFont(QWidget* parent, const LogFont& initial) override;
    bool open(const std::string& target) override
    {
        opened.push_back(target);
        return openSucceeds;
    }
    SystemTime now() const override { return clock; }
    std::int64_t secondsSinceEpoch() const override { return seconds; }
    QLocale locale() const override { return userLocale; }
};
