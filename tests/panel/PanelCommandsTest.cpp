// The started panel's commands, seen as a user sees them: menu marks, the rows of the
// template list, the questions asked, the dialogs and pages opened and the store files.

#include "panel/RunningPanel.h"

#include "dialogs/Category.h"
#include "model/Factory.h"
#include "note/Note.h"
#include "panel/TemplateList.h"
#include "panel/TemplateListModel.h"
#include "platform/MakerSite.h"
#include "store/Stores.h"
#include "widgets/Menus.h"
#include "widgets/MyLink.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <functional>

namespace {

const QString kStartDate = QStringLiteral("12/06/24 09:30"); // the fake clock at start-up

class PanelCommandsTest : public RunningPanel {
protected:
    // Right-clicks the template at row the way the mouse does: the press selects the
    // item, the context menu request opens the template menu.
    void RightClickRow(int row)
    {
        QListView* view = Find<TemplateListView>(*panel, "templateList")->ListView();
        ASSERT_EQ(Find<TemplateListView>(*panel, "templateList")->CurrentView(), view);
        view->doItemsLayout();
        const QRect item = view->visualRect(
            Find<TemplateListView>(*panel, "templateList")->Model()->index(row, 0));
        ASSERT_TRUE(item.isValid()) << row;
        const QPoint at = view->viewport()->mapTo(panel.get(), item.center());
        QTest::mouseClick(panel->windowHandle(), Qt::RightButton, {}, at);
        ASSERT_EQ(Find<TemplateListView>(*panel, "templateList")->SelectedIndex(), row);
        ASSERT_TRUE(Find<QMenu>(*panel, "templateMenu")->isVisible());
        Find<QMenu>(*panel, "templateMenu")->hide();
    }
    void Trigger(QMenu* menu, PanelCommand id)
    {
        QAction* item = FindItem(menu, id);
        ASSERT_NE(item, nullptr) << Id(id);
        item->trigger();
    }
    // The radio marks of the commands first..last that are set.
    Commands Marks(QMenu* menu, PanelCommand first, PanelCommand last) const
    {
        Commands marked;
        for (int value = 0; value <= last - first; ++value)
            if (IsChecked(menu, first + value))
                marked.push_back(first + value);
        return marked;
    }
    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < RowCount(); ++row)
            texts << Row(row)[column];
        return texts;
    }
    void StartShown()
    {
        WriteSettings();
        Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    // Runs dialogs with fill(dialog) deciding the outcome.
    void OnDialog(std::function<int(QDialog&)> fill) { fake.dialogHandler = std::move(fill); }
};

TEST_F(PanelCommandsTest, ViewCommandsMarkTheModeAndTheListShowsIt)
{
    Start();
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "viewMenu"), PanelCommand::ViewIcons, PanelCommand::ViewMarkLast),
        Commands{PanelCommand::ViewIcons});
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->ListView()->viewMode(),
              QListView::IconMode);

    Trigger(Find<QMenu>(*panel, "viewMenu"), PanelCommand::ViewList);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "viewMenu"), PanelCommand::ViewIcons, PanelCommand::ViewMarkLast),
        Commands{PanelCommand::ViewList});
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->CurrentView(),
              Find<TemplateListView>(*panel, "templateList")->ListView());
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->ListView()->viewMode(),
              QListView::ListMode);
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->ListView()->iconSize(),
              QSize(16, 16));

    Trigger(Find<QMenu>(*panel, "viewMenu"), PanelCommand::ViewIcons);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "viewMenu"), PanelCommand::ViewIcons, PanelCommand::ViewMarkLast),
        Commands{PanelCommand::ViewIcons});
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->ListView()->viewMode(),
              QListView::IconMode);
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->ListView()->iconSize(),
              QSize(32, 32));

    // The report has no menu item; its command still switches the list.
    panel->OnCommand(PanelCommand::ViewLast);
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->CurrentView(),
              Find<TemplateListView>(*panel, "templateList")->ReportView());
    EXPECT_FALSE(
        Find<TemplateListView>(*panel, "templateList")->ReportView()->header()->isHidden());

    Exit();
    SSettings stored;
    ASSERT_TRUE(store::ReadSettings(folder, stored));
    EXPECT_EQ(stored.listViewMode, 2);
}

