// The panel on screen: colours, outlines, dragging, hiding and the always-on-top state.

#include "panel/NoteDlg.h"
#include "panel/PanelTestSupport.h"

#include "note/Note.h"
#include "panel/TemplateList.h"
#include "panel/TemplateListModel.h"
#include "support/FakePlatform.h"
#include "widgets/Menus.h"
#include "widgets/MyLink.h"
#include "widgets/MyStatic.h"

#include <QAccessible>
#include <QAction>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Text may be drawn condensed and smoothed: a pixel close to a colour counts as it.
bool Near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           60;
}

constexpr int kW = 259;
constexpr int kH = 334;

class PanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = FreshDataFolder();
        Start(0, 0);
    }
    // A new panel with the stored colour scheme and style.
    void Start(int color, int style)
    {
        panel.reset();
        WriteFile(folder + "file1.dat", SettingsBytes(false, true, color, style, 0, 0, 100, 200));
        panel = std::make_unique<CNoteDlg>();
        ASSERT_TRUE(panel->OnInitDialog());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    // Hovers over a label the way the pointer does.
    void Hover(QWidget* label)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
    }

    FakePlatform fake;
    std::string folder;
    std::unique_ptr<CNoteDlg> panel;
};

struct Scheme {
    QColor fill, frame, buttonHoverFill;
};

TEST_F(PanelWindowTest, EachColourSchemeColoursPanelButtonsLinkAndList)
{
    const Scheme schemes[] = {
        {{50, 80, 150}, {200, 220, 250}, {200, 250, 0}},
        {{150, 50, 50}, {250, 200, 200}, {220, 220, 220}},
        {{100, 100, 100}, {220, 220, 220}, {250, 170, 50}},
        {{50, 120, 50}, {200, 250, 200}, {200, 250, 200}},
        {{150, 50, 150}, {250, 200, 250}, {250, 200, 250}},
    };
    for (int index = 0; index < 5; ++index) {
        SCOPED_TRACE(index);
        const Scheme& s = schemes[index];
        panel->OnCommand(PanelCommand::PanelBlue + index);
        for (int other = 0; other < 5; ++other)
            EXPECT_EQ(
                IsChecked(Find<QMenu>(*panel, "panelColorMenu"), PanelCommand::PanelBlue + other),
                other == index);

        QImage shot = Snapshot(*panel);
        EXPECT_EQ(shot.pixelColor(4, 4), s.fill);       // background
        EXPECT_EQ(shot.pixelColor(0, kH / 2), s.frame); // outline
        EXPECT_EQ(shot.pixelColor(kW - 1, 5), s.frame);
        const QRect list = Find<TemplateListView>(*panel, "templateList")->geometry();
        EXPECT_EQ(shot.pixelColor(list.center()), s.frame); // list background

        const QRect button = Find<CMyLink>(*panel, "newLabel")->geometry();
        EXPECT_EQ(shot.pixelColor(button.left(), button.center().y()), s.frame); // button outline
        EXPECT_EQ(shot.pixelColor(button.topLeft() + QPoint(2, 2)), s.fill);     // button fill

        // The link line: light text on the dark fill, no visible frame.
        const QRect link = Find<CMyLink>(*panel, "linkLabel")->geometry();
        EXPECT_EQ(shot.pixelColor(link.topLeft()), s.fill);
        int lightTextPixels = 0;
        for (int y = link.top(); y <= link.bottom(); ++y)
            for (int x = link.left(); x <= link.right(); ++x)
                lightTextPixels += Near(shot.pixelColor(x, y), s.frame);
        EXPECT_GT(lightTextPixels, 5);

        Hover(Find<CMyLink>(*panel, "sortLabel"));
        shot = Snapshot(*panel);
        const QRect sort = Find<CMyLink>(*panel, "sortLabel")->geometry();
        EXPECT_EQ(shot.pixelColor(sort.topLeft() + QPoint(2, 2)), s.buttonHoverFill);
    }
}

TEST_F(PanelWindowTest, AColourOutsideTheSchemesPaintsBlueWithoutAMark)
{
    Start(9, 0);
    for (int value = 0; value < 5; ++value)
        EXPECT_FALSE(
            IsChecked(Find<QMenu>(*panel, "panelColorMenu"), PanelCommand::PanelBlue + value));
    const QImage shot = Snapshot(*panel);
    EXPECT_EQ(shot.pixelColor(4, 4), QColor(50, 80, 150));
    EXPECT_EQ(shot.pixelColor(0, kH / 2), QColor(200, 220, 250));
}

