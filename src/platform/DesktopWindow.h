#pragma once
// How the program's own windows meet a window manager. Notes and the panel are plain
// top-level windows (a window manager may hide utility or transient windows with an
// inactive program); these keep them out of task bars, pagers and task switchers, and
// bring one forward in a way focus-stealing prevention accepts. Without an X server
// (tests, Wayland without XWayland) they do nothing.

#include <cstdint>

class QWidget;

// Marks a window that is about to be shown as one that task bars, pagers and task
// switchers leave out. Call it before every show: the window manager forgets a hidden
// window's states.
void KeepOffTaskbar(QWidget* window);

// Whether windows prepared by KeepOffTaskbar show on every workspace, and the same
// for a window already shown.
void SetOnAllDesktops(bool on);
bool OnAllDesktops();
void ApplyOnAllDesktops(QWidget* window);

// Remembers the server time of the user's action that is being handled (a hot key).
void SetUserActionTime(std::uint32_t serverTime);

// Asks the window manager to activate a shown window, with the time of the user's
// action (or, with none known, the server's time now: the user asked through the tray
// or the command line a moment ago).
void ActivateWindow(QWidget* window);

// A dialog of fixed size gets a title bar with a close button only (no minimise or
// maximise), and is at least as wide as its whole caption needs.
void KeepDialogFixed(QWidget* dialog);
