#pragma once
// The panel's popup menus, built once at start-up. Each item carries its command id;
// every command ends in the panel's OnCommand.

#include "model/Collections.h"
#include "panel/PanelCommand.h"

#include <functional>

class QAction;
class QMenu;
class QWidget;

struct PanelMenus {
    QMenu* viewMenu = nullptr;
    QMenu* sortMenu = nullptr;
    QMenu* panelColorMenu = nullptr;
    QMenu* panelStyleMenu = nullptr;
    QMenu* hotKeysMenu = nullptr;
    QMenu* notesMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QMenu* optionsMenu = nullptr;
    QMenu* categoryMenu = nullptr;
    QMenu* signatureMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* templateSizeMenu = nullptr;
    QMenu* templateStyleMenu = nullptr;
    QMenu* templateColorMenu = nullptr;
    QMenu* templateMenu = nullptr;
    // "Start at login" in optionsMenu: no command id, it acts on its own.
    QAction* startAtLogin = nullptr;
    // "On all desktops" in optionsMenu: no command id; the panel acts on it.
    QAction* onAllDesktops = nullptr;
    // "Shared folder" in optionsMenu: no command id; the panel acts on it.
    QAction* sharedFolder = nullptr;
    // "Reopen closed note" in notesMenu (and so in the tray's menu): enabled while
    // there is a closed note to reopen.
    QAction* reopenClosedNote = nullptr;
};

// Creates every menu, owned by owner, in the order of the panel's menu table, fills
// the category menu from categories and routes every command of every menu (also
// items added later) to onCommand, once per click.
PanelMenus BuildMenus(QWidget* owner, const Categories& categories,
                      std::function<void(PanelCommand)> onCommand);
