#include "panel/TemplateCommands.h"

#include "panel/PanelMenus.h"
#include "panel/PanelTestSupport.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

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
    t.signatureKind = SignatureKind::TimeCreate;
    t.size = NoteSize::Size132x152;
    t.shape = NoteShape::Rectangle;
    t.color = NoteColor::Blue2;
    t.signatureText = "My note...";
    t.font.setFace("Arial");
    t.font.height = -11;
    t.created = SystemTime{2024, 6, 3, 12, 9, 30, 15, 0};
    return t;
}

TEST(TemplateFieldCommand, EachCommandChangesOnlyItsField)
{
    struct Case {
        PanelCommand id;
        void (*expect)(SNote&);
    };
    const std::vector<Case> cases = {
        {PanelCommand::FirstCategory, [](SNote& t) { t.category = "Work"; }},
        {PanelCommand::LastCategory, [](SNote& t) { t.category = "Work"; }},
        {PanelCommand::SignatureCategory, [](SNote& t) { t.signatureKind = 0; }},
        {PanelCommand::SignatureTime, [](SNote& t) { t.signatureKind = 1; }},
        {PanelCommand::SignatureVoid, [](SNote& t) { t.signatureKind = 3; }},
        {PanelCommand::Size120x140, [](SNote& t) { t.size = 0; }},
        {PanelCommand::Size175x135, [](SNote& t) { t.size = 5; }},
        {PanelCommand::StyleRectangle, [](SNote& t) { t.shape = 0; }},
        {PanelCommand::StyleCutTLBR, [](SNote& t) { t.shape = 5; }},
        {PanelCommand::StyleRandom, [](SNote& t) { t.shape = 7; }},
        {PanelCommand::ColorRed, [](SNote& t) { t.color = 0; }},
        {PanelCommand::ColorWhite, [](SNote& t) { t.color = 9; }},
        {PanelCommand::ColorRandom, [](SNote& t) { t.color = 10; }},
        {PanelCommand::ColorLast, [](SNote& t) { t.color = 11; }},
    };
    for (const Case& c : cases) {
        SNote t = BaseTemplate();
        SNote expected = BaseTemplate();
        c.expect(expected);
        EXPECT_TRUE(ApplyTemplateFieldCommand(t, c.id, "Work")) << Id(c.id);
        EXPECT_EQ(t, expected) << Id(c.id);
    }
}

TEST(TemplateFieldCommand, OtherCommandsLeaveTheTemplateAlone)
{
    using enum PanelCommand;
    for (PanelCommand id : {NoCommand, TemplateFirst - 1, SignatureText, EditText, EditFont, Clone,
                            Default, Delete, Size175x135 + 1, StyleRandom + 1, ColorRed - 1,
                            ColorLast + 1, FirstCategory - 1, EditCategories, EditCategories + 1}) {
        SNote t = BaseTemplate();
        EXPECT_FALSE(ApplyTemplateFieldCommand(t, id, "Work")) << Id(id);
        EXPECT_EQ(t, BaseTemplate()) << Id(id);
    }
}

// The template menus as the panel builds them.
struct Menus {
    explicit Menus(const Categories& categories)
        : all(BuildMenus(&owner, categories, [](PanelCommand) {}))
    {
    }

    // Every marked command of one menu tree.
    static Commands Marked(QMenu* menu)
    {
        Commands out;
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                for (PanelCommand id : Marked(a->menu()))
                    out.push_back(id);
            } else if (a->isChecked()) {
                out.push_back(static_cast<PanelCommand>(CommandId(a)));
            }
        }
        return out;
    }

    QWidget owner;
    PanelMenus all;
    TemplateMenus refs{all.categoryMenu,      all.signatureMenu,     all.templateSizeMenu,
                       all.templateStyleMenu, all.templateColorMenu, all.templateMenu};
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
    t.signatureKind = SignatureKind::Void;
    t.size = NoteSize::Size162x122;
    t.shape = NoteShape::RandomShape;
    t.color = NoteColor::RandomColor;
    t.isDefault = true;
    PrepareTemplateMenuMarks(menus.refs, t, categories);
    // In menu order: signature and category under "Edit", then colour, style, size, "Default".
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu),
              (Commands{PanelCommand::SignatureVoid, PanelCommand::FirstCategory + 2,
                        PanelCommand::ColorRandom, PanelCommand::StyleRandom,
                        PanelCommand::Size162x122, PanelCommand::Default}));

    t.category = "Gifts";
    t.signatureKind = SignatureKind::Category;
    t.size = NoteSize::Size120x140;
    t.shape = NoteShape::CutTLBR;
    t.color = NoteColor::Red;
    t.isDefault = false;
    PrepareTemplateMenuMarks(menus.refs, t, categories);
    EXPECT_EQ(
        Menus::Marked(menus.all.templateMenu),
        (Commands{PanelCommand::SignatureCategory, PanelCommand::FirstCategory + 12,
                  PanelCommand::ColorRed, PanelCommand::StyleCutTLBR, PanelCommand::Size120x140}));
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
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu),
              (Commands{PanelCommand::SignatureTime, PanelCommand::FirstCategory,
                        PanelCommand::ColorBlue2, PanelCommand::StyleRectangle,
                        PanelCommand::Size132x152, PanelCommand::Default}));

    // The next template opened: every radio group is cleared, only "Default" is marked.
    SNote damaged = t;
    damaged.category = "Extra 29";
    damaged.signatureKind = 2; // a kind without an item
    damaged.size = -1;
    damaged.shape = INT_MAX;
    damaged.color =
        11; // what the last colour command leaves: shown as "Random", no item of its own
    PrepareTemplateMenuMarks(menus.refs, damaged, categories);
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu), (Commands{PanelCommand::Default}));

    PrepareTemplateMenuMarks(menus.refs, t, categories);
    damaged.category = "Not listed";
    damaged.color = INT_MIN;
    damaged.signatureKind = INT_MAX;
    damaged.isDefault = false;
    PrepareTemplateMenuMarks(menus.refs, damaged, categories);
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu), (Commands{}));
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
    EXPECT_TRUE(IsChecked(menus.all.categoryMenu, PanelCommand::FirstCategory + 1));
    EXPECT_FALSE(IsChecked(menus.all.categoryMenu, PanelCommand::FirstCategory + 3));
    // Comparison is exact: no equal entry, no mark.
    for (const char* other : {"dup", "b"}) {
        t.category = "Dup";
        PrepareTemplateMenuMarks(menus.refs, t, categories);
        t.category = other;
        PrepareTemplateMenuMarks(menus.refs, t, categories);
        EXPECT_EQ(Menus::Marked(menus.all.categoryMenu), (Commands{})) << other;
    }
}