TEST_F(PanelCommandsTest, SortCommandsMarkTheKeyAndReorderTheTemplates)
{
    Start();
    EXPECT_TRUE(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast)
            .empty());
    EXPECT_EQ(Column(1), (QStringList{"Gifts", "Favorites", "Private"}));

    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortCategory);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast),
        Commands{PanelCommand::SortCategory});
    EXPECT_EQ(Column(1), (QStringList{"Favorites", "Gifts", "Private"}));
    // The same key again: descending.
    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortCategory);
    EXPECT_EQ(Column(1), (QStringList{"Private", "Gifts", "Favorites"}));

    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortColor);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast),
        Commands{PanelCommand::SortColor});
    EXPECT_EQ(Column(3), (QStringList{"Blue2", "Green1", "Orange"}));

    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortStyle);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast),
        Commands{PanelCommand::SortStyle});
    EXPECT_EQ(Column(4), (QStringList{"Cut BL", "Rectangle", "Round all"}));

    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast),
        Commands{PanelCommand::SortText});
    EXPECT_EQ(Column(0), (QStringList{"Don't forget about...", "Great idea...", "To do..."}));

    // Equal keys leave the order as it is.
    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortSize);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast),
        Commands{PanelCommand::SortSize});
    EXPECT_EQ(Column(0), (QStringList{"Don't forget about...", "Great idea...", "To do..."}));
    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortDate);
    EXPECT_EQ(
        Marks(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortText, PanelCommand::SortMarkLast),
        Commands{PanelCommand::SortDate});

    // Sorting reorders the templates themselves: the store keeps the order.
    Trigger(Find<QMenu>(*panel, "sortMenu"), PanelCommand::SortColor);
    Exit();
    Templates stored;
    store::ReadTemplates(folder, stored, LogFont{}, SystemTime{});
    ASSERT_EQ(stored.count(), 3);
    EXPECT_EQ(stored.get(0).category, "Favorites");
    EXPECT_EQ(stored.get(1).category, "Gifts");
    EXPECT_EQ(stored.get(2).category, "Private");
}

