#include "panel/PanelMenus.h"

#include "panel/TemplateCommands.h"
#include "platform/Autostart.h"
#include "platform/Menus.h"
#include "platform/Platform.h"
#include "platform/Text.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

// Items are added as (text, id); an id of 0 is a separator.
struct Item {
    const char* text;
    int id;
};

QMenu* MakeMenu(QWidget* owner, std::initializer_list<Item> items)
{
    auto* menu = new QMenu(owner);
    for (const Item& item : items) {
        if (item.id == 0)
            menu->addSeparator();
        else
            AddItem(menu, QString::fromLatin1(item.text), item.id);
    }
    return menu;
}

// A click in a submenu is reported by the submenu and by each menu above it; only the
// menu that holds the item passes it on. Items are checkable so that they can carry
// marks, and Qt flips a checkable item on every click: the flip is undone here, since
// every mark is set by the command itself.
void RouteCommands(QMenu* menu, const std::function<void(int)>& onCommand)
{
    QObject::connect(menu, &QMenu::triggered, menu, [menu, onCommand](QAction* action) {
        if (!menu->actions().contains(action) || CommandId(action) == 0)
            return;
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        onCommand(CommandId(action));
    });
}

// The mark follows the file, which the user may also remove by other means: it is read
// each time the menu opens. Like every mark here, only a marked item is checkable.
void MarkStartAtLogin(QAction* item)
{
    const bool on = StartsAtLogin();
    item->setCheckable(on);
    item->setChecked(on);
}

QAction* AddStartAtLogin(QMenu* optionsMenu)
{
    QAction* item = optionsMenu->addAction(QStringLiteral("Start at login"));
    MarkStartAtLogin(item);
    QObject::connect(optionsMenu, &QMenu::aboutToShow, item, [item] { MarkStartAtLogin(item); });
    QObject::connect(item, &QAction::triggered, item, [item] {
        QString error;
        if (!SetStartAtLogin(!StartsAtLogin(), &error))
            platform().ask(
                nullptr, FromQt(QStringLiteral("Cannot change %1: %2").arg(AutostartFile(), error)),
                "Attention!", MessageButtons::Ok, MessageIcon::Stop);
        MarkStartAtLogin(item);
    });
    return item;
}

} // namespace

