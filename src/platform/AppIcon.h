#pragma once
// The program's picture: a small yellow sticky note with a red pin, drawn in code.
// Used for the notification-area icon and as the window icon.

#include <QIcon>
#include <QImage>

// The built-in drawing in the sizes windows carry. Looking through the icon theme takes
// a while: start-up shows this and asks the theme once the windows are up (below).
QIcon BuiltInAppIcon();
// The built-in drawing at 16 pixels only: for the many small windows that never show
// an icon anywhere, each of which would otherwise carry every size to the X server.
QIcon SmallAppIcon();
// The program's window icon as it stands (the built-in drawing until one is set).
QIcon CurrentAppIcon();
// Makes the icon theme's icon under the application id the program's window icon when
// the theme has one that is not the built-in drawing; returns whether the icon changed.
bool UseThemedAppIcon();
// The built-in drawing at size x size pixels (needs no display: the installed PNGs
// are made from it at build time).
QImage DrawAppIcon(int size);
