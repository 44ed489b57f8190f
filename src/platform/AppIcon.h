#pragma once
// The program's picture: a small yellow sticky note with a red pin, drawn in code.
// Used for the notification-area icon and as the window icon.

#include <QIcon>
#include <QImage>

// The icon theme's icon under the application id, else the built-in drawing. Looking
// through the theme takes a while: start-up shows the built-in drawing and asks the
// theme once the windows are up.
QIcon AppIcon();
QIcon BuiltInAppIcon();
// The built-in drawing at 16 pixels only: for the many small windows that never show
// an icon anywhere, each of which would otherwise carry every size to the X server.
QIcon SmallAppIcon();
// The program's window icon as it stands (the built-in drawing until one is set).
QIcon CurrentAppIcon();
// Makes the icon theme's icon the program's window icon when the theme has one that is
// not the built-in drawing; returns whether the icon changed.
bool UseThemedAppIcon();
// The built-in drawing at size x size pixels (needs no display: the installed PNGs
// are made from it at build time).
QImage DrawAppIcon(int size);
