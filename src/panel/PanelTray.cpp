#include "panel/PanelTray.h"

#include "platform/Platform.h"

#include <QCoreApplication>

const QString kTrayTip = QStringLiteral("Pinleaf");

QString TrayBalloonTitle()
{
    return QCoreApplication::translate("PanelTray", "Pinleaf is here!");
}

QString TrayBalloonText()
{
    return QCoreApplication::translate("PanelTray",
                                       "Right mouse click - to show main menu\n"
                                       "Left click - set foreground notes & main window\n"
                                       "Left double click - to hide/show main window.");
}

void AddTrayIcon(TrayIcon& tray, bool balloon, QMenu* menu)
{
    if (menu)
        tray.setMenu(menu);
    if (balloon)
        tray.add(kTrayTip, true, TrayBalloonTitle(), TrayBalloonText());
    else
        tray.add(kTrayTip, false, QString(), QString());
}

void HandleTrayGesture(TrayIcon::Gesture gesture, TrayActions& actions)
{
    switch (gesture) {
    case TrayIcon::RightClick: {
        // Read the pointer first: the menu opens where the click happened.
        QPoint pos = platform().cursorPos();
        actions.bringToFront();
        actions.showOptionsMenuAt(pos);
        break;
    }
    case TrayIcon::DoubleClick:
        actions.togglePanel();
        break;
    case TrayIcon::LeftClick:
        actions.bringToFront();
        break;
    case TrayIcon::Activate:
        // No double-click comes from such a host: a click is the way back to a hidden
        // panel, and otherwise keeps its meaning.
        if (actions.panelShown())
            actions.bringToFront();
        else
            actions.togglePanel();
        break;
    }
}
