#include "panel/PanelMenus.h"

#include "panel/TemplateCommands.h"
#include "platform/Autostart.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

namespace {

// Items are added as (text, command); NoCommand is a separator.
struct Item {
    const char* text;
    PanelCommand id;
};
constexpr Item kSeparator = {"", PanelCommand::NoCommand};

QAction* AddItem(QMenu* menu, const char* text, PanelCommand id)
{
    return ::AddItem(menu, QCoreApplication::translate("PanelMenus", text), Id(id));
}

// A menu named name (its object name), owned by owner.
QMenu* NewMenu(QWidget* owner, const char* name)
{
    auto* menu = new QMenu(owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* MakeMenu(QWidget* owner, const char* name, std::initializer_list<Item> items)
{
    QMenu* menu = NewMenu(owner, name);
    for (const Item& item : items) {
        if (item.id == PanelCommand::NoCommand)
            menu->addSeparator();
        else
            AddItem(menu, item.text, item.id);
    }
    return menu;
}

// A click in a submenu is reported by the submenu and by each menu above it; only the
// menu that holds the item passes it on. Items are checkable so that they can carry
// marks, and Qt flips a checkable item on every click: the flip is undone here, since
// every mark is set by the command itself.
void RouteCommands(QMenu* menu, const std::function<void(PanelCommand)>& onCommand)
{
    QObject::connect(menu, &QMenu::triggered, menu, [menu, onCommand](QAction* action) {
        if (!menu->actions().contains(action) || CommandId(action) == 0)
            return;
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        onCommand(static_cast<PanelCommand>(CommandId(action)));
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
                      std::function<void(PanelCommand)> onCommand)
{
    using enum PanelCommand;
    PanelMenus m;
    m.viewMenu = MakeMenu(owner, "viewMenu",
                          {{QT_TRANSLATE_NOOP("PanelMenus", "Icons"), ViewIcons},
                           {QT_TRANSLATE_NOOP("PanelMenus", "List"), ViewList}});
    m.sortMenu = MakeMenu(owner, "sortMenu",
                          {{QT_TRANSLATE_NOOP("PanelMenus", "Text"), SortText},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Category"), SortCategory},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Date"), SortDate},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Color"), SortColor},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Style"), SortStyle},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Size"), SortSize}});
    m.panelColorMenu = MakeMenu(owner, "panelColorMenu",
                                {{QT_TRANSLATE_NOOP("PanelMenus", "Blue"), PanelBlue},
                                 {QT_TRANSLATE_NOOP("PanelMenus", "Red"), PanelRed},
                                 {QT_TRANSLATE_NOOP("PanelMenus", "Gray"), PanelGray},
                                 {QT_TRANSLATE_NOOP("PanelMenus", "Green"), PanelGreen},
                                 {QT_TRANSLATE_NOOP("PanelMenus", "Violet"), PanelViolet}});
    m.panelStyleMenu =
        MakeMenu(owner, "panelStyleMenu",
                 {{QT_TRANSLATE_NOOP("PanelMenus", "Rectangle"), PanelRectangle},
                  {QT_TRANSLATE_NOOP("PanelMenus", "Round angles"), PanelRoundAngles},
                  {QT_TRANSLATE_NOOP("PanelMenus", "Cut TL and BR"), PanelCutTLBR},
                  {QT_TRANSLATE_NOOP("PanelMenus", "Cut TR and BL"), PanelCutTRBL}});
    m.hotKeysMenu = MakeMenu(owner, "hotKeysMenu",
                             {{QT_TRANSLATE_NOOP("PanelMenus", "Left keys"), LeftKeys},
                              {QT_TRANSLATE_NOOP("PanelMenus", "Right keys"), RightKeys},
                              kSeparator,
                              {QT_TRANSLATE_NOOP("PanelMenus", "None"), NoHotKeys}});
    m.notesMenu =
        MakeMenu(owner, "notesMenu",
                 {{QT_TRANSLATE_NOOP("PanelMenus", "Create Note"), CreateNote},
                  {QT_TRANSLATE_NOOP("PanelMenus", "Reopen closed note"), ReopenClosedNote},
                  kSeparator,
                  {QT_TRANSLATE_NOOP("PanelMenus", "Minimize all"), MinimizeAll},
                  {QT_TRANSLATE_NOOP("PanelMenus", "Restore all"), RestoreAll},
                  kSeparator,
                  {QT_TRANSLATE_NOOP("PanelMenus", "Close all"), CloseAll}});
    m.reopenClosedNote = FindItem(m.notesMenu, Id(ReopenClosedNote));
    m.reopenClosedNote->setEnabled(false);
    m.helpMenu = MakeMenu(owner, "helpMenu",
                          {{QT_TRANSLATE_NOOP("PanelMenus", "Help Topic    F1"), HelpTopic},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Lastet Version"), ProductPage},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Home Page"), ProductPage},
                           {QT_TRANSLATE_NOOP("PanelMenus", "Contact Form"), ContactForm},
                           kSeparator,
                           {QT_TRANSLATE_NOOP("PanelMenus", "About..."), About}});

    m.optionsMenu = MakeMenu(owner, "optionsMenu",
                             {{QT_TRANSLATE_NOOP("PanelMenus", "Show Panel"), ShowPanel},
                              {QT_TRANSLATE_NOOP("PanelMenus", "Always Top"), AlwaysTop},
                              kSeparator});
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Color Panel"),
               m.panelColorMenu);
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Style Panel"),
               m.panelStyleMenu);
    m.optionsMenu->addSeparator();
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Notes"), m.notesMenu);
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Hot keys"), m.hotKeysMenu);
    AddItem(m.optionsMenu, QT_TRANSLATE_NOOP("PanelMenus", "Category..."), CategoryDialog);
    m.optionsMenu->addSeparator();
    AddSubmenu(m.optionsMenu, QCoreApplication::translate("PanelMenus", "Help"), m.helpMenu);
    m.optionsMenu->addSeparator();
    m.startAtLogin = AddStartAtLogin(m.optionsMenu);
    m.onAllDesktops =
        m.optionsMenu->addAction(QCoreApplication::translate("PanelMenus", "On all desktops"));
    m.sharedFolder =
        m.optionsMenu->addAction(QCoreApplication::translate("PanelMenus", "Shared folder"));
    AddItem(m.optionsMenu, QT_TRANSLATE_NOOP("PanelMenus", "Exit"), Exit);

    m.categoryMenu = NewMenu(owner, "categoryMenu");
    RefillCategoryMenu(m.categoryMenu, categories);
    m.signatureMenu = MakeMenu(owner, "signatureMenu",
                               {{QT_TRANSLATE_NOOP("PanelMenus", "Category"), SignatureCategory},
                                {QT_TRANSLATE_NOOP("PanelMenus", "Time create"), SignatureTime},
                                {QT_TRANSLATE_NOOP("PanelMenus", "Void"), SignatureVoid},
                                kSeparator,
                                {QT_TRANSLATE_NOOP("PanelMenus", "Text..."), SignatureText}});

    m.editMenu = NewMenu(owner, "editMenu");
    AddSubmenu(m.editMenu, QCoreApplication::translate("PanelMenus", "Signature"), m.signatureMenu);
    AddItem(m.editMenu, QT_TRANSLATE_NOOP("PanelMenus", "Text..."), EditText);
    AddItem(m.editMenu, QT_TRANSLATE_NOOP("PanelMenus", "Font..."), EditFont);
    AddSubmenu(m.editMenu, QCoreApplication::translate("PanelMenus", "Category"), m.categoryMenu);

    m.templateSizeMenu = MakeMenu(owner, "templateSizeMenu",
                                  {{"120 x 140", Size120x140},
                                   {"132 x 152", Size132x152},
                                   {"145 x 165", Size145x165},
                                   kSeparator,
                                   {"150 x 110", Size150x110},
                                   {"162 x 122", Size162x122},
                                   {"175 x 135", Size175x135}});
    m.templateStyleMenu = MakeMenu(owner, "templateStyleMenu",
                                   {{QT_TRANSLATE_NOOP("PanelMenus", "Rectangle"), StyleRectangle},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Round top"), StyleRoundTop},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Round all"), StyleRoundAll},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Cut BR"), StyleCutBR},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Cut BL"), StyleCutBL},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Cut TL,BR"), StyleCutTLBR},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Cut TR,BL"), StyleCutTRBL},
                                    kSeparator,
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Random"), StyleRandom}});
    m.templateColorMenu = MakeMenu(owner, "templateColorMenu",
                                   {{QT_TRANSLATE_NOOP("PanelMenus", "Red"), ColorRed},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Orange"), ColorOrange},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Yellow"), ColorYellow},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Green1"), ColorGreen1},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Green2"), ColorGreen2},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Blue1"), ColorBlue1},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Blue2"), ColorBlue2},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Violet"), ColorViolet},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Gray"), ColorGray},
                                    {QT_TRANSLATE_NOOP("PanelMenus", "White"), ColorWhite},
                                    kSeparator,
                                    {QT_TRANSLATE_NOOP("PanelMenus", "Random"), ColorRandom}});

    m.templateMenu = NewMenu(owner, "templateMenu");
    AddTitle(m.templateMenu, QCoreApplication::translate("PanelMenus", "Template"));
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Edit"), m.editMenu);
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Color"),
               m.templateColorMenu);
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Style"),
               m.templateStyleMenu);
    AddSubmenu(m.templateMenu, QCoreApplication::translate("PanelMenus", "Size"),
               m.templateSizeMenu);
    m.templateMenu->addSeparator();
    AddItem(m.templateMenu, QT_TRANSLATE_NOOP("PanelMenus", "Clone"), Clone);
    AddItem(m.templateMenu, QT_TRANSLATE_NOOP("PanelMenus", "Default"), Default);
    m.templateMenu->addSeparator();
    AddItem(m.templateMenu, QT_TRANSLATE_NOOP("PanelMenus", "Delete"), Delete);

    for (QMenu* menu :
         {m.viewMenu, m.sortMenu, m.panelColorMenu, m.panelStyleMenu, m.hotKeysMenu, m.notesMenu,
          m.helpMenu, m.optionsMenu, m.categoryMenu, m.signatureMenu, m.editMenu,
          m.templateSizeMenu, m.templateStyleMenu, m.templateColorMenu, m.templateMenu})
        RouteCommands(menu, onCommand);
    return m;
}