PanelMenus BuildMenus(QWidget* owner, const Categories& categories,
                      std::function<void(int)> onCommand)
{
    PanelMenus m;
    m.viewMenu = MakeMenu(owner, {{"Icons", 30}, {"List", 31}});
    m.sortMenu = MakeMenu(
        owner,
        {{"Text", 40}, {"Category", 41}, {"Date", 42}, {"Color", 43}, {"Style", 44}, {"Size", 45}});
    m.panelColorMenu =
        MakeMenu(owner, {{"Blue", 60}, {"Red", 61}, {"Gray", 62}, {"Green", 63}, {"Violet", 64}});
    m.panelStyleMenu = MakeMenu(
        owner,
        {{"Rectangle", 70}, {"Round angles", 71}, {"Cut TL and BR", 72}, {"Cut TR and BL", 73}});
    m.hotKeysMenu = MakeMenu(owner, {{"Left keys", 75}, {"Right keys", 76}, {"", 0}, {"None", 77}});
    m.notesMenu = MakeMenu(owner, {{"Create Note", 38},
                                   {"Reopen closed note", kReopenClosedNoteCommand},
                                   {"", 0},
                                   {"Minimize all", 35},
                                   {"Restore all", 36},
                                   {"", 0},
                                   {"Close all", 37}});
    m.reopenClosedNote = FindItem(m.notesMenu, kReopenClosedNoteCommand);
    m.reopenClosedNote->setEnabled(false);
    m.helpMenu = MakeMenu(owner, {{"Help Topic    F1", 55},
                                  {"Lastet Version", 58},
                                  {"Home Page", 58},
                                  {"Contact Form", 59},
                                  {"", 0},
                                  {"About...", 52}});

    m.optionsMenu = MakeMenu(owner, {{"Show Panel", 50}, {"Always Top", 51}, {"", 0}});
    AddSubmenu(m.optionsMenu, QStringLiteral("Color Panel"), m.panelColorMenu);
    AddSubmenu(m.optionsMenu, QStringLiteral("Style Panel"), m.panelStyleMenu);
    m.optionsMenu->addSeparator();
    AddSubmenu(m.optionsMenu, QStringLiteral("Notes"), m.notesMenu);
    AddSubmenu(m.optionsMenu, QStringLiteral("Hot keys"), m.hotKeysMenu);
    AddItem(m.optionsMenu, QStringLiteral("Category..."), 57);
    m.optionsMenu->addSeparator();
    AddSubmenu(m.optionsMenu, QStringLiteral("Help"), m.helpMenu);
    m.optionsMenu->addSeparator();
    m.startAtLogin = AddStartAtLogin(m.optionsMenu);
    AddItem(m.optionsMenu, QStringLiteral("Exit"), 54);

    m.categoryMenu = new QMenu(owner);
    RefillCategoryMenu(m.categoryMenu, categories);
    m.signatureMenu = MakeMenu(
        owner, {{"Category", 80}, {"Time create", 81}, {"Void", 83}, {"", 0}, {"Text...", 84}});

    m.editMenu = new QMenu(owner);
    AddSubmenu(m.editMenu, QStringLiteral("Signature"), m.signatureMenu);
    AddItem(m.editMenu, QStringLiteral("Text..."), 90);
    AddItem(m.editMenu, QStringLiteral("Font..."), 92);
    AddSubmenu(m.editMenu, QStringLiteral("Category"), m.categoryMenu);

    m.templateSizeMenu = MakeMenu(owner, {{"120 x 140", 110},
                                          {"132 x 152", 111},
                                          {"145 x 165", 112},
                                          {"", 0},
                                          {"150 x 110", 113},
                                          {"162 x 122", 114},
                                          {"175 x 135", 115}});
    m.templateStyleMenu = MakeMenu(owner, {{"Rectangle", 120},
                                           {"Round top", 121},
                                           {"Round all", 122},
                                           {"Cut BR", 123},
                                           {"Cut BL", 124},
                                           {"Cut TL,BR", 125},
                                           {"Cut TR,BL", 126},
                                           {"", 0},
                                           {"Random", 127}});
    m.templateColorMenu = MakeMenu(owner, {{"Red", 140},
                                           {"Orange", 141},
                                           {"Yellow", 142},
                                           {"Green1", 143},
                                           {"Green2", 144},
                                           {"Blue1", 145},
                                           {"Blue2", 146},
                                           {"Violet", 147},
                                           {"Gray", 148},
                                           {"White", 149},
                                           {"", 0},
                                           {"Random", 150}});

    m.templateMenu = new QMenu(owner);
    AddTitle(m.templateMenu, QStringLiteral("Template"));
    AddSubmenu(m.templateMenu, QStringLiteral("Edit"), m.editMenu);
    AddSubmenu(m.templateMenu, QStringLiteral("Color"), m.templateColorMenu);
    AddSubmenu(m.templateMenu, QStringLiteral("Style"), m.templateStyleMenu);
    AddSubmenu(m.templateMenu, QStringLiteral("Size"), m.templateSizeMenu);
    m.templateMenu->addSeparator();
    AddItem(m.templateMenu, QStringLiteral("Clone"), 101);
    AddItem(m.templateMenu, QStringLiteral("Default"), 105);
    m.templateMenu->addSeparator();
    AddItem(m.templateMenu, QStringLiteral("Delete"), 106);

    for (QMenu* menu :
         {m.viewMenu, m.sortMenu, m.panelColorMenu, m.panelStyleMenu, m.hotKeysMenu, m.notesMenu,
          m.helpMenu, m.optionsMenu, m.categoryMenu, m.signatureMenu, m.editMenu,
          m.templateSizeMenu, m.templateStyleMenu, m.templateColorMenu, m.templateMenu})
        RouteCommands(menu, onCommand);
    return m;
}
