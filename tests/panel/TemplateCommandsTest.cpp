#include "panel/TemplateCommands.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

SNote BaseTemplate()
{
    SNote t;
    t.text = "Great idea...";
    t.category = "Favorites";
    t.signatureKind = TimeCreate;
    t.size = Size132x152;
    t.shape = Rectangle;
    t.color = Blue2;
    t.signatureText = "My note...";
    t.font.setFace("Arial");
    t.font.height = -11;
    t.created = SystemTime{2024, 6, 3, 12, 9, 30, 15, 0};
    return t;
}

TEST(TemplateFieldCommand, EachCommandChangesOnlyItsField)
{
    struct Case {
        int id;
        void (*expect)(SNote&);
    };
    const std::vector<Case> cases = {
        {200, [](SNote& t) { t.category = "Work"; }}, {229, [](SNote& t) { t.category = "Work"; }},
        {80, [](SNote& t) { t.signatureKind = 0; }},  {81, [](SNote& t) { t.signatureKind = 1; }},
        {83, [](SNote& t) { t.signatureKind = 3; }},  {110, [](SNote& t) { t.size = 0; }},
        {115, [](SNote& t) { t.size = 5; }},          {120, [](SNote& t) { t.shape = 0; }},
        {125, [](SNote& t) { t.shape = 5; }},         {127, [](SNote& t) { t.shape = 7; }},
        {140, [](SNote& t) { t.color = 0; }},         {149, [](SNote& t) { t.color = 9; }},
        {150, [](SNote& t) { t.color = 10; }},        {151, [](SNote& t) { t.color = 11; }},
    };
    for (const Case& c : cases) {
        SNote t = BaseTemplate();
        SNote expected = BaseTemplate();
        c.expect(expected);
        EXPECT_TRUE(ApplyTemplateFieldCommand(t, c.id, "Work")) << c.id;
        EXPECT_EQ(t, expected) << c.id;
    }
}

TEST(TemplateFieldCommand, OtherCommandsLeaveTheTemplateAlone)
{
    for (int id : {0, 79, 84, 90, 92, 101, 105, 106, 116, 128, 139, 152, 199, 230, 231}) {
        SNote t = BaseTemplate();
        EXPECT_FALSE(ApplyTemplateFieldCommand(t, id, "Work")) << id;
        EXPECT_EQ(t, BaseTemplate()) << id;
    }
}

// The template menus as the panel builds them.
struct Menus {
    QMenu category, signature, size, style, color, edit, templ;
    TemplateMenus refs{&category, &signature, &size, &style, &color, &templ};

    explicit Menus(const Categories& categories)
    {
        RefillCategoryMenu(&category, categories);
        AddItem(&signature, "Category", 80);
        AddItem(&signature, "Time create", 81);
        AddItem(&signature, "Void", 83);
        signature.addSeparator();
        AddItem(&signature, "Text...", 84);
        int id = 110;
        for (const char* s :
             {"120 x 140", "132 x 152", "145 x 165", "150 x 110", "162 x 122", "175 x 135"})
            AddItem(&size, s, id++);
        id = 120;
        for (const char* s :
             {"Rectangle", "Round top", "Round all", "Cut BR", "Cut BL", "Cut TL,BR", "Cut TR,BL"})
            AddItem(&style, s, id++);
        style.addSeparator();
        AddItem(&style, "Random", 127);
        id = 140;
        for (const char* s : {"Red", "Orange", "Yellow", "Green1", "Green2", "Blue1", "Blue2",
                              "Violet", "Gray", "White"})
            AddItem(&color, s, id++);
        color.addSeparator();
        AddItem(&color, "Random", 150);
        AddSubmenu(&edit, "Signature", &signature);
        AddItem(&edit, "Text...", 90);
        AddItem(&edit, "Font...", 92);
        AddSubmenu(&edit, "Category", &category);
        AddTitle(&templ, "Template");
        AddSubmenu(&templ, "Edit", &edit);
        AddSubmenu(&templ, "Color", &color);
        AddSubmenu(&templ, "Style", &style);
        AddSubmenu(&templ, "Size", &size);
        templ.addSeparator();
        AddItem(&templ, "Clone", 101);
        AddItem(&templ, "Default", 105);
        templ.addSeparator();
        AddItem(&templ, "Delete", 106);
    }

    // Every marked id of one menu tree.
    static std::vector<int> Marked(QMenu* menu)
    {
        std::vector<int> out;
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                for (int id : Marked(a->menu()))
                    out.push_back(id);
            } else if (a->isChecked()) {
                out.push_back(CommandId(a));
            }
        }
        return out;
    }
};

Categories Factory13()
{
    Categories c;
    for (const char* name : {"Home", "Holiday", "Work", "Business", "Health", "Love", "Sport",
                             "Meeting", "To do", "Games", "Plans", "Idias", "Gifts"})
        c.append(name);
    return c;
}

TEST(PrepareTemplateMenu, MarksEveryFieldOfTheTemplate)
{
    const Categories categories = Factory13();
    Menus menus(categories);
    SNote t = BaseTemplate();
    t.category = "Work";
    t.signatureKind = Void;
    t.size = Size162x122;
    t.shape = RandomShape;
    t.color = RandomColor;
    t.isDefault = true;
    PrepareTemplateMenuMarks(menus.refs, t, categories);
    // In menu order: signature and category under "Edit", then colour, style, size, "Default".
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{83, 202, 150, 127, 114, 105}));

    t.category = "Gifts";
    t.signatureKind = Category;
    t.size = Size120x140;
    t.shape = CutTLBR;
    t.color = Red;
    t.isDefault = false;
    PrepareTemplateMenuMarks(menus.refs, t, categories);
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{80, 212, 140, 125, 110}));
}

