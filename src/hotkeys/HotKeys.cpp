#include "hotkeys/HotKeys.h"

#include "hotkeys/HotKeyGrabber.h"
#include "hotkeys/KeyCodes.h"

#include <QtGlobal>

namespace {

constexpr unsigned kCtrlShift = ClassicModifier::Control | ClassicModifier::Shift;
constexpr unsigned kCtrlShiftWin = kCtrlShift | ClassicModifier::Win;

// The order in which each set is bound, and the order of release.
constexpr HotKeyId kLeftOrder[] = {ShowHide,     MinimizeNotes, TopToggle,
                                   RestoreNotes, CreateNote,    SetForeground};
constexpr HotKeyId kRightOrder[] = {ShowHide,     TopToggle,  MinimizeNotes,
                                    RestoreNotes, CreateNote, SetForeground};
constexpr HotKeyId kReleaseOrder[] = {ShowHide,     TopToggle,  MinimizeNotes,
                                      RestoreNotes, CreateNote, SetForeground};

const HotKeyBinding& Binding(HotKeyId id)
{
    for (const HotKeyBinding& binding : kHotKeys)
        if (binding.id == id)
            return binding;
    return kHotKeys.front(); // every HotKeyId is in the table
}

void ReleaseAll(HotKeyGrabber& grabber)
{
    for (HotKeyId id : kReleaseOrder)
        grabber.release(id);
}

void BindSet(HotKeyGrabber& grabber, HotKeyMode set)
{
    const auto& order = set == LeftKeys ? kLeftOrder : kRightOrder;
    for (HotKeyId id : order) {
        const HotKeyBinding& binding = Binding(id);
        // A combination another program owns stays unbound; the chosen set is still
        // the current one, the others work.
        grabber.grab(id, HotKeyCombination(binding.modifiers,
                                           set == LeftKeys ? binding.leftKey : binding.rightKey));
    }
}

bool IsKeySet(std::int32_t mode)
{
    return mode == LeftKeys || mode == RightKeys;
}

} // namespace

const std::array<HotKeyBinding, 6> kHotKeys = {{
    {CreateNote, "CreateNote", "new-note",
     QT_TRANSLATE_NOOP("HotKeys", "New note from the default template"), kCtrlShift, 'C',
     VirtualKey::Insert, "Create Note"},
    {SetForeground, "SetForeground", "bring-forward",
     QT_TRANSLATE_NOOP("HotKeys", "Bring the panel forward"), kCtrlShiftWin, 0, 0,
     "Bring the panel forward"},
    {RestoreNotes, "RestoreNotes", "roll-down", QT_TRANSLATE_NOOP("HotKeys", "Roll all notes down"),
     kCtrlShift, 'S', VirtualKey::Down, "Restore all"},
    {MinimizeNotes, "MinimizeNotes", "roll-up", QT_TRANSLATE_NOOP("HotKeys", "Roll all notes up"),
     kCtrlShift, 'W', VirtualKey::Up, "Minimize all"},
    {TopToggle, "TopToggle", "toggle-on-top", QT_TRANSLATE_NOOP("HotKeys", "Panel always on top"),
     kCtrlShift, 'E', VirtualKey::Right, "Always Top"},
    {ShowHide, "ShowHide", "toggle-panel", QT_TRANSLATE_NOOP("HotKeys", "Show or hide the panel"),
     kCtrlShift, 'Q', VirtualKey::Left, "Show Panel"},
}};

void ApplyHotKeyMode(HotKeyGrabber& grabber, int mode, std::int32_t& hotKeyMode)
{
    std::int32_t previous = hotKeyMode;
    hotKeyMode = mode;

    switch (mode) {
    case LeftKeys:
    case RightKeys:
        grabber.beginSet();
        if (IsKeySet(previous) && previous != mode)
            ReleaseAll(grabber);
        BindSet(grabber, HotKeyMode(mode));
        grabber.commitSet();
        break;
    case NoHotKeys:
        grabber.beginSet();
        ReleaseAll(grabber);
        grabber.commitSet();
        break;
    default:
        break;
    }
}

void OnHotKey(int id, HotKeyActions& actions)
{
    switch (id) {
    case CreateNote:
        actions.createNote();
        break;
    case SetForeground:
        actions.bringToFront();
        break;
    case RestoreNotes:
        actions.bringToFront();
        actions.restoreAll();
        break;
    case MinimizeNotes:
        actions.bringToFront();
        actions.minimizeAll();
        break;
    case TopToggle:
        actions.bringToFront();
        actions.toggleAlwaysTop();
        break;
    case ShowHide:
        actions.bringToFront();
        actions.showOrHidePanel();
        break;
    default:
        break;
    }
}
