#pragma once
// The eleven colour icons of the template list: one small note picture per note colour
// (0 "Red" .. 9 "White") and a many-coloured one for a random colour (10). Drawn in
// code at 32 x 32 for the icon view and 16 x 16 for the list and report views.

#include <QColor>
#include <QIcon>
#include <QPixmap>

constexpr int kColorIconCount = 11;
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

// Fill and frame of the note palette; an index outside 0..9 gives the gray of index 8.
QColor NoteIconFill(int color);
QColor NoteIconFrame(int color);

// The picture for index at size x size pixels; an index outside 0..10 gives the random one.
QPixmap ColorIconPixmap(int index, int size);
// Both sizes in one icon, so each view picks its own.
QIcon ColorIcon(int index);
