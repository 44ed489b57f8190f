#pragma once
// Window layouts are given in dialog units of an 8-point dialog font; at 96 DPI and the
// toolkit's default desktop font one horizontal unit is 6/4 pixels and one vertical unit
// 13/8 pixels. A desktop font of another size scales the units, and the dialog font with
// them (DialogScale): the default font keeps every layout exactly as drawn.

#include <QRect>
#include <QSize>

class QFont;

namespace detail {
inline int dialogScale = 1000;
}

// The desktop font's size against the toolkit's default size, in thousandths.
inline int DialogScale()
{
    return detail::dialogScale;
}
// Set once at start-up, before any window is built.
void SetDialogScale(int permille);
// The scale a desktop font asks for: its pixel size against that of the toolkit's
// default font (9 points, 12 pixels at 96 DPI); 1000 for the default, within 750..3000.
int DesktopFontScale(const QFont& desktopFont);

// A length in pixels drawn for the default font, at the desktop's font size.
inline int Scaled(int pixels)
{
    return pixels * DialogScale() / 1000;
}

inline int DluX(int x)
{
    return x * 6 * DialogScale() / 4000;
}
inline int DluY(int y)
{
    return y * 13 * DialogScale() / 8000;
}
inline QRect DluRect(int x, int y, int w, int h)
{
    return QRect(DluX(x), DluY(y), DluX(w), DluY(h));
}
inline QSize DluSize(int w, int h)
{
    return QSize(DluX(w), DluY(h));
}
