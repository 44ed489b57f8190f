#pragma once
// The font the dialog-unit layouts are measured in: the desktop's sans at 8 points
// (11 pixels at 96 DPI), scaled with the desktop's font size (DialogScale). Linux desktop fonts run
// wider than the fonts these layouts were drawn for, so FitTexts makes the texts fit the fixed
// layout.

#include <QFont>

class QWidget;

QFont DialogFont();

// Plain labels grow to the right to show their whole text; push buttons whose text is
// too wide get a smaller font. Positions and button sizes stay as laid out.
void FitTexts(QWidget* dialog);