TEST_F(PanelCommandsTest, PanelColourShapeAndAlwaysTopMarksFollowTheCommandsIntoTheSettingsFile)
{
    Start();
    for (PanelCommand id :
         {PanelCommand::PanelBlue, PanelCommand::PanelRed, PanelCommand::PanelGray,
          PanelCommand::PanelGreen, PanelCommand::PanelViolet}) {
        Trigger(Find<QMenu>(*panel, "panelColorMenu"), id);
        EXPECT_EQ(Marks(Find<QMenu>(*panel, "panelColorMenu"), PanelCommand::PanelBlue,
                        PanelCommand::PanelColorMarkLast),
                  Commands{id});
    }
    for (PanelCommand id : {PanelCommand::PanelRectangle, PanelCommand::PanelRoundAngles,
                            PanelCommand::PanelCutTLBR, PanelCommand::PanelCutTRBL}) {
        Trigger(Find<QMenu>(*panel, "panelStyleMenu"), id);
        EXPECT_EQ(Marks(Find<QMenu>(*panel, "panelStyleMenu"), PanelCommand::PanelRectangle,
                        PanelCommand::PanelStyleMarkLast),
                  Commands{id});
    }
    Trigger(Find<QMenu>(*panel, "panelColorMenu"), PanelCommand::PanelGray);
    // The last style command has no item: the outline falls back to the rounded one.
    panel->OnCommand(PanelCommand::PanelStyleLast);
    EXPECT_FALSE(panel->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(panel->mask().contains(QPoint(panel->width() - 1, panel->height() - 1)));
    EXPECT_TRUE(panel->mask().contains(QPoint(panel->width() / 2, 0)));

    Trigger(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    Trigger(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop);
    EXPECT_FALSE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    Trigger(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));

    Exit();
    SSettings stored;
    ASSERT_TRUE(store::ReadSettings(folder, stored));
    EXPECT_EQ(stored.panelColor, 2);
    EXPECT_EQ(stored.panelStyle, 4);
    EXPECT_TRUE(stored.alwaysOnTop);
}

TEST_F(PanelCommandsTest, ARightClickMarksTheTemplateMenuFromThatTemplate)
{
    Templates stored;
    LoadFactoryTemplates(stored, fake.clock);
    SNote t = stored.get(1);
    t.category = "Work"; // entry 2 of the factory categories
    t.signatureKind = 3;
    t.size = 4;
    t.shape = 6;
    t.color = 9;
    t.isDefault = true;
    stored.replace(1, t);
    t = stored.get(2);
    t.shape = NoteShape::RandomShape;
    t.color = NoteColor::RandomColor; // "Private" is no category of the list
    t.isDefault = false;
    stored.replace(2, t);
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(store::WriteTemplates(folder, stored));
    StartShown();
    const TemplateMenus m{
        Find<QMenu>(*panel, "categoryMenu"),      Find<QMenu>(*panel, "signatureMenu"),
        Find<QMenu>(*panel, "templateSizeMenu"),  Find<QMenu>(*panel, "templateStyleMenu"),
        Find<QMenu>(*panel, "templateColorMenu"), Find<QMenu>(*panel, "templateMenu")};

    RightClickRow(1);
    EXPECT_EQ(Marks(m.categoryMenu, PanelCommand::FirstCategory, PanelCommand::LastCategory),
              Commands{PanelCommand::FirstCategory + 2});
    EXPECT_EQ(Marks(m.signatureMenu, PanelCommand::SignatureCategory,
                    PanelCommand::SignatureTextMarkLast),
              Commands{PanelCommand::SignatureVoid});
    EXPECT_EQ(Marks(m.templateSizeMenu, PanelCommand::Size120x140, PanelCommand::Size175x135),
              Commands{PanelCommand::Size162x122});
    EXPECT_EQ(Marks(m.templateStyleMenu, PanelCommand::StyleRectangle, PanelCommand::StyleRandom),
              Commands{PanelCommand::StyleCutTRBL});
    EXPECT_EQ(Marks(m.templateColorMenu, PanelCommand::ColorRed, PanelCommand::ColorLast),
              Commands{PanelCommand::ColorWhite});
    EXPECT_TRUE(IsChecked(m.templateMenu, PanelCommand::Default));

    RightClickRow(0); // "Gifts", entry 12
    EXPECT_EQ(Marks(m.categoryMenu, PanelCommand::FirstCategory, PanelCommand::LastCategory),
              Commands{PanelCommand::FirstCategory + 12});
    EXPECT_EQ(Marks(m.signatureMenu, PanelCommand::SignatureCategory,
                    PanelCommand::SignatureTextMarkLast),
              Commands{PanelCommand::SignatureTime});
    EXPECT_EQ(Marks(m.templateSizeMenu, PanelCommand::Size120x140, PanelCommand::Size175x135),
              Commands{PanelCommand::Size132x152});
    EXPECT_EQ(Marks(m.templateStyleMenu, PanelCommand::StyleRectangle, PanelCommand::StyleRandom),
              Commands{PanelCommand::StyleRoundAll});
    EXPECT_EQ(Marks(m.templateColorMenu, PanelCommand::ColorRed, PanelCommand::ColorLast),
              Commands{PanelCommand::ColorGreen1});
    EXPECT_FALSE(IsChecked(m.templateMenu, PanelCommand::Default));

    RightClickRow(2);
    EXPECT_EQ(Marks(m.categoryMenu, PanelCommand::FirstCategory, PanelCommand::LastCategory),
              Commands{}); // no equal entry: no mark left over
    EXPECT_EQ(Marks(m.templateStyleMenu, PanelCommand::StyleRectangle, PanelCommand::StyleRandom),
              Commands{PanelCommand::StyleRandom});
    EXPECT_EQ(Marks(m.templateColorMenu, PanelCommand::ColorRed, PanelCommand::ColorLast),
              Commands{PanelCommand::ColorRandom});
}

TEST_F(PanelCommandsTest, ARightClickWithoutASelectedItemShowsNoMenu)
{
    StartShown();
    RightClickRow(2);
    QListView* view = Find<TemplateListView>(*panel, "templateList")->ListView();
    // Far below the three items: nothing there to select.
    const QPoint empty =
        view->viewport()->mapTo(panel.get(), QPoint(10, view->viewport()->height() - 5));
    QTest::mouseClick(panel->windowHandle(), Qt::RightButton, {}, empty);
    EXPECT_EQ(Find<TemplateListView>(*panel, "templateList")->SelectedIndex(), -1);
    EXPECT_FALSE(Find<QMenu>(*panel, "templateMenu")->isVisible());
    // The template commands still act on the template right-clicked last.
    EXPECT_TRUE(panel->OnCommand(PanelCommand::ColorWhite));
    EXPECT_EQ(Row(2)[3], "White");
}

TEST_F(PanelCommandsTest, ThirtyCategoriesShowTwentyNineInThePanelAndAllInEveryNote)
{
    Start();
    panel->OnCommand(PanelCommand::CreateNote);
    panel->OnCommand(PanelCommand::CreateNote);
    // The category list: the thirteen factory names plus seventeen typed in.
    OnDialog([](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("newCategory");
        auto* add = dialog.findChild<QPushButton*>("add");
        for (int i = 0; i < 17; ++i) {
            edit->setText(QStringLiteral("Extra %1").arg(i));
            add->click();
        }
        return int(QDialog::Accepted);
    });
    Trigger(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::CategoryDialog);
    ASSERT_EQ(fake.dialogsRun, (std::vector<QString>{"List of Category"}));
    ASSERT_EQ(panel->categoryList().count(), 30);

    auto categoryItems = [](QMenu* menu) {
        QStringList names;
        std::function<void(QMenu*)> walk = [&](QMenu* m) {
            for (QAction* a : m->actions()) {
                if (a->menu())
                    walk(a->menu());
                else if (CommandId(a) >= Id(PanelCommand::FirstCategory) &&
                         CommandId(a) != Id(PanelCommand::EditCategories))
                    names << a->text();
            }
        };
        walk(menu);
        return names;
    };
    const QStringList panelItems = categoryItems(Find<QMenu>(*panel, "categoryMenu"));
    ASSERT_EQ(panelItems.size(), 29);
    EXPECT_EQ(panelItems.front(), "Extra 16"); // a new name goes to the top
    EXPECT_EQ(panelItems.back(), QString::fromStdString(panel->categoryList().get(28)));
    EXPECT_NE(FindItem(Find<QMenu>(*panel, "categoryMenu"), PanelCommand::EditCategories), nullptr);

    for (CNote* note : OpenNotes()) {
        const QStringList noteItems = categoryItems(note->noteMenu());
        ASSERT_EQ(noteItems.size(), 30);
        EXPECT_EQ(noteItems.back(), "Gifts");
    }
}

TEST_F(PanelCommandsTest, AFieldCommandChangesOnlyItsFieldAndTheRow)
{
    StartShown();
    const QStringList first = Row(0);
    const QStringList second = Row(1);
    const QStringList third = Row(2);
    EXPECT_EQ(first, (QStringList{"Don't forget about...", "Gifts", kStartDate, "Green1",
                                  "Round all", "132 x 152", ""}));
    RightClickRow(0);

    struct Case {
        PanelCommand id;
        int column;
        const char* text;
    };
    const Case cases[] = {
        {PanelCommand::ColorWhite, 3, "White"},
        {PanelCommand::ColorRandom, 3, "Random"},
        {PanelCommand::ColorRed, 3, "Red"},
        {PanelCommand::StyleCutBL, 4, "Cut BL"},
        {PanelCommand::StyleRandom, 4, "Random"},
        {PanelCommand::StyleCutTLBR, 4, "Cut TL,BR"},
        {PanelCommand::Size175x135, 5, "175 x 135"},
        {PanelCommand::Size120x140, 5, "120 x 140"},
        {PanelCommand::FirstCategory + 3, 1, "Business"},
        {PanelCommand::FirstCategory, 1, "Home"},
    };
    QStringList expected = first;
    for (const Case& c : cases) {
        SCOPED_TRACE(Id(c.id));
        const SNote before = panel->templateRecords().get(0);
        Trigger(Find<QMenu>(*panel, "templateMenu"), c.id);
        expected[c.column] = QString::fromLatin1(c.text);
        // The style column spells the sixth style with a small "c".
        if (c.id == PanelCommand::StyleCutTLBR)
            expected[c.column] = "cut TL,BR";
        EXPECT_EQ(Row(0), expected);
        EXPECT_EQ(Row(1), second);
        EXPECT_EQ(Row(2), third);
        EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "templateMenu"), c.id));
        // Nothing but the one field moved.
        SNote after = panel->templateRecords().get(0);
        after.color = before.color;
        after.shape = before.shape;
        after.size = before.size;
        after.category = before.category;
        EXPECT_EQ(after, before);
    }
    for (PanelCommand id : {PanelCommand::SignatureVoid, PanelCommand::SignatureCategory,
                            PanelCommand::SignatureTime}) {
        Trigger(Find<QMenu>(*panel, "templateMenu"), id);
        EXPECT_EQ(panel->templateRecords().get(0).signatureKind,
                  id - PanelCommand::SignatureCategory);
        EXPECT_EQ(Marks(Find<QMenu>(*panel, "signatureMenu"), PanelCommand::SignatureCategory,
                        PanelCommand::SignatureTextMarkLast),
                  Commands{id});
        EXPECT_EQ(Row(0), expected);
    }

    // What the list shows is what is written.
    Exit();
    Templates stored;
    store::ReadTemplates(folder, stored, LogFont{}, SystemTime{});
    ASSERT_EQ(stored.count(), 3);
    EXPECT_EQ(stored.get(0).color, NoteColor::Red);
    EXPECT_EQ(stored.get(0).shape, NoteShape::CutTLBR);
    EXPECT_EQ(stored.get(0).size, NoteSize::Size120x140);
    EXPECT_EQ(stored.get(0).category, "Home");
    EXPECT_EQ(stored.get(0).signatureKind, 1);
}

