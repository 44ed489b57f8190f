#pragma once
// Shared helpers of the panel tests: a clean data folder, hand-made settings files and
// menu items found by their command.

#include "panel/PanelCommand.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QWidget>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using Commands = std::vector<PanelCommand>;

// The panel's menu or control of this object name.
template <class T> T* Find(const QWidget& panel, const char* name)
{
    return panel.findChild<T*>(QString::fromLatin1(name));
}

// The item of menu that reads text (an item with no command of its own).
inline QAction* ItemReading(QMenu* menu, const QString& text)
{
    for (QAction* item : menu->actions())
        if (item->text() == text)
            return item;
    return nullptr;
}

inline void PrintTo(PanelCommand command, std::ostream* os)
{
    *os << Id(command);
}
inline QAction* FindItem(QMenu* menu, PanelCommand command)
{
    return FindItem(menu, Id(command));
}
inline bool IsChecked(QMenu* menu, PanelCommand command)
{
    return IsChecked(menu, Id(command));
}

// The data folder of this test program, emptied.
std::string FreshDataFolder();
// The 26 bytes of a settings file.
std::vector<unsigned char> SettingsBytes(bool alwaysOnTop, bool visible, std::int32_t color,
                                         std::int32_t style, std::int32_t viewMode,
                                         std::int32_t hotKeys, std::int32_t left, std::int32_t top);
void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadFile(const std::string& path);
bool Exists(const std::string& path);
// What the widget shows, at one device pixel per pixel.
QImage Snapshot(QWidget& widget);
