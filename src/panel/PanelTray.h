#pragma once
// The panel's notification-area icon: its texts and what each gesture on it does.

#include "platform/TrayIcon.h"

#include <QPoint>
#include <QString>

class QMenu;

extern const QString kTrayTip;
QString TrayBalloonTitle();
QString TrayBalloonText();

// Puts the panel's icon in the tray (the same icon each time); with balloon, the
// balloon that explains the three gestures is shown anew. menu, when given, is the
// icon's right-click menu.
void AddTrayIcon(TrayIcon& tray, bool balloon, QMenu* menu = nullptr);

// What the gestures on the icon ask of the panel.
class TrayActions {
public:
    virtual ~TrayActions() = default;
    // The panel comes forward; the notes, which it owns, come with it.
    virtual void bringToFront() = 0;
    // Shows a hidden panel, hides a shown one (the panel's command 50).
    virtual void togglePanel() = 0;
    // Pops up the panel's Options menu left-aligned at pos (screen coordinates).
    virtual void showOptionsMenuAt(QPoint pos) = 0;
    virtual bool panelShown() const = 0;
};

void HandleTrayGesture(TrayIcon::Gesture gesture, TrayActions& actions);
