#pragma once
// The program's picture at 16 pixels, for the many small windows that hardly ever show an
// icon (notes). GiveSmallAppIcon, before the window is first shown, keeps Qt from
// converting an icon for it; CarrySmallAppIcon, once it is shown, puts the prepared
// picture on its X window (and does nothing without X).

#include <QIcon>

class QWidget;

void GiveSmallAppIcon(QWidget* window);
void CarrySmallAppIcon(QWidget* window);

// Qt creates a window with the program's icon, converted anew, before the window's own
// icon applies. While this lives, the program's icon has no picture, so that opening
// many notes at once converts nothing.
class ManySmallWindows {
public:
    ManySmallWindows();
    ~ManySmallWindows();
    ManySmallWindows(const ManySmallWindows&) = delete;
    ManySmallWindows& operator=(const ManySmallWindows&) = delete;

private:
    QIcon programIcon_;
};
