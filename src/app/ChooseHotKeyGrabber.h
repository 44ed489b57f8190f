#pragma once
// The program decides here, and only here, which of the grabbers in platform/x11,
// platform/portal and platform/kde it runs with; everything else sees the interface.

#include "hotkeys/HotKeyGrabber.h"

#include <memory>

// The grabber this desktop offers: in a Wayland session KDE's global shortcut service
// where it runs, else the GlobalShortcuts portal where there is one; X key grabs
// everywhere else.
std::unique_ptr<HotKeyGrabber> ChooseHotKeyGrabber();
