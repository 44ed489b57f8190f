#pragma once
// CNoteApp: the application object. It installs the desktop seam and runs the panel
// (through CParent) until the panel ends.
//
// The start-up has three layers, each for one reason:
// - CNoteApp (main.cpp makes it) owns the process: the Qt application object and the
//   desktop seam (platform()) that every window reaches for during the whole run.
// - CParent::OnInitDialog owns the panel's run: it makes the panel, ties the end of the
//   desktop session to it, runs the event loop until the panel finishes, and leaves the
//   process without taking the windows down one by one.
// - CNoteDlg is the panel itself, with no event loop and no process of its own, so that
//   the tests make one beside fake hot keys and a fake tray icon and drive it.

#include "hotkeys/HotKeyGrabber.h"
#include "platform/TrayIcon.h"

#include <QApplication>

#include <memory>

class CNoteApp : public QApplication {
    Q_OBJECT
public:
    CNoteApp(int& argc, char** argv);

    // Runs the program; returns the process exit status.
    int InitInstance(std::unique_ptr<HotKeyGrabber> hotKeys, std::unique_ptr<TrayIcon> tray);
};

// Picks the X11 platform plugin when the user has not chosen one and an X display is
// reachable: the program places its own windows, which a Wayland session forbids.
void ChooseWindowSystem();
