#pragma once
// The two fixed sets of system-wide hot keys ("Left keys", "Right keys") and what a
// press of each one does.

#include <array>
#include <cstdint>

class HotKeyGrabber;

enum HotKeyId : int {
    CreateNote = 10,
    SetForeground = 11,
    RestoreNotes = 12,
    MinimizeNotes = 13,
    TopToggle = 14,
    ShowHide = 15,
};

// One binding in both sets: every key is pressed with Ctrl+Shift, except
// SetForeground, which is Ctrl+Shift+Win alone (key 0) in both. Modifiers and keys are
// the classic codes of KeyCodes.h. The action name and
// the description are what the desktop's shortcut settings show (portal shortcut ids);
// KDE's settings show the text of the menu command the key runs.
struct HotKeyBinding {
    HotKeyId id;
    const char* name;
    const char* action;
    const char* description;
    unsigned modifiers;
    unsigned leftKey;
    unsigned rightKey;
    const char* command; // the menu command's text (the description where none exists)
};

extern const std::array<HotKeyBinding, 6> kHotKeys;

// The "Hot keys" submenu: command id = first + mode; the radio group spans first..last.
constexpr int kHotKeyModeFirstCommand = 75;
constexpr int kHotKeyModeLastCommand = 78;

enum HotKeyMode : std::int32_t { LeftKeys = 0, RightKeys = 1, NoHotKeys = 2 };

// Stores mode in hotKeyMode and binds the chosen set (or releases all six for
// NoHotKeys). Changing from one set to the other releases the earlier set first, so
// exactly the chosen set is live. A mode outside 0..2 binds and releases nothing.
void ApplyHotKeyMode(HotKeyGrabber& grabber, int mode, std::int32_t& hotKeyMode);

// What a hot key press asks of the panel.
class HotKeyActions {
public:
    virtual ~HotKeyActions() = default;
    // A new note from the default template; the panel stays where it is.
    virtual void createNote() = 0;
    virtual void bringToFront() = 0;
    // The panel's own menu commands, as if chosen from its menu: "Restore all",
    // "Minimize all", "Always Top" and "Show Panel"/"Hide Panel".
    virtual void restoreAll() = 0;
    virtual void minimizeAll() = 0;
    virtual void toggleAlwaysTop() = 0;
    virtual void showOrHidePanel() = 0;
};

// Dispatches a press of the binding id; unknown ids do nothing.
void OnHotKey(int id, HotKeyActions& actions);
