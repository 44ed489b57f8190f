#pragma once
// System-wide key combinations as passive key grabs on the X root window.
// This is the one file of the program that talks to Xlib; without an X display
// (offscreen, a pure Wayland session) every grab fails and the program runs on.

#include "hotkeys/HotKeyGrabber.h"

#include <QAbstractNativeEventFilter>

#include <map>
#include <vector>

class X11HotKeyGrabber : public HotKeyGrabber, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11HotKeyGrabber(QObject* parent = nullptr);
    ~X11HotKeyGrabber() override;

    // Grabbing an id that is already bound replaces its earlier combination.
    bool grab(int id, QKeyCombination keys) override;
    void release(int id) override;

private:
    // One X grab: a key code with an exact modifier state (before the Lock and
    // NumLock variants are added).
    struct KeyGrab {
        unsigned keycode;
        unsigned state;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool hasDisplay();
    std::vector<KeyGrab> grabsFor(QKeyCombination keys) const;
    bool grabAll(const std::vector<KeyGrab>& grabs);
    void ungrabAll(const std::vector<KeyGrab>& grabs);

    void* display_ = nullptr; // Display*, kept opaque so Xlib's macros stay in the .cpp
    bool filterInstalled_ = false;
    std::map<int, std::vector<KeyGrab>> bindings_;
};
