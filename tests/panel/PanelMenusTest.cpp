// The panel's menus as the user sees them, what a click on each item sends, and the
// marks.

#include "panel/PanelMenus.h"
#include "panel/TemplateCommands.h"

#include "model/Factory.h"
#include "panel/PanelTestSupport.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// One line per item as shown: "Text", "---" for a separator, "> Title" for a submenu,
// "[Text]" for a title item.
std::vector<std::string> Describe(QMenu* menu)
{
    std::vector<std::string> lines;
    for (QAction* action : menu->actions()) {
        const std::string text = action->text().toStdString();
        if (action->isSeparator())
            lines.push_back("---");
        else if (action->menu())
            lines.push_back("> " + text);
        else if (!action->isEnabled() && CommandId(action) == 0)
            lines.push_back("[" + text + "]");
        else
            lines.push_back(text);
    }
    return lines;
}

using Lines = std::vector<std::string>;

// The item reached from menu through the texts of path (submenus, then the item).
QAction* ItemAt(QMenu* menu, const std::vector<const char*>& path)
{
    QAction* found = nullptr;
    for (const char* text : path) {
        if (!menu)
            return nullptr;
        const QList<QAction*> items = menu->actions();
        auto it = std::find_if(items.begin(), items.end(),
                               [text](QAction* a) { return a->text() == QString::fromUtf8(text); });
        found = it == items.end() ? nullptr : *it;
        menu = found ? found->menu() : nullptr;
    }
    return found;
}

class PanelMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadFactoryCategories(categories);
        menus = BuildMenus(&owner, categories, [this](PanelCommand id) { commands.push_back(id); });
    }
    // Clicks the item at path and returns what reached the panel.
    Commands Click(QMenu* menu, const std::vector<const char*>& path)
    {
        commands.clear();
        QAction* item = ItemAt(menu, path);
        if (!item)
            return {};
        item->setEnabled(true); // "Reopen closed note" waits for a closed note
        item->trigger();
        return commands;
    }
    QWidget owner;
    Categories categories;
    PanelMenus menus;
    Commands commands;
};

TEST_F(PanelMenusTest, EachMenuShowsItsItemsInOrder)
{
    struct Expected {
        const char* name;
        QMenu* menu;
        Lines lines;
    };
    const std::vector<Expected> table = {
        {"view", menus.viewMenu, {"Icons", "List"}},
        {"sort", menus.sortMenu, {"Text", "Category", "Date", "Color", "Style", "Size"}},
        {"options",
         menus.optionsMenu,
         {"Show Panel", "Always Top", "---", "> Color Panel", "> Style Panel", "---", "> Notes",
          "> Hot keys", "Category...", "---", "> Help", "---", "Start at login", "On all desktops",
          "Shared folder", "Exit"}},
        {"panelColor", menus.panelColorMenu, {"Blue", "Red", "Gray", "Green", "Violet"}},
        {"panelStyle",
         menus.panelStyleMenu,
         {"Rectangle", "Round angles", "Cut TL and BR", "Cut TR and BL"}},
        {"notes",
         menus.notesMenu,
         {"Create Note", "Reopen closed note", "---", "Minimize all", "Restore all", "---",
          "Close all"}},
        {"hotKeys", menus.hotKeysMenu, {"Left keys", "Right keys", "---", "None"}},
        {"help",
         menus.helpMenu,
         {"Help Topic    F1", "Lastet Version", "Home Page", "Contact Form", "---", "About..."}},
        {"template",
         menus.templateMenu,
         {"[Template]", "> Edit", "> Color", "> Style", "> Size", "---", "Clone", "Default", "---",
          "Delete"}},
        {"edit", menus.editMenu, {"> Signature", "Text...", "Font...", "> Category"}},
        {"signature", menus.signatureMenu, {"Category", "Time create", "Void", "---", "Text..."}},
        {"templateColor",
         menus.templateColorMenu,
         {"Red", "Orange", "Yellow", "Green1", "Green2", "Blue1", "Blue2", "Violet", "Gray",
          "White", "---", "Random"}},
        {"templateStyle",
         menus.templateStyleMenu,
         {"Rectangle", "Round top", "Round all", "Cut BR", "Cut BL", "Cut TL,BR", "Cut TR,BL",
          "---", "Random"}},
        {"templateSize",
         menus.templateSizeMenu,
         {"120 x 140", "132 x 152", "145 x 165", "---", "150 x 110", "162 x 122", "175 x 135"}},
    };
    for (const Expected& e : table) {
        ASSERT_NE(e.menu, nullptr) << e.name;
        EXPECT_EQ(Describe(e.menu), e.lines) << e.name;
        EXPECT_EQ(owner.findChild<QMenu*>(QString::fromLatin1(e.name) + "Menu"), e.menu) << e.name;
    }
}

