#pragma once
// The panel's five colour schemes and four outlines.

#include <QColor>
#include <QRegion>
#include <QSize>

struct PanelScheme {
    QColor fill;  // dark: panel fill, list text
    QColor frame; // light: panel outline, list background
};

// 0 "Blue", 1 "Red", 2 "Gray", 3 "Green", 4 "Violet"; anything else is blue.
PanelScheme PanelSchemeFor(int index);

// The window outline for a panel of the given size: 0 rectangle, 1 rounded corners,
// 2 top-left and bottom-right cut, 3 top-right and bottom-left cut; anything else
// is rounded.
QRegion PanelOutline(int style, QSize size);
