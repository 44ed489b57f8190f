#pragma once
// Shared helpers of the panel tests: a clean data folder, hand-made settings files and
// menu items found by their command.

#include "panel/PanelCommand.h"
#include "platform/Menus.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using Commands = std::vector<PanelCommand>;

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
