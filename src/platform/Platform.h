#pragma once
// The seam between the program and the desktop. Everything that would block a test
// or depends on the machine (questions, modal dialogs, the font dialog, the shell,
// the clock, the screen and the pointer) goes through here. The key grabs and the tray
// icon are objects of their own (HotKeyGrabber, TrayIcon), handed to the panel.
// The running program installs QtPlatform; tests install a fake.

#include "model/SNote.h"

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>

class QDialog;
class QLocale;
class QWidget;

enum class MessageIcon { Question, Exclamation, Information, Stop };
// YesNoDefaultNo: a destructive question; Enter answers No.
enum class MessageButtons { YesNo, OkCancel, Ok, YesNoDefaultNo };

class Platform {
public:
    virtual ~Platform() = default;

    // The primary screen's full rectangle (the "desktop window").
    virtual QRect desktopRect() const = 0;
    // The part of the primary screen that the desktop's own panels leave free (the
    // window manager keeps windows out of the rest).
    virtual QRect workArea() const { return desktopRect(); }
    virtual QPoint cursorPos() const = 0;

    // A modal message box. Returns true for Yes or OK.
    virtual bool ask(QWidget* parent, const std::string& text, const std::string& caption,
                     MessageButtons buttons, MessageIcon icon) = 0;
    // A failed save: Retry (true) or Quit without saving (false).
    virtual bool askRetry(QWidget* parent, const std::string& text, const std::string& caption)
    {
        return ask(parent, text, caption, MessageButtons::OkCancel, MessageIcon::Stop);
    }
    // Leaves every open menu, question and modal dialog as if cancelled (the program is
    // about to end and nobody will answer them).
    virtual void leaveModalLoops() {}
    // Runs a modal dialog and returns its QDialog::DialogCode.
    virtual int runDialog(QDialog& dialog) = 0;
    // The system font dialog; nothing when cancelled.
    virtual std::optional<LogFont> chooseFont(QWidget* parent, const LogFont& initial) = 0;

    // Opens a file (relative to the current directory) or a web address; false when
    // the desktop has nothing to open it with.
    virtual bool open(const std::string& target) = 0;

    // Local time now, milliseconds 0 and day of week filled in.
    virtual SystemTime now() const = 0;
    // Whole seconds since the epoch, to seed the random choices.
    virtual std::int64_t secondsSinceEpoch() const = 0;
    // The locale used for dates and times shown to the user.
    virtual QLocale locale() const = 0;
};

Platform& platform();
// Installs p (not owned); tests use this to substitute a fake.
void setPlatform(Platform* p);