TEST_F(PanelWindowTest, EachOutlineCutsItsCorners)
{
    struct Outline {
        PanelCommand command;
        bool topLeft, topRight, bottomLeft, bottomRight; // corner pixel kept
    };
    const Outline outlines[] = {
        {PanelCommand::PanelRectangle, true, true, true, true},
        {PanelCommand::PanelRoundAngles, false, false, false, false},
        {PanelCommand::PanelCutTLBR, false, true, true, false},
        {PanelCommand::PanelCutTRBL, true, false, false, true},
    };
    for (const Outline& o : outlines) {
        SCOPED_TRACE(Id(o.command));
        panel->OnCommand(o.command);
        EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "panelStyleMenu"), o.command));
        const QRegion mask = panel->mask();
        EXPECT_EQ(mask.contains(QPoint(0, 0)), o.topLeft);
        EXPECT_EQ(mask.contains(QPoint(kW - 1, 0)), o.topRight);
        EXPECT_EQ(mask.contains(QPoint(0, kH - 1)), o.bottomLeft);
        EXPECT_EQ(mask.contains(QPoint(kW - 1, kH - 1)), o.bottomRight);
        EXPECT_TRUE(mask.contains(QPoint(kW / 2, 0)));
        EXPECT_TRUE(mask.contains(QPoint(0, kH / 2)));
        EXPECT_TRUE(mask.contains(QPoint(kW / 2, kH / 2)));
        EXPECT_EQ(CMyLink::PanelStyle(), o.command - PanelCommand::PanelRectangle);
    }
    // A cut is 9 pixels deep in both directions.
    panel->OnCommand(PanelCommand::PanelCutTLBR);
    EXPECT_FALSE(panel->mask().contains(QPoint(7, 0)));
    EXPECT_FALSE(panel->mask().contains(QPoint(0, 7)));
    EXPECT_TRUE(panel->mask().contains(QPoint(10, 0)));
    EXPECT_TRUE(panel->mask().contains(QPoint(0, 10)));
    EXPECT_TRUE(panel->mask().contains(QPoint(4, 5)));
    // The frame follows the diagonal edge.
    const QImage shot = Snapshot(*panel);
    EXPECT_EQ(shot.pixelColor(kW - 1, kH - 12), QColor(200, 220, 250));
    EXPECT_EQ(shot.pixelColor(kW - 2, kH - 12), QColor(50, 80, 150));

    Start(0, 7); // unknown: rounded
    EXPECT_FALSE(panel->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(panel->mask().contains(QPoint(kW - 1, kH - 1)));
}

TEST_F(PanelWindowTest, DraggingTheBackgroundMovesThePanel)
{
    QWindow* window = panel->windowHandle();
    ASSERT_EQ(panel->pos(), QPoint(100, 200));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(4, 120));
    QTest::mouseMove(window, QPoint(54, 170));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(4, 120));
    EXPECT_EQ(panel->pos(), QPoint(150, 250));
    EXPECT_EQ(panel->size(), QSize(kW, kH));
    // The drag ended with the button: moves without it leave the panel where it is.
    QTest::mouseMove(window, QPoint(90, 190));
    EXPECT_EQ(panel->pos(), QPoint(150, 250));
}

TEST_F(PanelWindowTest, DraggingALabelOrTheListLeavesThePanelWhereItIs)
{
    QWindow* window = panel->windowHandle();
    for (QWidget* child : {static_cast<QWidget*>(Find<CMyLink>(*panel, "newLabel")),
                           static_cast<QWidget*>(Find<CMyLink>(*panel, "linkLabel")),
                           static_cast<QWidget*>(Find<TemplateListView>(*panel, "templateList"))}) {
        const QPoint start = child->geometry().center();
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QTest::mouseMove(window, start + QPoint(40, 40));
        QTest::mouseRelease(window, Qt::LeftButton, {}, start + QPoint(40, 40));
        EXPECT_EQ(panel->pos(), QPoint(100, 200)) << child->metaObject()->className();
    }
}

TEST_F(PanelWindowTest, AlwaysTopTwiceReturnsToTheNormalOrder)
{
    panel->OnCommand(PanelCommand::AlwaysTop);
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry(), QRect(100, 200, kW, kH));

    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop)->trigger();
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry(), QRect(100, 200, kW, kH));
}

