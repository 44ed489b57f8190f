#pragma once
// The classic key codes the hot key sets are written in (modifier flags Alt 1, Ctrl 2,
// Shift 4, Win 8; virtual-key codes 'C' 0x43, Insert 0x2D, ...), and their one
// conversion to Qt's keys, from which every grabber derives its own form.

#include <QKeyCombination>
#include <QString>

struct ClassicModifier {
    static constexpr unsigned Alt = 1;
    static constexpr unsigned Control = 2;
    static constexpr unsigned Shift = 4;
    static constexpr unsigned Win = 8;
};

// Virtual-key codes of the keys that are not letters or digits (those are their
// upper-case character).
struct VirtualKey {
    static constexpr unsigned PageUp = 0x21;
    static constexpr unsigned PageDown = 0x22;
    static constexpr unsigned End = 0x23;
    static constexpr unsigned Home = 0x24;
    static constexpr unsigned Left = 0x25;
    static constexpr unsigned Up = 0x26;
    static constexpr unsigned Right = 0x27;
    static constexpr unsigned Down = 0x28;
    static constexpr unsigned Insert = 0x2D;
    static constexpr unsigned Delete = 0x2E;
    static constexpr unsigned F1 = 0x70;
    static constexpr unsigned F12 = 0x7B;
};

// A letter, a digit, F1..F12 or one of the keys above with its modifiers. Key 0 with
// Win is the modifiers alone: Qt::Key_Meta, the Win key pressed last. Any other key is
// Qt::Key_unknown, which no grabber binds.
QKeyCombination HotKeyCombination(unsigned modifiers, unsigned virtualKey);

// The key's name as xkb spells it, the name of its X keysym and of the portal's
// triggers: "c", "5", "F1", "Insert", "Page_Up", and "Super_L" for Qt::Key_Meta.
// Empty for keys HotKeyCombination never gives.
QString XkbKeyName(Qt::Key key);