TEST_F(PanelCommandsTest, CloneAppendsACopyWithTodaysDate)
{
    StartShown();
    RightClickRow(1);
    fake.clock = SystemTime{2024, 7, 1, 1, 10, 5, 0, 0};

    fake.answers = {false};
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Clone);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want to clone this item?");
    EXPECT_EQ(fake.asked[0].caption, "Clone item");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(fake.asked[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(RowCount(), 3);

    fake.answers = {true};
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Clone);
    ASSERT_EQ(RowCount(), 4);
    QStringList copy = Row(1);
    copy[2] = "01/07/24 10:05";
    EXPECT_EQ(Row(3), copy);
    EXPECT_EQ(Row(1)[2], kStartDate);
    EXPECT_EQ(panel->templateRecords().get(3).created, fake.clock);

    // A clone of the default template carries the mark too; the first one stays the
    // default that counts.
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Default);
    fake.answers = {true};
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Clone);
    ASSERT_EQ(RowCount(), 5);
    EXPECT_EQ(Row(4)[0], "Great idea...");
    EXPECT_EQ(Column(6), (QStringList{"", "<<", "", "", "<<"}));
    EXPECT_EQ(panel->templateRecords().FindDefaultTemplate()->created,
              panel->templateRecords().get(1).created);
}

