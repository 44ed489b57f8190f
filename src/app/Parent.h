#pragma once
// CParent: runs the main panel to its end. Unlike the classic hidden owner window it
// owns nothing on screen: the panel keeps itself off the taskbar as a utility window.

#include "hotkeys/HotKeyGrabber.h"
#include "platform/TrayIcon.h"

#include <memory>

class CParent {
public:
    // Starts the panel and runs its loop until it ends; returns the exit status.
    int OnInitDialog(std::unique_ptr<HotKeyGrabber> hotKeys, std::unique_ptr<TrayIcon> tray);
};