TEST(PrepareTemplateMenu, ValuesWithoutAnItemLeaveNoStaleMark)
{
    // Thirty categories: the menu lists twenty-nine, so the last one has no item.
    Categories categories = Factory13();
    for (int i = categories.count(); i < 30; ++i)
        categories.append("Extra " + std::to_string(i));
    Menus menus(categories);
    SNote t = BaseTemplate();
    t.category = "Home";
    t.isDefault = true;
    PrepareTemplateMenuMarks(menus.refs, t, categories);
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{81, 200, 146, 120, 111, 105}));

    // The next template opened: every radio group is cleared, only "Default" is marked.
    SNote damaged = t;
    damaged.category = "Extra 29";
    damaged.signatureKind = 2; // a kind without an item
    damaged.size = -1;
    damaged.shape = INT_MAX;
    damaged.color = 11; // what command 151 leaves: shown as "Random", no item of its own
    PrepareTemplateMenuMarks(menus.refs, damaged, categories);
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{105}));

    PrepareTemplateMenuMarks(menus.refs, t, categories);
    damaged.category = "Not listed";
    damaged.color = INT_MIN;
    damaged.signatureKind = INT_MAX;
    damaged.isDefault = false;
    PrepareTemplateMenuMarks(menus.refs, damaged, categories);
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{}));
}

TEST(PrepareTemplateMenu, CategoryMarkGoesToTheFirstEqualEntry)
{
    Categories categories;
    for (const char* name : {"A", "Dup", "B", "Dup"})
        categories.append(name);
    Menus menus(categories);
    SNote t = BaseTemplate();
    t.category = "Dup";
    PrepareTemplateMenuMarks(menus.refs, t, categories);
    EXPECT_TRUE(IsChecked(&menus.category, 201));
    EXPECT_FALSE(IsChecked(&menus.category, 203));
    // Comparison is exact: no equal entry, no mark.
    for (const char* other : {"dup", "b"}) {
        t.category = "Dup";
        PrepareTemplateMenuMarks(menus.refs, t, categories);
        t.category = other;
        PrepareTemplateMenuMarks(menus.refs, t, categories);
        EXPECT_EQ(Menus::Marked(&menus.category), (std::vector<int>{})) << other;
    }
}

TEST(TemplateFieldCommand, MarkFollowsTheChosenItem)
{
    const Categories categories = Factory13();
    Menus menus(categories);
    MarkTemplateFieldCommand(menus.refs, 143);
    MarkTemplateFieldCommand(menus.refs, 126);
    MarkTemplateFieldCommand(menus.refs, 113);
    MarkTemplateFieldCommand(menus.refs, 83);
    MarkTemplateFieldCommand(menus.refs, 205);
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{83, 205, 143, 126, 113}));
    MarkTemplateFieldCommand(menus.refs, 145);
    MarkTemplateFieldCommand(menus.refs, 80);
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{80, 205, 145, 126, 113}));
    MarkTemplateFieldCommand(menus.refs, 151); // no item: no colour is marked
    EXPECT_EQ(Menus::Marked(&menus.templ), (std::vector<int>{80, 205, 126, 113}));
}

TEST(RefillCategoryMenu, ThirtyCategoriesListTwentyNineThenEdit)
{
    Categories categories;
    for (int i = 0; i < 30; ++i)
        categories.append("Cat " + std::to_string(i));
    QMenu menu;
    RefillCategoryMenu(&menu, categories);
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 31);
    for (int i = 0; i < 29; ++i) {
        EXPECT_EQ(items[i]->text(), QString("Cat %1").arg(i));
        EXPECT_EQ(CommandId(items[i]), 200 + i);
    }
    EXPECT_TRUE(items[29]->isSeparator());
    EXPECT_EQ(items[30]->text(), "Edit...");
    EXPECT_EQ(CommandId(items[30]), 230);
    EXPECT_EQ(FindItem(&menu, 229), nullptr);

    Categories three;
    for (const char* name : {"x", "y", "z"})
        three.append(name);
    RefillCategoryMenu(&menu, three);
    ASSERT_EQ(menu.actions().size(), 5);
    EXPECT_EQ(menu.actions()[2]->text(), "z");
    EXPECT_TRUE(menu.actions()[3]->isSeparator());
    EXPECT_EQ(CommandId(menu.actions()[4]), 230);
    EXPECT_EQ(FindItem(&menu, 203), nullptr);

    RefillCategoryMenu(&menu, Categories());
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(CommandId(menu.actions()[1]), 230);
}

TEST(RefillCategoryMenu, ChosenCategoryKeepsItsStoredBytes)
{
    Categories categories;
    categories.append("Home");
    categories.append("Caf\xe9"); // written on Windows: not UTF-8
    QMenu menu;
    RefillCategoryMenu(&menu, categories);
    EXPECT_EQ(menu.actions()[1]->text(), QString::fromUtf8("Caf\xc3\xa9"));
    SNote t = BaseTemplate();
    ASSERT_TRUE(ApplyTemplateFieldCommand(t, 201, CategoryCommandText(&menu, 201)));
    EXPECT_EQ(t.category, "Caf\xe9");
    // So the mark finds it again.
    QMenu dummy;
    TemplateMenus refs{&menu, &dummy, &dummy, &dummy, &dummy, &dummy};
    PrepareTemplateMenuMarks(refs, t, categories);
    EXPECT_TRUE(IsChecked(&menu, 201));
    EXPECT_EQ(CategoryCommandText(&menu, 228), "");
    EXPECT_EQ(CategoryCommandText(&menu, 230), "");
}

} // namespace
