#include "panel/PanelMenus.h"

#include "panel/TemplateCommands.h"
#include "platform/Autostart.h"
#include "widgets/Menus.h"
#include "platform/Platform.h"
#include "platform/Text.h"

#include <QAction>
#include <QCoreApplication>
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
            AddItem(menu, QCoreApplication::translate("PanelMenus", item.text), item.id);
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
    QAction* item =
        optionsMenu->addAction(QCoreApplication::translate("PanelMenus", "Start at login"));
    MarkStartAtLogin(item);
    QObject::connect(optionsMenu, &QMenu::aboutToShow, item, [item] { MarkStartAtLogin(item); });
    QObject::connect(item, &QAction::triggered, item, [item] {
        QString error;
        if (!SetStartAtLogin(!StartsAtLogin(), &error))
            platform().ask(nullptr,
                           FromQt(QCoreApplication::translate("PanelMenus", "Cannot change %1: %2")
                                      .arg(AutostartFile(), error)),
                           FromQt(QCoreApplication::translate("PanelMenus", "Attention!")),
                           MessageButtons::Ok, MessageIcon::Stop);
        MarkStartAtLogin(item);
    });
    return item;
}

} // namespace

PanelMenus BuildMenus(QWidget* owner, const Categories& categories,
                      std::function<void(int)> onCommand)
{
    PanelMenus m;
    m.viewMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Icons"), 30},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "List"), 31}});
    m.sortMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Text"), 40},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Category"), 41},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Date"), 42},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Color"), 43},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Style"), 44},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Size"), 45}});
    m.panelColorMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Blue"), 60},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Red"), 61},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Gray"), 62},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Green"), 63},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Violet"), 64}});
    m.panelStyleMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Rectangle"), 70},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Round angles"), 71},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Cut TL and BR"), 72},
                                        {QT_TRANSLATE_NOOP("PanelMenus", "Cut TR and BL"), 73}});
    m.hotKeysMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Left keys"), 75},
                                     {QT_TRANSLATE_NOOP("PanelMenus", "Right keys"), 76},
                                     {"", 0},
                                     {QT_TRANSLATE_NOOP("PanelMenus", "None"), 77}});
    m.notesMenu = MakeMenu(
        owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Create Note"), 38},
                {QT_TRANSLATE_NOOP("PanelMenus", "Reopen closed note"), kReopenClosedNoteCommand},
                {"", 0},
                {QT_TRANSLATE_NOOP("PanelMenus", "Minimize all"), 35},
                {QT_TRANSLATE_NOOP("PanelMenus", "Restore all"), 36},
                {"", 0},
                {QT_TRANSLATE_NOOP("PanelMenus", "Close all"), 37}});
    m.reopenClosedNote = FindItem(m.notesMenu, kReopenClosedNoteCommand);
    m.reopenClosedNote->setEnabled(false);
    m.helpMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Help Topic    F1"), 55},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Lastet Version"), 58},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Home Page"), 58},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "Contact Form"), 59},
                                  {"", 0},
                                  {QT_TRANSLATE_NOOP("PanelMenus", "About..."), 52}});

    m.optionsMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Show Panel"), 50},
                                     {QT_TRANSLATE_NOOP("PanelMenus", "Always Top"), 51},
                                     {"", 0}});
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Color Panel"),
               m.panelColorMenu);
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Style Panel"),
               m.panelStyleMenu);
    m.optionsMenu->addSeparator();
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Notes"), m.notesMenu);
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Hot keys"), m.hotKeysMenu);
    AddItem(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Category..."), 57);
    m.optionsMenu->addSeparator();
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Help"), m.helpMenu);
    m.optionsMenu->addSeparator();
    m.startAtLogin = AddStartAtLogin(m.optionsMenu);
    m.onAllDesktops =
        m.optionsMenu->addAction(QCoreApplication::translate("PanelMenus", "On all desktops"));
    m.sharedFolder =
        m.optionsMenu->addAction(QCoreApplication::translate("PanelMenus", "Shared folder"));
    AddItem(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Exit"), 54);

    m.categoryMenu = new QMenu(owner);
    RefillCategoryMenu(m.categoryMenu, categories);
    m.signatureMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Category"), 80},
                                       {QT_TRANSLATE_NOOP("PanelMenus", "Time create"), 81},
                                       {QT_TRANSLATE_NOOP("PanelMenus", "Void"), 83},
                                       {"", 0},
                                       {QT_TRANSLATE_NOOP("PanelMenus", "Text..."), 84}});

    m.editMenu = new QMenu(owner);
    AddSubmenu(m.editMenu, QCoreApplication::translate("PanelMenus", "Signature"), m.signatureMenu);
    AddItem(m.editMenu, QCoreApplication::translate("PanelMenus", "Text..."), 90);
    AddItem(m.editMenu, QCoreApplication::translate("PanelMenus", "Font..."), 92);
    AddSubmenu(m.editMenu, QCoreApplication::translate("PanelMenus", "Category"), m.categoryMenu);

    m.templateSizeMenu = MakeMenu(owner, {{"120 x 140", 110},
                                          {"132 x 152", 111},
                                          {"145 x 165", 112},
                                          {"", 0},
                                          {"150 x 110", 113},
                                          {"162 x 122", 114},
                                          {"175 x 135", 115}});
    m.templateStyleMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Rectangle"), 120},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Round top"), 121},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Round all"), 122},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Cut BR"), 123},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Cut BL"), 124},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Cut TL,BR"), 125},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Cut TR,BL"), 126},
                                           {"", 0},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Random"), 127}});
    m.templateColorMenu = MakeMenu(owner, {{QT_TRANSLATE_NOOP("PanelMenus", "Red"), 140},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Orange"), 141},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Yellow"), 142},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Green1"), 143},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Green2"), 144},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Blue1"), 145},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Blue2"), 146},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Violet"), 147},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Gray"), 148},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "White"), 149},
                                           {"", 0},
                                           {QT_TRANSLATE_NOOP("PanelMenus", "Random"), 150}});

    m.templateMenu = new QMenu(owner);
    AddTitle(m.templateMenu, QCoreApplication::translate("PanelMenus", "Template"));
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Edit"), m.editMenu);
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Color"),
               m.templateColorMenu);
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Style"),
               m.templateStyleMenu);
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Size"),
               m.templateSizeMenu);
    m.templateMenu->addSeparator();
    AddItem(m.templateMenu, QCoreApplication::translate("PanelMenus", "Clone"), 101);
    AddItem(m.templateMenu, QCoreApplication::translate("PanelMenus", "Default"), 105);
    m.templateMenu->addSeparator();
    AddItem(m.templateMenu, QCoreApplication::translate("PanelMenus", "Delete"), 106);

    for (QMenu* menu :
         {m.viewMenu, m.sortMenu, m.panelColorMenu, m.panelStyleMenu, m.hotKeysMenu, m.notesMenu,
          m.helpMenu, m.optionsMenu, m.categoryMenu, m.signatureMenu, m.editMenu,
          m.templateSizeMenu, m.templateStyleMenu, m.templateColorMenu, m.templateMenu})
        RouteCommands(menu, onCommand);
    return m;
}