TEST_F(PanelWindowTest, HideAndShowRelabelTheMenuItem)
{
    QAction* item = FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::ShowPanel);
    QTest::mouseClick(Find<CMyLink>(*panel, "hideLabel"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(item->text(), "Show Panel");
    EXPECT_FALSE(item->isChecked());

    item->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(item->text(), "Hide Panel");
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(panel->geometry(), QRect(100, 200, kW, kH));
}

TEST_F(PanelWindowTest, TheLinkLineOpensTheHomeAndProductPages)
{
    QTest::mouseClick(Find<CMyLink>(*panel, "linkLabel"), Qt::LeftButton);
    ASSERT_EQ(fake.opened.size(), 2u);
    EXPECT_NE(fake.opened[0], fake.opened[1]);
    for (const std::string& page : fake.opened)
        EXPECT_EQ(page.rfind("https://", 0), 0u) << page;
    fake.opened.clear();
    QTest::keyClick(panel.get(), Qt::Key_F1);
    EXPECT_TRUE(HelpOffered(fake));
}

// Keyboard and assistive technology reach every control the mouse does.
TEST_F(PanelWindowTest, KeyboardAndAccessibilityReachButtonsLinkListAndNotes)
{
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    panel->setFocus();
    const std::vector<CMyLink*> order{
        Find<CMyLink>(*panel, "newLabel"),  Find<CMyLink>(*panel, "sortLabel"),
        Find<CMyLink>(*panel, "viewLabel"), Find<CMyLink>(*panel, "optionsLabel"),
        Find<CMyLink>(*panel, "hideLabel"), Find<CMyLink>(*panel, "linkLabel")};
    // The focus mark: pixels that differ from the same button without the focus.
    const auto changed = [](const QImage& a, const QImage& b) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                count += a.pixel(x, y) != b.pixel(x, y);
        return count;
    };
    std::vector<QImage> unfocused;
    for (CMyLink* link : order) {
        SCOPED_TRACE(link->text().toStdString());
        unfocused.push_back(link->grab().toImage());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), link);
        EXPECT_GT(changed(unfocused.back(), link->grab().toImage()), 2 * link->width())
            << "no focus mark";
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(link);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_EQ(button->text(QAccessible::Name), link->text());
    }
    QTest::keyClick(Find<CMyLink>(*panel, "linkLabel"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(),
              Find<TemplateListView>(*panel, "templateList")->ListView());
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(changed(unfocused[i], order[i]->grab().toImage()), 0) << "a mark left behind";
    QTest::keyClick(Find<CMyLink>(*panel, "linkLabel"),
                    Qt::Key_Space); // the link line opens its two pages
    EXPECT_EQ(fake.opened.size(), 2u);
    fake.defaultAnswer = false;
    Find<CMyLink>(*panel, "newLabel")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Find<CMyLink>(*panel, "newLabel"), Qt::Key_Space);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].caption, "New template");
    QAccessible::queryAccessibleInterface(Find<CMyLink>(*panel, "sortLabel"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(Find<QMenu>(*panel, "sortMenu")->isVisible());
    Find<QMenu>(*panel, "sortMenu")->hide();

    // The Menu key on a selected template: its menu at the item, not at the pointer.
    fake.cursor = QPoint(5, 5);
    QListView* view = Find<TemplateListView>(*panel, "templateList")->ListView();
    Find<TemplateListView>(*panel, "templateList")->SelectIndex(1);
    view->setFocus(Qt::TabFocusReason);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0),
                              view->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(view, &menuKey);
    ASSERT_TRUE(Find<QMenu>(*panel, "templateMenu")->isVisible());
    // The menu is that template's: it carries its colour.
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "templateColorMenu"),
                          PanelCommand::ColorRed + panel->templateRecords().get(1).color));
    const QRect item =
        view->visualRect(Find<TemplateListView>(*panel, "templateList")->Model()->index(1, 0));
    EXPECT_TRUE(QRect(view->viewport()->mapToGlobal(item.topLeft()), item.size())
                    .contains(Find<QMenu>(*panel, "templateMenu")->pos()));
    Find<QMenu>(*panel, "templateMenu")->hide();
    // Shift+F10 does the same for the template selected now.
    OpenContextMenusOnShiftF10(qApp);
    Find<TemplateListView>(*panel, "templateList")->SelectIndex(2);
    QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(Find<QMenu>(*panel, "templateMenu")->isVisible());
    // The menu is that template's: it carries its colour.
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "templateColorMenu"),
                          PanelCommand::ColorRed + panel->templateRecords().get(2).color));
    const QRect third =
        view->visualRect(Find<TemplateListView>(*panel, "templateList")->Model()->index(2, 0));
    EXPECT_TRUE(QRect(view->viewport()->mapToGlobal(third.topLeft()), third.size())
                    .contains(Find<QMenu>(*panel, "templateMenu")->pos()));
    Find<QMenu>(*panel, "templateMenu")->hide();

    // A note: named after the first line of its text; its labels read as their texts.
    SNote record = panel->templateRecords().get(0);
    record.text = "Buy milk\r\nand bread";
    record.signatureKind = SignatureKind::Text;
    record.signatureText = "Anna";
    CNote* note = panel->openNote(record, true);
    ASSERT_TRUE(note);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(note)->text(QAccessible::Name), "Buy milk");
    for (auto [label, name] : {std::pair{note->textLabel(), "Buy milk\nand bread"},
                               std::pair{note->signatureLabel(), "Anna"}})
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), name);

    // Enter and Escape keep their panel meanings on a focused button.
    // (A note was made, so Escape asks first; the answer is Yes.)
    fake.defaultAnswer = true;
    Find<CMyLink>(*panel, "hideLabel")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Find<CMyLink>(*panel, "hideLabel"), Qt::Key_Escape);
    EXPECT_TRUE(panel->Ended());
}

} // namespace
