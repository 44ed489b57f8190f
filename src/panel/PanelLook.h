#pragma once
// The panel's five colour schemes and four outlines.

#include <QColor>
#include <QRegion>
#include <QSize>

#include <cstdint>

struct PanelScheme {
    QColor fill;  // dark: panel fill, list text
    QColor frame; // light: panel outline, list background
};

// 0 "Blue", 1 "Red", 2 "Gray", 3 "Green", 4 "Violet"; anything else is blue.
PanelScheme PanelSchemeFor(int index);

// The panel's outlines, as the settings store them (panelStyle).
enum class PanelStyle : std::int32_t {
    Rectangle = 0,
    RoundAngles = 1,
    CutTopLeftBottomRight = 2,
    CutTopRightBottomLeft = 3,
};

// The window outline for a panel of the given size (a PanelStyle); anything else is
// rounded.
QRegion PanelOutline(int style, QSize size);
