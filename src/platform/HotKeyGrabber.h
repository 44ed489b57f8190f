#pragma once
// System-wide key combinations. Modifiers and key codes use the classic flags and
// virtual-key codes (Ctrl 2, Shift 4, Win 8; 'C' 0x43, Insert 0x2D, ...); key 0 with
// the Win modifier means "the modifiers alone".

#include <QObject>

class HotKeyGrabber : public QObject {
    Q_OBJECT
public:
    enum Modifier : unsigned { Control = 2, Shift = 4, Win = 8 };

    using QObject::QObject;
    ~HotKeyGrabber() override = default;

    // Binds the combination to id; false when it could not be bound (another
    // program owns it, or there is no X display).
    virtual bool grab(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void release(int id) = 0;

    // The grabs and releases between these two form one key set. Grabbers that bind a
    // whole set at once (the desktop portal) apply it at commitSet; X grabs apply
    // each call at once and ignore both.
    virtual void beginSet() {}
    virtual void commitSet() {}

signals:
    void pressed(int id);
};