TEST_F(PanelCommandsTest, DeleteActsOnlyOnYesAndNothingActsOnceTheTemplatesAreGone)
{
    StartShown();
    RightClickRow(0);
    fake.answers = {false};
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Delete);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want to delete this item?");
    EXPECT_EQ(fake.asked[0].caption, "Delete item");
    EXPECT_EQ(fake.asked[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(Column(1), (QStringList{"Gifts", "Favorites", "Private"}));

    fake.defaultAnswer = true;
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Delete);
    EXPECT_EQ(Column(1), (QStringList{"Favorites", "Private"}));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Delete);
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Delete);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(panel->templateRecords().count(), 0);

    // The right-clicked template is gone: its commands do nothing at all.
    fake.asked.clear();
    for (PanelCommand id :
         {PanelCommand::Delete, PanelCommand::Clone, PanelCommand::ColorWhite,
          PanelCommand::Size175x135, PanelCommand::Default, PanelCommand::EditText,
          PanelCommand::SignatureText, PanelCommand::EditFont, PanelCommand::FirstCategory + 3,
          PanelCommand::EditCategories}) {
        EXPECT_FALSE(panel->OnCommand(id)) << Id(id);
    }
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_TRUE(fake.dialogsRun.empty());
    EXPECT_TRUE(fake.fontDialogsOpenedWith.empty());
    EXPECT_EQ(panel->templateRecords().count(), 0);

    // "New" with no template at all offers the last factory template, as the default.
    fake.answers = {true};
    QTest::mouseClick(Find<CMyLink>(*panel, "newLabel"), Qt::LeftButton);
    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(Row(0), (QStringList{"To do...", "Private", kStartDate, "Orange", "Cut BL",
                                   "132 x 152", "<<"}));
    panel->OnCommand(PanelCommand::Delete); // still the right-clicked index 0: deleted again
    EXPECT_EQ(RowCount(), 0);

    // Saved empty, the next start offers the factory templates again.
    Exit();
    EXPECT_TRUE(ReadFile(file("data1.log")).empty());
    Start();
    EXPECT_EQ(RowCount(), 3);
}