// A click reaches the panel once, as the command named for what the item says; a value
// command sends the first command of its group plus the item's place in it.
TEST_F(PanelMenusTest, EachItemSendsItsNamedCommandOnce)
{
    using enum PanelCommand;
    using Path = std::vector<const char*>;
    const std::vector<std::pair<Path, PanelCommand>> items = {
        {{"Show Panel"}, ShowPanel},
        {{"Always Top"}, AlwaysTop},
        {{"Notes", "Create Note"}, CreateNote},
        {{"Notes", "Reopen closed note"}, ReopenClosedNote},
        {{"Notes", "Minimize all"}, MinimizeAll},
        {{"Notes", "Restore all"}, RestoreAll},
        {{"Notes", "Close all"}, CloseAll},
        {{"Category..."}, CategoryDialog},
        {{"Help", "Help Topic    F1"}, HelpTopic},
        {{"Help", "Lastet Version"}, ProductPage},
        {{"Help", "Home Page"}, ProductPage},
        {{"Help", "Contact Form"}, ContactForm},
        {{"Help", "About..."}, About},
        {{"Exit"}, Exit},
    };
    for (const auto& [path, command] : items)
        EXPECT_EQ(Click(menus.optionsMenu, path), Commands{command}) << path.back();

    const std::vector<std::pair<Path, PanelCommand>> templateItems = {
        {{"Edit", "Signature", "Category"}, SignatureCategory},
        {{"Edit", "Signature", "Time create"}, SignatureTime},
        {{"Edit", "Signature", "Void"}, SignatureVoid},
        {{"Edit", "Signature", "Text..."}, SignatureText},
        {{"Edit", "Text..."}, EditText},
        {{"Edit", "Font..."}, EditFont},
        {{"Edit", "Category", "Home"}, FirstCategory},
        {{"Edit", "Category", "Gifts"}, FirstCategory + 12},
        {{"Edit", "Category", "Edit..."}, EditCategories},
        {{"Color", "Random"}, ColorRandom},
        {{"Style", "Random"}, StyleRandom},
        {{"Clone"}, Clone},
        {{"Default"}, Default},
        {{"Delete"}, Delete},
    };
    for (const auto& [path, command] : templateItems)
        EXPECT_EQ(Click(menus.templateMenu, path), Commands{command}) << path.back();

    struct Group {
        QMenu* menu;
        std::vector<const char*> texts; // in the order of their values
        PanelCommand first;
    };
    const Group groups[] = {
        {menus.viewMenu, {"Icons", "List"}, ViewIcons},
        {menus.sortMenu, {"Text", "Category", "Date", "Color", "Style", "Size"}, SortText},
        {menus.panelColorMenu, {"Blue", "Red", "Gray", "Green", "Violet"}, PanelBlue},
        {menus.panelStyleMenu,
         {"Rectangle", "Round angles", "Cut TL and BR", "Cut TR and BL"},
         PanelRectangle},
        {menus.hotKeysMenu, {"Left keys", "Right keys", "None"}, LeftKeys},
        {menus.templateColorMenu,
         {"Red", "Orange", "Yellow", "Green1", "Green2", "Blue1", "Blue2", "Violet", "Gray",
          "White"},
         ColorRed},
        {menus.templateStyleMenu,
         {"Rectangle", "Round top", "Round all", "Cut BR", "Cut BL", "Cut TL,BR", "Cut TR,BL"},
         StyleRectangle},
        {menus.templateSizeMenu,
         {"120 x 140", "132 x 152", "145 x 165", "150 x 110", "162 x 122", "175 x 135"},
         Size120x140},
    };
    for (const Group& g : groups)
        for (int value = 0; value < static_cast<int>(g.texts.size()); ++value)
            EXPECT_EQ(Click(g.menu, {g.texts[value]}), Commands{g.first + value}) << g.texts[value];
}

TEST_F(PanelMenusTest, SubmenusAreTheNamedMenus)
{
    auto submenu = [](QMenu* menu, const char* title) -> QMenu* {
        for (QAction* action : menu->actions())
            if (action->menu() && action->text() == QString::fromLatin1(title))
                return action->menu();
        return nullptr;
    };
    EXPECT_EQ(submenu(menus.optionsMenu, "Color Panel"), menus.panelColorMenu);
    EXPECT_EQ(submenu(menus.optionsMenu, "Style Panel"), menus.panelStyleMenu);
    EXPECT_EQ(submenu(menus.optionsMenu, "Notes"), menus.notesMenu);
    EXPECT_EQ(submenu(menus.optionsMenu, "Hot keys"), menus.hotKeysMenu);
    EXPECT_EQ(submenu(menus.optionsMenu, "Help"), menus.helpMenu);
    EXPECT_EQ(submenu(menus.editMenu, "Signature"), menus.signatureMenu);
    EXPECT_EQ(submenu(menus.editMenu, "Category"), menus.categoryMenu);
    EXPECT_EQ(submenu(menus.templateMenu, "Edit"), menus.editMenu);
    EXPECT_EQ(submenu(menus.templateMenu, "Color"), menus.templateColorMenu);
    EXPECT_EQ(submenu(menus.templateMenu, "Style"), menus.templateStyleMenu);
    EXPECT_EQ(submenu(menus.templateMenu, "Size"), menus.templateSizeMenu);
}

