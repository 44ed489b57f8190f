// The panel's template list and the commands of its template menu.

#include "panel/NoteDlg.h"

#include "dialogs/Category.h"
#include "dialogs/EditText.h"
#include "dialogs/Signature.h"
#include "model/Factory.h"
#include "note/Note.h"
#include "panel/TemplateList.h"
#include "panel/TemplateSort.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "widgets/Menus.h"

#include <QMenu>

void CNoteDlg::FillTemplateList()
{
    listCtrl->Refill();
}

void CNoteDlg::SortTemplates(int key)
{
    ::SortTemplates(templates, key, lastSortKey);
    FillTemplateList();
}

void CNoteDlg::ApplyViewMode(int value)
{
    settings.listViewMode = value;
    CheckRadioValue(menus.viewMenu, Id(PanelCommand::ViewIcons), Id(PanelCommand::ViewMarkLast),
                    value);
    listCtrl->ApplyViewMode(value);
}

void CNoteDlg::OpenTemplateItem(int index)
{
    if (index < 0 || index >= templates.count())
        return;
    openNote(templates.get(index), true);
}

void CNoteDlg::OnListContextMenu(int index, QPoint at)
{
    if (index < 0 || index >= templates.count())
        return;
    selectedTemplate = index;
    PrepareTemplateMenu();
    menus.templateMenu->popup(at);
}

TemplateMenus CNoteDlg::templateMenus() const
{
    return {menus.categoryMenu,      menus.signatureMenu,     menus.templateSizeMenu,
            menus.templateStyleMenu, menus.templateColorMenu, menus.templateMenu};
}

void CNoteDlg::PrepareTemplateMenu()
{
    if (selectedTemplate < 0 || selectedTemplate >= templates.count())
        return;
    PrepareTemplateMenuMarks(templateMenus(), templates.get(selectedTemplate), categories);
}

void CNoteDlg::RefreshCategoryMenus()
{
    RefillCategoryMenu(menus.categoryMenu, categories);
    for (int slot = 0; slot < notes.count(); ++slot)
        if (CNote* note = notes.get(slot))
            note->RebuildCategoryMenu();
}

SNote CNoteDlg::DefaultTemplate() const
{
    if (auto found = templates.FindDefaultTemplate())
        return *found;
    // No templates at all: fall back to what a first start would offer.
    Templates factory;
    LoadFactoryTemplates(factory, platform().now());
    return *factory.FindDefaultTemplate();
}

void CNoteDlg::NewTemplate()
{
    if (!platform().ask(this, FromQt(tr("Do you want to create new template?")),
                        FromQt(tr("New template")), MessageButtons::YesNo, MessageIcon::Question))
        return;
    SNote t = DefaultTemplate();
    t.created = platform().now();
    templates.append(t);
    FillTemplateList();
    MarkChanged();
}

bool CNoteDlg::OnTemplateCommand(PanelCommand id)
{
    using enum PanelCommand;
    const int s = selectedTemplate;
    if (s < 0 || s >= templates.count())
        return false;
    SNote t = templates.get(s);
    bool writeBack = true;

    if (InRange(id, FirstCategory, LastCategory)) {
        ApplyTemplateFieldCommand(t, id, CategoryCommandText(menus.categoryMenu, id));
        MarkTemplateFieldCommand(templateMenus(), id);
    } else if (ApplyTemplateFieldCommand(t, id, {})) {
        MarkTemplateFieldCommand(templateMenus(), id);
    } else {
        switch (id) {
        case EditCategories: {
            CCategory dialog(categories, this);
            if (platform().runDialog(dialog) == QDialog::Accepted)
                RefreshCategoryMenus();
            // The dialog may have changed the category list, not this template.
            break;
        }
        case SignatureText: {
            SNote record = t;
            CSignature dialog(record, this);
            if (platform().runDialog(dialog) == QDialog::Accepted) {
                templates.replace(s, record);
                CheckRadio(menus.signatureMenu, Id(SignatureCategory), Id(SignatureTextMarkLast),
                           Id(SignatureText));
            }
            writeBack = false;
            break;
        }
        case EditText: {
            CEditText dialog(templates, s, this);
            platform().runDialog(dialog);
            writeBack = false;
            break;
        }
        case EditFont:
            if (auto font = platform().chooseFont(this, t.font))
                t.font = *font;
            break;
        case Clone:
            if (platform().ask(this, FromQt(tr("Do you want to clone this item?")),
                               FromQt(tr("Clone item")), MessageButtons::YesNo,
                               MessageIcon::Exclamation)) {
                SNote clone = t;
                clone.created = platform().now();
                templates.append(clone);
            }
            break;
        case Default:
            templates.SetDefaultTemplate(s);
            writeBack = false;
            break;
        case Delete:
            if (platform().ask(this, FromQt(tr("Do you want to delete this item?")),
                               FromQt(tr("Delete item")), MessageButtons::YesNo,
                               MessageIcon::Exclamation))
                templates.remove(s);
            writeBack = false;
            break;
        default:
            break;
        }
    }
    if (writeBack)
        templates.replace(s, t);
    FillTemplateList();
    return true;
}
