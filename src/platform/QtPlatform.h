#pragma once
// The desktop as the running program sees it: Qt's screen, cursor, message boxes,
// font dialog and URL opener, and the local clock.

#include "platform/Platform.h"

#include <QUrl>

class QtPlatform : public Platform {
public:
    QRect desktopRect() const override;
    QRect workArea() const override;
    QPoint cursorPos() const override;
    bool ask(QWidget* parent, const std::string& text, const std::string& caption,
             MessageButtons buttons, MessageIcon icon) override;
    bool askRetry(QWidget* parent, const std::string& text, const std::string& caption) override;
    void leaveModalLoops() override;
    int runDialog(QDialog& dialog) override;
    std::optional<LogFont> chooseFont(QWidget* parent, const LogFont& initial) override;
    bool open(const std::string& target) override;
    SystemTime now() const override;
    std::int64_t secondsSinceEpoch() const override;
    QLocale locale() const override;
};

// What open() hands to the desktop: a web address as it is, anything else as a file
// name, relative ones taken from the current directory.
QUrl TargetUrl(const std::string& target);