TEST(TemplateFieldCommand, MarkFollowsTheChosenItem)
{
    const Categories categories = Factory13();
    Menus menus(categories);
    MarkTemplateFieldCommand(menus.refs, PanelCommand::ColorGreen1);
    MarkTemplateFieldCommand(menus.refs, PanelCommand::StyleCutTRBL);
    MarkTemplateFieldCommand(menus.refs, PanelCommand::Size150x110);
    MarkTemplateFieldCommand(menus.refs, PanelCommand::SignatureVoid);
    MarkTemplateFieldCommand(menus.refs, PanelCommand::FirstCategory + 5);
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu),
              (Commands{PanelCommand::SignatureVoid, PanelCommand::FirstCategory + 5,
                        PanelCommand::ColorGreen1, PanelCommand::StyleCutTRBL,
                        PanelCommand::Size150x110}));
    MarkTemplateFieldCommand(menus.refs, PanelCommand::ColorBlue1);
    MarkTemplateFieldCommand(menus.refs, PanelCommand::SignatureCategory);
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu),
              (Commands{PanelCommand::SignatureCategory, PanelCommand::FirstCategory + 5,
                        PanelCommand::ColorBlue1, PanelCommand::StyleCutTRBL,
                        PanelCommand::Size150x110}));
    MarkTemplateFieldCommand(menus.refs, PanelCommand::ColorLast); // no item: no colour is marked
    EXPECT_EQ(Menus::Marked(menus.all.templateMenu),
              (Commands{PanelCommand::SignatureCategory, PanelCommand::FirstCategory + 5,
                        PanelCommand::StyleCutTRBL, PanelCommand::Size150x110}));
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
        EXPECT_EQ(CommandId(items[i]), Id(PanelCommand::FirstCategory + i));
    }
    EXPECT_TRUE(items[29]->isSeparator());
    EXPECT_EQ(items[30]->text(), "Edit...");
    EXPECT_EQ(CommandId(items[30]), Id(PanelCommand::EditCategories));
    EXPECT_EQ(FindItem(&menu, PanelCommand::LastCategory), nullptr);

    Categories three;
    for (const char* name : {"x", "y", "z"})
        three.append(name);
    RefillCategoryMenu(&menu, three);
    ASSERT_EQ(menu.actions().size(), 5);
    EXPECT_EQ(menu.actions()[2]->text(), "z");
    EXPECT_TRUE(menu.actions()[3]->isSeparator());
    EXPECT_EQ(CommandId(menu.actions()[4]), Id(PanelCommand::EditCategories));
    EXPECT_EQ(FindItem(&menu, PanelCommand::FirstCategory + 3), nullptr);

    RefillCategoryMenu(&menu, Categories());
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(CommandId(menu.actions()[1]), Id(PanelCommand::EditCategories));
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
    ASSERT_TRUE(
        ApplyTemplateFieldCommand(t, PanelCommand::FirstCategory + 1,
                                  CategoryCommandText(&menu, PanelCommand::FirstCategory + 1)));
    EXPECT_EQ(t.category, "Caf\xe9");
    // So the mark finds it again.
    QMenu dummy;
    TemplateMenus refs{&menu, &dummy, &dummy, &dummy, &dummy, &dummy};
    PrepareTemplateMenuMarks(refs, t, categories);
    EXPECT_TRUE(IsChecked(&menu, PanelCommand::FirstCategory + 1));
    EXPECT_EQ(CategoryCommandText(&menu, PanelCommand::FirstCategory + 28), "");
    EXPECT_EQ(CategoryCommandText(&menu, PanelCommand::EditCategories), "");
}

} // namespace
