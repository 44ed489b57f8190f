#pragma once
// The program's picture: a small yellow sticky note with a red pin, drawn in code.
// Used for the notification-area icon and as the window icon.

#include <QIcon>
#include <QImage>

// The icon theme's icon under the application id, else the built-in drawing.
QIcon AppIcon();
// The built-in drawing at size x size pixels (needs no display: the installed PNGs
// are made from it at build time).
QImage DrawAppIcon(int size);