TEST_F(PanelCommandsTest, DefaultMovesTheOneMark)
{
    StartShown();
    auto marks = [this] { return Column(6); };
    RightClickRow(1);
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Default);
    EXPECT_EQ(marks(), (QStringList{"", "<<", ""}));
    RightClickRow(2);
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Default);
    EXPECT_EQ(marks(), (QStringList{"", "", "<<"}));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Default); // already the default
    EXPECT_EQ(marks(), (QStringList{"", "", "<<"}));
    RightClickRow(2);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Default));
}

TEST_F(PanelCommandsTest, NewAsksAndAppendsACopyOfTheDefaultTemplate)
{
    StartShown();
    fake.clock = SystemTime{2024, 8, 4, 15, 18, 45, 0, 0};
    fake.answers = {false};
    QTest::mouseClick(Find<CMyLink>(*panel, "newLabel"), Qt::LeftButton);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want to create new template?");
    EXPECT_EQ(fake.asked[0].caption, "New template");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(fake.asked[0].icon, MessageIcon::Question);
    EXPECT_EQ(RowCount(), 3);

    // No default yet: a copy of the last template, marked default.
    fake.answers = {true};
    QTest::mouseClick(Find<CMyLink>(*panel, "newLabel"), Qt::LeftButton);
    ASSERT_EQ(RowCount(), 4);
    EXPECT_EQ(Row(3), (QStringList{"To do...", "Private", "15/08/24 18:45", "Orange", "Cut BL",
                                   "132 x 152", "<<"}));
    EXPECT_EQ(Column(6), (QStringList{"", "", "", "<<"}));

    // With a default: a copy of it, unmarked.
    RightClickRow(0);
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::Default);
    fake.answers = {true};
    QTest::mouseClick(Find<CMyLink>(*panel, "newLabel"), Qt::LeftButton);
    ASSERT_EQ(RowCount(), 5);
    EXPECT_EQ(Row(4)[0], "Don't forget about...");
    EXPECT_EQ(Column(6), (QStringList{"<<", "", "", "", ""}));
}

