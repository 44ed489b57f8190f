// The panel's command dispatch: menus, the panel's own commands and the hot keys.

#include "panel/NoteDlg.h"

#include "platform/Menus.h"

bool CNoteDlg::OnCommand(int id)
{
    if (id == 54) {
        OnOK();
        return true;
    }
    if (id == 50) {
        TogglePanel();
        return true;
    }
    if (id == 51) {
        ToggleAlwaysOnTop();
        return true;
    }
    if (id >= 60 && id <= 64) {
        if (menus.panelColorMenu)
            CheckRadio(menus.panelColorMenu, 60, 69, id);
        ApplyPanelColor(id - 60);
        return true;
    }
    if (id >= 70 && id <= 74) {
        if (menus.panelStyleMenu)
            CheckRadio(menus.panelStyleMenu, 70, 79, id);
        ApplyPanelStyle(id - 70);
        return true;
    }
    // Still to come here: help and web pages (55, 58, 59), About (52), the notes
    // (35 to 38), the hot key sets (75 to 79), the category dialog (57), the list's
    // view (30 to 32) and sorting (40 to 49), and the template commands (80 to 230).
    return false;
}
