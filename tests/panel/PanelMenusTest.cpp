// The panel's menus: every item, id, separator and submenu, and the routing of clicks.

#include "panel/PanelMenus.h"
#include "panel/TemplateCommands.h"

#include "model/Factory.h"
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

// One line per item: "Text 30", "---", "> Title" for a submenu, "[Text]" for a title item.
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
            lines.push_back(text + " " + std::to_string(CommandId(action)));
    }
    return lines;
}

using Lines = std::vector<std::string>;

class PanelMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadFactoryCategories(categories);
        menus = BuildMenus(&owner, categories, [this](int id) { commands.push_back(id); });
    }
    QWidget owner;
    Categories categories;
    PanelMenus menus;
    std::vector<int> commands;
};

TEST_F(PanelMenusTest, EveryMenuHasItsItemsIdsAndSeparators)
{
    struct Expected {
        const char* name;
        QMenu* menu;
        Lines lines;
    };
    const std::vector<Expected> table = {
        {"view", menus.viewMenu, {"Icons 30", "List 31"}},
        {"sort",
         menus.sortMenu,
         {"Text 40", "Category 41", "Date 42", "Color 43", "Style 44", "Size 45"}},
        {"panelColor",
         menus.panelColorMenu,
         {"Blue 60", "Red 61", "Gray 62", "Green 63", "Violet 64"}},
        {"panelStyle",
         menus.panelStyleMenu,
         {"Rectangle 70", "Round angles 71", "Cut TL and BR 72", "Cut TR and BL 73"}},
        {"hotKeys", menus.hotKeysMenu, {"Left keys 75", "Right keys 76", "---", "None 77"}},
        {"notes",
         menus.notesMenu,
         {"Create Note 38", "Reopen closed note 39", "---", "Minimize all 35", "Restore all 36",
          "---", "Close all 37"}},
        {"help",
         menus.helpMenu,
         {"Help Topic    F1 55", "Lastet Version 58", "Home Page 58", "Contact Form 59", "---",
          "About... 52"}},
        {"options",
         menus.optionsMenu,
         {"Show Panel 50", "Always Top 51", "---", "> Color Panel", "> Style Panel", "---",
          "> Notes", "> Hot keys", "Category... 57", "---", "> Help", "---", "Start at login 0",
          "On all desktops 0", "Shared folder 0", "Exit 54"}},
        {"signature",
         menus.signatureMenu,
         {"Category 80", "Time create 81", "Void 83", "---", "Text... 84"}},
        {"edit", menus.editMenu, {"> Signature", "Text... 90", "Font... 92", "> Category"}},
        {"templateSize",
         menus.templateSizeMenu,
         {"120 x 140 110", "132 x 152 111", "145 x 165 112", "---", "150 x 110 113",
          "162 x 122 114", "175 x 135 115"}},
        {"templateStyle",
         menus.templateStyleMenu,
         {"Rectangle 120", "Round top 121", "Round all 122", "Cut BR 123", "Cut BL 124",
          "Cut TL,BR 125", "Cut TR,BL 126", "---", "Random 127"}},
        {"templateColor",
         menus.templateColorMenu,
         {"Red 140", "Orange 141", "Yellow 142", "Green1 143", "Green2 144", "Blue1 145",
          "Blue2 146", "Violet 147", "Gray 148", "White 149", "---", "Random 150"}},
        {"template",
         menus.templateMenu,
         {"[Template]", "> Edit", "> Color", "> Style", "> Size", "---", "Clone 101", "Default 105",
          "---", "Delete 106"}},
    };
    for (const Expected& e : table) {
        ASSERT_NE(e.menu, nullptr) << e.name;
        EXPECT_EQ(Describe(e.menu), e.lines) << e.name;
    }
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
    for (int i = 0; i < categories.count(); ++i)
        expected.push_back(categories.get(i) + " " + std::to_string(200 + i));
    expected.push_back("---");
    expected.push_back("Edit... 230");
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
    EXPECT_EQ(lines[28], "c28 228");
    EXPECT_EQ(lines[29], "---");
    EXPECT_EQ(lines[30], "Edit... 230");
}

TEST_F(PanelMenusTest, AClickReachesTheCommandOnceAndLeavesNoMarkOfItsOwn)
{
    FindItem(menus.optionsMenu, 61)->trigger();   // "Red", inside "Color Panel"
    FindItem(menus.templateMenu, 147)->trigger(); // "Violet", two levels down
    FindItem(menus.helpMenu, 58)->trigger();
    EXPECT_EQ(commands, (std::vector<int>{61, 147, 58}));
    EXPECT_FALSE(IsChecked(menus.panelColorMenu, 61));
    EXPECT_FALSE(IsChecked(menus.helpMenu, 58));

    // Items added later are routed too.
    RefillCategoryMenu(menus.categoryMenu, categories);
    FindItem(menus.categoryMenu, 201)->trigger();
    EXPECT_EQ(commands.back(), 201);
    EXPECT_EQ(commands.size(), 4u);
}

// Only a marked item shows a check box; plain commands and unmarked choices show none.
TEST_F(PanelMenusTest, OnlyMarkedItemsShowACheckBox)
{
    std::vector<int> boxed;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu())
                walk(action->menu());
            else if (action->isCheckable())
                boxed.push_back(CommandId(action));
        }
    };
    walk(menus.optionsMenu);
    walk(menus.templateMenu);
    EXPECT_TRUE(boxed.empty());

    CheckItem(menus.optionsMenu, 51, true); // "Always Top"
    CheckRadio(menus.signatureMenu, 80, 84, 84);
    CheckRadio(menus.signatureMenu, 80, 84, 81);
    walk(menus.optionsMenu);
    walk(menus.templateMenu);
    EXPECT_EQ(boxed, (std::vector<int>{51, 81}));
    CheckItem(menus.optionsMenu, 51, false);
    EXPECT_FALSE(FindItem(menus.optionsMenu, 51)->isCheckable());
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