TEST_F(PanelCommandsTest, CloseAllClosesEveryNoteAndTheProgramRunsOn)
{
    Start();
    for (int i = 0; i < 3; ++i)
        panel->OnCommand(PanelCommand::CreateNote);
    ASSERT_EQ(OpenNotes().size(), 3u);
    std::vector<QPointer<CNote>> windows;
    for (CNote* note : OpenNotes())
        windows.emplace_back(note);

    Trigger(Find<QMenu>(*panel, "notesMenu"), PanelCommand::CloseAll);
    EXPECT_EQ(Slots(), (std::vector<CNote*>{nullptr, nullptr, nullptr}));
    for (const auto& window : windows)
        EXPECT_TRUE(!window || !window->isVisible());
    EXPECT_FALSE(panel->Ended());
    EXPECT_TRUE(panel->isVisible());

    // Slots are not reused.
    panel->OnCommand(PanelCommand::CreateNote);
    ASSERT_EQ(Slots().size(), 4u);
    EXPECT_EQ(Slots()[3]->slot(), 3);
}

TEST_F(PanelCommandsTest, HelpMenuOpensTheHelpFileAndThePages)
{
    Start();
    auto itemText = [this](const char* text) {
        for (QAction* action : Find<QMenu>(*panel, "helpMenu")->actions())
            if (action->text() == QString::fromLatin1(text))
                return action;
        return static_cast<QAction*>(nullptr);
    };
    for (const char* text : {"Lastet Version", "Home Page", "Contact Form"}) {
        QAction* action = itemText(text);
        ASSERT_NE(action, nullptr) << text;
        action->trigger();
    }
    ASSERT_EQ(fake.opened.size(), 3u);
    EXPECT_EQ(fake.opened[0], fake.opened[1]);
    EXPECT_EQ(fake.opened[0], std::string(MakerSite::ProductPage()));
    EXPECT_EQ(fake.opened[2], std::string(MakerSite::ContactPage()));
    fake.opened.clear();
    ASSERT_NE(itemText("Help Topic    F1"), nullptr);
    itemText("Help Topic    F1")->trigger();
    EXPECT_TRUE(HelpOffered(fake));

    Trigger(Find<QMenu>(*panel, "helpMenu"), PanelCommand::About);
    EXPECT_EQ(fake.dialogsRun, (std::vector<QString>{"About Pinleaf"}));
    EXPECT_FALSE(panel->Ended());
}

TEST_F(PanelCommandsTest, TheCategoryDialogChangesTheMenusOnlyOnOk)
{
    Start();
    const std::vector<std::string> before = panel->categoryList().all();
    auto addGarden = [](int result) {
        return [result](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("newCategory")->setText("Garden");
            dialog.findChild<QPushButton*>("add")->click();
            return result;
        };
    };
    OnDialog(addGarden(QDialog::Rejected));
    Trigger(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::CategoryDialog);
    EXPECT_EQ(panel->categoryList().all(), before);
    EXPECT_EQ(FindItem(Find<QMenu>(*panel, "categoryMenu"), PanelCommand::FirstCategory)->text(),
              "Home");

    // "Edit..." in the template menu runs the same dialog.
    RightClickRow(0);
    OnDialog(addGarden(QDialog::Accepted));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::EditCategories);
    EXPECT_EQ(fake.dialogsRun, (std::vector<QString>{"List of Category", "List of Category"}));
    ASSERT_EQ(panel->categoryList().count(), 14);
    EXPECT_EQ(panel->categoryList().get(0), "Garden");
    EXPECT_EQ(FindItem(Find<QMenu>(*panel, "categoryMenu"), PanelCommand::FirstCategory)->text(),
              "Garden");
    EXPECT_EQ(
        FindItem(Find<QMenu>(*panel, "categoryMenu"), PanelCommand::FirstCategory + 13)->text(),
        "Gifts");
    // The template itself is untouched.
    EXPECT_EQ(Row(0)[1], "Gifts");

    Exit();
    Categories stored;
    store::ReadCategories(folder, stored);
    EXPECT_EQ(stored.get(0), "Garden");
}

