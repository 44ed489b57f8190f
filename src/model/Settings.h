#pragma once
// The program-wide settings, kept in the settings file in this field order.

#include <cstdint>

struct SSettings {
    bool alwaysOnTop = false;
    bool panelVisible = true;
    std::int32_t panelColor = 0;
    std::int32_t panelStyle = 0;
    std::int32_t listViewMode = 0;
    std::int32_t hotKeyMode = 0;
    std::int32_t panelLeft = 0;
    std::int32_t panelTop = 0;
};
