#pragma once
// WindowDrag: a window moved by the mouse, the way the panel and the notes are dragged.
// The window keeps the place under the pointer where the press caught it.

#include <QPoint>

class WindowDrag {
public:
    // A left-button press at pressAt (global) on a window whose top-left corner is at
    // windowAt. Give the press's own position, not the pointer's position now: a busy
    // program handles the press late, when the pointer may have moved on.
    void Start(QPoint pressAt, QPoint windowAt)
    {
        offset_ = pressAt - windowAt;
        active_ = true;
    }

    bool Active() const { return active_; }

    // Where the window's top-left corner goes with the pointer at cursor (global).
    QPoint To(QPoint cursor) const { return cursor - offset_; }

    // The button is up: returns whether a drag was going on.
    bool Finish()
    {
        const bool was = active_;
        active_ = false;
        return was;
    }

private:
    QPoint offset_;
    bool active_ = false;
};
