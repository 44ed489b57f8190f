#include "hotkeys/KeyCodes.h"

namespace {

// The keys with names of their own; letters, digits and F-keys follow from their codes.
struct NamedKey {
    unsigned virtualKey;
    Qt::Key key;
    const char* xkbName;
};

constexpr NamedKey kNamedKeys[] = {
    {VirtualKey::PageUp, Qt::Key_PageUp, "Page_Up"},
    {VirtualKey::PageDown, Qt::Key_PageDown, "Page_Down"},
    {VirtualKey::End, Qt::Key_End, "End"},
    {VirtualKey::Home, Qt::Key_Home, "Home"},
    {VirtualKey::Left, Qt::Key_Left, "Left"},
    {VirtualKey::Up, Qt::Key_Up, "Up"},
    {VirtualKey::Right, Qt::Key_Right, "Right"},
    {VirtualKey::Down, Qt::Key_Down, "Down"},
    {VirtualKey::Insert, Qt::Key_Insert, "Insert"},
    {VirtualKey::Delete, Qt::Key_Delete, "Delete"},
    // The Win key pressed last, as the modifiers alone are bound.
    {0, Qt::Key_Meta, "Super_L"},
};

Qt::Key QtKey(unsigned virtualKey)
{
    // Qt::Key_A.. and Qt::Key_0.. are the same codes.
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return Qt::Key(virtualKey);
    if (virtualKey >= VirtualKey::F1 && virtualKey <= VirtualKey::F12)
        return Qt::Key(Qt::Key_F1 + int(virtualKey - VirtualKey::F1));
    for (const NamedKey& named : kNamedKeys)
        if (named.virtualKey == virtualKey && virtualKey != 0)
            return named.key;
    return Qt::Key_unknown;
}

} // namespace

QKeyCombination HotKeyCombination(unsigned modifiers, unsigned virtualKey)
{
    Qt::KeyboardModifiers qt;
    if (modifiers & ClassicModifier::Alt)
        qt |= Qt::AltModifier;
    if (modifiers & ClassicModifier::Control)
        qt |= Qt::ControlModifier;
    if (modifiers & ClassicModifier::Shift)
        qt |= Qt::ShiftModifier;
    if (modifiers & ClassicModifier::Win)
        qt |= Qt::MetaModifier;
    if (virtualKey == 0)
        return QKeyCombination(qt,
                               (modifiers & ClassicModifier::Win) ? Qt::Key_Meta : Qt::Key_unknown);
    return QKeyCombination(qt, QtKey(virtualKey));
}

QString XkbKeyName(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(char16_t(key - Qt::Key_A + 'a')));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(char16_t(key)));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    for (const NamedKey& named : kNamedKeys)
        if (named.key == key)
            return QString::fromLatin1(named.xkbName);
    return {};
}
