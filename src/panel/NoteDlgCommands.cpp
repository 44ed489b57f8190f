// The panel's command dispatch: menus, the panel's own commands and the hot keys.

#include "panel/NoteDlg.h"

#include "dialogs/About.h"
#include "dialogs/Category.h"
#include "platform/Help.h"
#include "platform/MakerSite.h"
#include "widgets/Menus.h"
#include "platform/Platform.h"

#include <string>

bool CNoteDlg::OnCommand(int id)
{
    const bool handled = DispatchCommand(id);
    // Help, the web pages and About change nothing; "Exit" has ended the panel.
    const bool looksOnly = id == 52 || id == 54 || id == 55 || id == 58 || id == 59;
    if (handled && !looksOnly)
        MarkChanged();
    return handled;
}

bool CNoteDlg::DispatchCommand(int id)
{
    switch (id) {
    case 54:
        OnOK();
        return true;
    case 55:
        OpenHelp();
        return true;
    case 58:
        platform().open(std::string(MakerSite::ProductPage()));
        return true;
    case 59:
        platform().open(std::string(MakerSite::ContactPage()));
        return true;
    case 52: {
        CAboutDlg about(this);
        platform().runDialog(about);
        return true;
    }
    case 50:
        TogglePanel();
        return true;
    case 51:
        ToggleAlwaysOnTop();
        return true;
    case 35:
        MinimizeAll();
        return true;
    case 36:
        RestoreAll();
        return true;
    case 37:
        CloseAll();
        return true;
    case 38:
        OnHotKey(CreateNote);
        return true;
    case kReopenClosedNoteCommand:
        ReopenClosedNote();
        return true;
    case 57: {
        CCategory dialog(categories, this);
        if (platform().runDialog(dialog) == QDialog::Accepted)
            RefreshCategoryMenus();
        return true;
    }
    default:
        break;
    }
    if (id >= 75 && id <= 79) {
        ApplyHotKeyMode(id - 75);
        return true;
    }
    if (id >= 60 && id <= 64) {
        CheckRadio(menus.panelColorMenu, 60, 69, id);
        ApplyPanelColor(id - 60);
        return true;
    }
    if (id >= 70 && id <= 74) {
        CheckRadio(menus.panelStyleMenu, 70, 79, id);
        ApplyPanelStyle(id - 70);
        return true;
    }
    if (id >= 30 && id <= 32) {
        CheckRadio(menus.viewMenu, 30, 33, id);
        ApplyViewMode(id - 30);
        return true;
    }
    if (id >= 40 && id <= 49) {
        CheckRadio(menus.sortMenu, 40, 50, id);
        SortTemplates(id - 40);
        return true;
    }
    if (id >= 80 && id <= 230)
        return OnTemplateCommand(id);
    return false;
}