TEST_F(PanelMenusTest, CategoryMenuListsTheCategoriesThenEdit)
{
    Lines expected;
    for (int i = 0; i < categories.count(); ++i) {
        expected.push_back(categories.get(i));
        EXPECT_EQ(Click(menus.categoryMenu, {categories.get(i).c_str()}),
                  Commands{PanelCommand::FirstCategory + i});
    }
    expected.push_back("---");
    expected.push_back("Edit...");
    EXPECT_EQ(Describe(menus.categoryMenu), expected);
}

TEST_F(PanelMenusTest, CategoryMenuStopsAtTwentyNine)
{
    Categories many;
    for (int i = 0; i < 31; ++i)
        many.append("c" + std::to_string(i));
    RefillCategoryMenu(menus.categoryMenu, many);
    const Lines lines = Describe(menus.categoryMenu);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[28], "c28");
    EXPECT_EQ(lines[29], "---");
    EXPECT_EQ(lines[30], "Edit...");
    EXPECT_EQ(Click(menus.categoryMenu, {"c28"}), Commands{PanelCommand::FirstCategory + 28});
    EXPECT_EQ(Click(menus.categoryMenu, {"Edit..."}), Commands{PanelCommand::EditCategories});
}

TEST_F(PanelMenusTest, AClickReachesTheCommandOnceAndLeavesNoMarkOfItsOwn)
{
    using enum PanelCommand;
    ItemAt(menus.optionsMenu, {"Color Panel", "Red"})->trigger();
    ItemAt(menus.templateMenu, {"Color", "Violet"})->trigger(); // two levels down
    ItemAt(menus.helpMenu, {"Home Page"})->trigger();
    EXPECT_EQ(commands, (Commands{PanelRed, ColorViolet, ProductPage}));
    EXPECT_FALSE(IsChecked(menus.panelColorMenu, PanelRed));
    EXPECT_FALSE(IsChecked(menus.helpMenu, ProductPage));

    // Items added later are routed too.
    RefillCategoryMenu(menus.categoryMenu, categories);
    ItemAt(menus.categoryMenu, {"Holiday"})->trigger();
    EXPECT_EQ(commands.back(), FirstCategory + 1);
    EXPECT_EQ(commands.size(), 4u);
}

// Only a marked item shows a check box; plain commands and unmarked choices show none.
TEST_F(PanelMenusTest, OnlyMarkedItemsShowACheckBox)
{
    Commands boxed;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu())
                walk(action->menu());
            else if (action->isCheckable())
                boxed.push_back(static_cast<PanelCommand>(CommandId(action)));
        }
    };
    walk(menus.optionsMenu);
    walk(menus.templateMenu);
    EXPECT_TRUE(boxed.empty());

    using enum PanelCommand;
    CheckItem(menus.optionsMenu, Id(AlwaysTop), true);
    CheckRadio(menus.signatureMenu, Id(SignatureCategory), Id(SignatureText), Id(SignatureText));
    CheckRadio(menus.signatureMenu, Id(SignatureCategory), Id(SignatureText), Id(SignatureTime));
    walk(menus.optionsMenu);
    walk(menus.templateMenu);
    EXPECT_EQ(boxed, (Commands{AlwaysTop, SignatureTime}));
    CheckItem(menus.optionsMenu, Id(AlwaysTop), false);
    EXPECT_FALSE(FindItem(menus.optionsMenu, AlwaysTop)->isCheckable());
}

} // namespace

namespace {

TEST_F(PanelMenusTest, StartAtLoginWritesAndRemovesTheAutostartLauncher)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString file = config.path() + "/autostart/" PINLEAF_APP_ID ".desktop";
    QAction* item = menus.startAtLogin;
    ASSERT_NE(item, nullptr);
    emit menus.optionsMenu->aboutToShow();
    EXPECT_FALSE(item->isChecked());

    item->trigger();
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
    const QStringList lines = QString::fromUtf8(written.readAll()).split('\n');
    written.close();
    EXPECT_EQ(lines.value(0), "[Desktop Entry]");
    EXPECT_TRUE(lines.contains("Type=Application"));
    EXPECT_TRUE(lines.contains("Exec=\"" + QCoreApplication::applicationFilePath() + "\""));
    EXPECT_TRUE(lines.contains("Icon=" PINLEAF_APP_ID));
    EXPECT_TRUE(item->isChecked());

    item->trigger();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(commands.empty()); // the item acts on its own, no panel command

    // The mark shows the file, also one that came by other means.
    ASSERT_TRUE(QDir().mkpath(config.path() + "/autostart"));
    ASSERT_TRUE(written.open(QIODevice::WriteOnly));
    written.close();
    emit menus.optionsMenu->aboutToShow();
    EXPECT_TRUE(item->isChecked());
    qputenv("XDG_CONFIG_HOME", previous);
}

} // namespace
