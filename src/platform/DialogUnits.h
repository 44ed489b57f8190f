#pragma once
// Window layouts are given in dialog units of an 8-point dialog font; at 96 DPI one
// horizontal unit is 6/4 pixels and one vertical unit 13/8 pixels.

#include <QRect>
#include <QSize>

inline int DluX(int x)
{
    return x * 6 / 4;
}
inline int DluY(int y)
{
    return y * 13 / 8;
}
inline QRect DluRect(int x, int y, int w, int h)
{
    return QRect(DluX(x), DluY(y), DluX(w), DluY(h));
}
inline QSize DluSize(int w, int h)
{
    return QSize(DluX(w), DluY(h));
}
