// The panel's look: colour scheme, outline, and the stored settings applied at start-up.

#include "panel/NoteDlg.h"

#include "panel/PanelLook.h"
#include "panel/TemplateList.h"
#include "platform/Platform.h"
#include "widgets/Menus.h"
#include "widgets/MyLink.h"

#include <QMenu>

void CNoteDlg::ApplyPanelColor(int index)
{
    settings.panelColor = index;
    if (menus.panelColorMenu)
        CheckRadioValue(menus.panelColorMenu, Id(PanelCommand::PanelBlue),
                        Id(PanelCommand::PanelViolet), index);
    const PanelScheme scheme = PanelSchemeFor(index);
    panelFillColor = scheme.fill;
    panelFrameColor = scheme.frame;
    for (CMyLink* button : {viewLabel, sortLabel, newLabel, optionsLabel, hideLabel})
        button->SetStyle(index);
    linkLabel->SetColors(panelFrameColor, panelFillColor);

    // The list shows dark text on the light colour of the scheme.
    listCtrl->SetColors(panelFrameColor, panelFillColor);
    update();
}

void CNoteDlg::ApplyPanelStyle(int index)
{
    settings.panelStyle = index;
    if (menus.panelStyleMenu)
        CheckRadioValue(menus.panelStyleMenu, Id(PanelCommand::PanelRectangle),
                        Id(PanelCommand::PanelCutTRBL), index);
    panelRegion = PanelOutline(index, panelRect.size());
    setMask(panelRegion);
    // The buttons echo the panel's corners.
    CMyLink::SetPanelStyle(index);
    for (CMyLink* link : {viewLabel, sortLabel, newLabel, optionsLabel, hideLabel, linkLabel})
        link->update();
    update();
}

void CNoteDlg::ApplySettings()
{
    ApplyHotKeyMode(settings.hotKeyMode);
    ApplyPanelColor(settings.panelColor);
    ApplyPanelStyle(settings.panelStyle);
    ApplyViewMode(settings.listViewMode);

    // A stored place off the desktop (a screen that has gone) falls back to the
    // bottom-right corner; a place on it is kept even when the panel sticks out.
    // The window is placed before it first appears: a window manager places a window
    // when it is mapped, and one mapped as a tiny placeholder and then resized is never
    // drawn by some of them.
    const QRect desktop = platform().desktopRect();
    if (!desktop.contains(QPoint(settings.panelLeft, settings.panelTop))) {
        settings.panelLeft = desktop.x() + desktop.width() - panelRect.width();
        settings.panelTop = desktop.y() + desktop.height() - panelRect.height();
    }
    setGeometry(
        QRect(settings.panelLeft, settings.panelTop, panelRect.width(), panelRect.height()));

    // Stay-on-top is set before the panel's window first appears: set on a shown panel,
    // it makes Qt replace the window with a new one.
    const bool shown = settings.panelVisible;
    settings.panelVisible = false;
    settings.alwaysOnTop = !settings.alwaysOnTop;
    OnCommand(PanelCommand::AlwaysTop);
    settings.panelVisible = !shown;
    OnCommand(PanelCommand::ShowPanel);
    setVisible(settings.panelVisible);
}
