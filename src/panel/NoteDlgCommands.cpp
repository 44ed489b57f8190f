// The panel's command dispatch: menus, the panel's own commands and the hot keys.

#include "panel/NoteDlg.h"

#include "dialogs/About.h"
#include "dialogs/Category.h"
#include "platform/Help.h"
#include "platform/MakerSite.h"
#include "platform/Platform.h"
#include "widgets/Menus.h"

#include <string>

namespace {

// The hot-key mode is stored as the offset of its command in the "Hot keys" menu.
static_assert(Id(PanelCommand::LeftKeys) == kHotKeyModeFirstCommand &&
              Id(PanelCommand::HotKeysMarkLast) == kHotKeyModeLastCommand);

// Help, the web pages and About change nothing; "Exit" has ended the panel.
bool ChangesNothing(PanelCommand id)
{
    using enum PanelCommand;
    return id == About || id == Exit || id == HelpTopic || id == ProductPage || id == ContactForm;
}

} // namespace

bool CNoteDlg::OnCommand(PanelCommand id)
{
    const bool handled = DispatchCommand(id);
    if (handled && !ChangesNothing(id))
        MarkChanged();
    return handled;
}

bool CNoteDlg::DispatchCommand(PanelCommand id)
{
    using enum PanelCommand;
    switch (id) {
    case Exit:
        OnOK();
        return true;
    case HelpTopic:
        OpenHelp();
        return true;
    case ProductPage:
        platform().open(std::string(MakerSite::ProductPage()));
        return true;
    case ContactForm:
        platform().open(std::string(MakerSite::ContactPage()));
        return true;
    case About: {
        CAboutDlg about(this);
        platform().runDialog(about);
        return true;
    }
    case ShowPanel:
        TogglePanel();
        return true;
    case AlwaysTop:
        ToggleAlwaysOnTop();
        return true;
    case MinimizeAll:
        this->MinimizeAll();
        return true;
    case RestoreAll:
        this->RestoreAll();
        return true;
    case CloseAll:
        this->CloseAll();
        return true;
    case CreateNote:
        OnHotKey(HotKeyId::CreateNote);
        return true;
    case ReopenClosedNote:
        this->ReopenClosedNote();
        return true;
    case CategoryDialog: {
        CCategory dialog(categories, this);
        if (platform().runDialog(dialog) == QDialog::Accepted)
            RefreshCategoryMenus();
        return true;
    }
    default:
        break;
    }
    if (InRange(id, LeftKeys, HotKeysLast)) {
        ApplyHotKeyMode(id - LeftKeys);
        return true;
    }
    if (InRange(id, PanelBlue, PanelViolet)) {
        CheckRadio(menus.panelColorMenu, Id(PanelBlue), Id(PanelColorMarkLast), Id(id));
        ApplyPanelColor(id - PanelBlue);
        return true;
    }
    if (InRange(id, PanelRectangle, PanelStyleLast)) {
        CheckRadio(menus.panelStyleMenu, Id(PanelRectangle), Id(PanelStyleMarkLast), Id(id));
        ApplyPanelStyle(id - PanelRectangle);
        return true;
    }
    if (InRange(id, ViewIcons, ViewLast)) {
        CheckRadio(menus.viewMenu, Id(ViewIcons), Id(ViewMarkLast), Id(id));
        ApplyViewMode(id - ViewIcons);
        return true;
    }
    if (InRange(id, SortText, SortLast)) {
        CheckRadio(menus.sortMenu, Id(SortText), Id(SortMarkLast), Id(id));
        SortTemplates(id - SortText);
        return true;
    }
    if (InRange(id, TemplateFirst, TemplateLast))
        return OnTemplateCommand(id);
    return false;
}
