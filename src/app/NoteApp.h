#pragma once
// CNoteApp: the application object. It installs the desktop seam and runs the panel
// (through CParent) until the panel ends.

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
