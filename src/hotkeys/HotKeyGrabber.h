#pragma once
// System-wide key combinations, bound through whatever the desktop offers. The key sets
// name their keys in the classic codes (KeyCodes.h); a grabber gets them in Qt's terms,
// converted once by HotKeyCombination, and derives its own form from those.

#include <QKeyCombination>
#include <QObject>

class HotKeyGrabber : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HotKeyGrabber() override = default;

    // Binds the combination to id; false when it could not be bound (another
    // program owns it, or there is no X display). Qt::Key_Meta with the Meta
    // modifier is the modifiers alone, the Win key pressed last.
    virtual bool grab(int id, QKeyCombination keys) = 0;
    virtual void release(int id) = 0;

    // The grabs and releases between these two form one key set. Grabbers that bind a
    // whole set at once (the desktop portal) apply it at commitSet; X grabs apply
    // each call at once and ignore both.
    virtual void beginSet() {}
    virtual void commitSet() {}

signals:
    void pressed(int id);
};