TEST_F(PanelCommandsTest, TheTextEditorWritesTheTemplateOnOk)
{
    StartShown();
    RightClickRow(2);
    auto typeText = [](int result) {
        return [result](QDialog& dialog) {
            dialog.findChild<QPlainTextEdit*>("text")->setPlainText("Buy milk");
            return result;
        };
    };
    OnDialog(typeText(QDialog::Rejected));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::EditText);
    EXPECT_EQ(Row(2)[0], "To do...");

    OnDialog(typeText(QDialog::Accepted));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::EditText);
    EXPECT_EQ(fake.dialogsRun, (std::vector<QString>{"Edit text...", "Edit text..."}));
    EXPECT_EQ(Row(2)[0], "Buy milk");
    EXPECT_EQ(panel->templateRecords().get(2).category, "Private");

    Exit();
    Templates stored;
    store::ReadTemplates(folder, stored, LogFont{}, SystemTime{});
    ASSERT_EQ(stored.count(), 3);
    EXPECT_EQ(stored.get(2).text, "Buy milk");
}

TEST_F(PanelCommandsTest, TheSignatureDialogSetsTheTextKindOnOk)
{
    StartShown();
    RightClickRow(1);
    auto sign = [](int result) {
        return [result](QDialog& dialog) {
            dialog.findChild<QLineEdit*>()->setText("Signed, Ann");
            return result;
        };
    };
    OnDialog(sign(QDialog::Rejected));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::SignatureText);
    EXPECT_EQ(panel->templateRecords().get(1).signatureKind, 1);
    EXPECT_EQ(panel->templateRecords().get(1).signatureText, "My note...");
    EXPECT_EQ(Marks(Find<QMenu>(*panel, "signatureMenu"), PanelCommand::SignatureCategory,
                    PanelCommand::SignatureTextMarkLast),
              Commands{PanelCommand::SignatureTime});

    OnDialog(sign(QDialog::Accepted));
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::SignatureText);
    EXPECT_EQ(fake.dialogsRun, (std::vector<QString>{"Text of signature", "Text of signature"}));
    EXPECT_EQ(panel->templateRecords().get(1).signatureKind, 4);
    EXPECT_EQ(panel->templateRecords().get(1).signatureText, "Signed, Ann");
    EXPECT_EQ(Marks(Find<QMenu>(*panel, "signatureMenu"), PanelCommand::SignatureCategory,
                    PanelCommand::SignatureTextMarkLast),
              Commands{PanelCommand::SignatureText});
    EXPECT_EQ(panel->templateRecords().get(0).signatureText, "My note...");

    Exit();
    Templates stored;
    store::ReadTemplates(folder, stored, LogFont{}, SystemTime{});
    ASSERT_EQ(stored.count(), 3);
    EXPECT_EQ(stored.get(1).signatureKind, 4);
    EXPECT_EQ(stored.get(1).signatureText, "Signed, Ann");
}

TEST_F(PanelCommandsTest, TheFontDialogStartsFromTheTemplatesFontAndReplacesItOnOk)
{
    StartShown();
    RightClickRow(0);
    const LogFont original = panel->templateRecords().get(0).font;
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::EditFont); // cancelled
    ASSERT_EQ(fake.fontDialogsOpenedWith.size(), 1u);
    EXPECT_EQ(fake.fontDialogsOpenedWith[0].face(), "Arial");
    EXPECT_EQ(fake.fontDialogsOpenedWith[0].height, -11);
    EXPECT_EQ(panel->templateRecords().get(0).font, original);

    LogFont chosen;
    chosen.setFace("DejaVu Serif");
    chosen.height = -16;
    chosen.weight = 700;
    chosen.italic = 1;
    fake.nextFont = chosen;
    Trigger(Find<QMenu>(*panel, "templateMenu"), PanelCommand::EditFont);
    EXPECT_EQ(panel->templateRecords().get(0).font, chosen);
    EXPECT_EQ(panel->templateRecords().get(1).font, original);

    Exit();
    Templates stored;
    store::ReadTemplates(folder, stored, LogFont{}, SystemTime{});
    ASSERT_EQ(stored.count(), 3);
    EXPECT_EQ(stored.get(0).font.face(), "DejaVu Serif");
    EXPECT_EQ(stored.get(0).font.height, -16);
    EXPECT_EQ(stored.get(0).font.weight, 700);
    EXPECT_EQ(stored.get(0).font.italic, 1);
}

} // namespace
