#pragma once
// The program's picture: a small yellow sticky note with a red pin, drawn in code.
// Used for the notification-area icon and as the window icon.

#include <QIcon>

QIcon AppIcon();
