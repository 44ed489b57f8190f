#include "panel/TemplateList.h"
#include "panel/ColorIcons.h"
#include "panel/TemplateListModel.h"
#include "support/FakePlatform.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// A Central European zone with summer time, written out so no zone database is needed.
class LocalZone {
public:
    LocalZone()
    {
        if (const char* tz = std::getenv("TZ"))
            saved_ = tz;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    ~LocalZone()
    {
        if (saved_.empty())
            unsetenv("TZ");
        else
            setenv("TZ", saved_.c_str(), 1);
        tzset();
    }

private:
    std::string saved_;
};

SNote Template(const char* text, int color, int shape, int size, bool isDefault = false)
{
    SNote t;
    t.text = text;
    t.category = "Home";
    t.color = color;
    t.shape = shape;
    t.size = size;
    t.isDefault = isDefault;
    t.created = SystemTime{2024, 3, 2, 5, 14, 7, 9, 0};
    return t;
}

QStringList Row(const TemplateListModel& model, int row)
{
    QStringList out;
    for (int c = 0; c < model.columnCount(); ++c)
        out << model.data(model.index(row, c)).toString();
    return out;
}

// Within a few steps of the colour: glyph edges are blended with the background.
bool Near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <=
           24;
}

QImage IconImage(const TemplateListModel& model, int row, int size)
{
    const QIcon icon = model.data(model.index(row, 0), Qt::DecorationRole).value<QIcon>();
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Expected(int index, int size)
{
    return ColorIconPixmap(index, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

class TemplateListTest : public ::testing::Test {
protected:
    FakePlatform fake;
    LocalZone zone;
    Templates templates;
};

TEST_F(TemplateListTest, ItemsShowTextIconAndEveryColumn)
{
    templates.append(
        Template("Buy milk", NoteColor::Green1, NoteShape::CutTLBR, NoteSize::Size162x122, true));
    SNote summer =
        Template("Caf\xe9", NoteColor::Blue2, NoteShape::RoundTop, NoteSize::Size175x135);
    summer.category = "Work";
    summer.created = SystemTime{2024, 7, 1, 1, 23, 59, 0, 0};
    templates.append(summer);

    TemplateListView list(templates);
    const TemplateListModel& model = *list.Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(Row(model, 0), (QStringList{"Buy milk", "Home", "05/03/24 14:07", "Green1",
                                          "cut TL,BR", "162 x 122", "<<"}));
    // Windows-1252 text still reads right; summer time does not shift the hour.
    EXPECT_EQ(Row(model, 1),
              (QStringList{QString::fromUtf8("Caf\xc3\xa9"), "Work", "01/07/24 23:59", "Blue2",
                           "Round top", "175 x 135", ""}));
    EXPECT_EQ(IconImage(model, 0, 32), Expected(NoteColor::Green1, 32));
    EXPECT_EQ(IconImage(model, 1, 16), Expected(NoteColor::Blue2, 16));

    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c)
        titles << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles,
              (QStringList{"Text", "Category", "Date", "Color", "Style", "Size", "Default"}));
}

TEST_F(TemplateListTest, RandomAndOutOfRangeValuesReadAsTheirFallbacks)
{
    templates.append(
        Template("random", NoteColor::RandomColor, NoteShape::RandomShape, NoteSize::Size120x140));
    templates.append(Template("too big", 11, 8, 6));
    templates.append(Template("negative", -1, -3, -1));
    templates.append(Template("huge", INT_MAX, INT_MAX, INT_MAX));
    templates.append(Template("tiny", INT_MIN, INT_MIN, INT_MIN));
    TemplateListView list(templates);
    const TemplateListModel& model = *list.Model();
    EXPECT_EQ(Row(model, 0).mid(3, 3), (QStringList{"Random", "Random", "120 x 140"}));
    for (int row = 1; row < model.rowCount(); ++row) {
        EXPECT_EQ(Row(model, row).mid(3, 3), (QStringList{"Random", "Random", "132 x 152"})) << row;
        EXPECT_EQ(IconImage(model, row, 32), Expected(10, 32)) << row;
    }
    EXPECT_EQ(IconImage(model, 0, 32), Expected(10, 32));
}

TEST_F(TemplateListTest, DateBefore1900IsTheEpochInLocalTime)
{
    SNote old = Template("old", NoteColor::Red, NoteShape::Rectangle, NoteSize::Size120x140);
    old.created = SystemTime{1899, 12, 0, 31, 23, 0, 0, 0};
    templates.append(old);
    SNote unset = Template("unset", NoteColor::Red, NoteShape::Rectangle, NoteSize::Size120x140);
    unset.created = SystemTime{};
    templates.append(unset);
    TemplateListView list(templates);
    EXPECT_EQ(Row(*list.Model(), 0)[2], "01/01/70 01:00");
    EXPECT_EQ(Row(*list.Model(), 1)[2], "01/01/70 01:00");
}

TEST_F(TemplateListTest, RefillMirrorsTheTemplatesAgain)
{
    templates.append(Template("one", NoteColor::Red, NoteShape::Rectangle, NoteSize::Size120x140));
    TemplateListView list(templates);
    templates.append(
        Template("two", NoteColor::Orange, NoteShape::Rectangle, NoteSize::Size120x140));
    templates.replace(
        0, Template("first", NoteColor::Yellow, NoteShape::Rectangle, NoteSize::Size120x140));
    // Not yet refilled: the list still shows what it had.
    EXPECT_EQ(list.Model()->rowCount(), 1);
    EXPECT_EQ(Row(*list.Model(), 0)[0], "one");
    list.Refill();
    ASSERT_EQ(list.Model()->rowCount(), 2);
    EXPECT_EQ(Row(*list.Model(), 0)[0], "first");
    EXPECT_EQ(Row(*list.Model(), 1)[3], "Orange");
    templates.clear();
    list.Refill();
    EXPECT_EQ(list.Model()->rowCount(), 0);
}

TEST(ColorIcons, EachColourIconIsANoteInItsPaletteColours)
{
    const QColor fills[] = {{250, 200, 200}, {250, 200, 150}, {250, 250, 150}, {200, 250, 200},
                            {200, 250, 150}, {200, 200, 250}, {200, 250, 250}, {250, 200, 250},
                            {230, 230, 230}, {250, 250, 250}};
    const QColor frames[] = {{150, 100, 100}, {150, 100, 50},  {150, 150, 100}, {100, 150, 100},
                             {100, 150, 50},  {100, 100, 150}, {100, 150, 150}, {150, 100, 150},
                             {130, 130, 130}, {150, 150, 150}};
    for (int size : {32, 16}) {
        for (int i = 0; i < 10; ++i) {
            const QImage image = Expected(i, size);
            ASSERT_EQ(image.size(), QSize(size, size));
            EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << i; // transparent margin
            // Body below the caption strip, between the text lines' ends.
            EXPECT_EQ(image.pixelColor(size / 2, size / 2 + 1).rgb() == fills[i].rgb() ||
                          image.pixelColor(size / 2, size / 2).rgb() == fills[i].rgb(),
                      true)
                << i << " " << size;
            EXPECT_EQ(image.pixelColor(size / 2, size / 8 + 1).rgb(), frames[i].rgb())
                << i << " " << size;
            EXPECT_EQ(image.pixelColor(size / 8 + 1, size * 3 / 4).rgb(), fills[i].rgb())
                << i << " " << size;
        }
        // The random icon shows more than one note colour across its body.
        const QImage random = Expected(10, size);
        const int y = size * 3 / 4;
        EXPECT_NE(random.pixelColor(size / 8 + 1, y).rgb(),
                  random.pixelColor(size - size / 8 - 2, y).rgb());
        EXPECT_NE(Expected(10, size), Expected(0, size));
    }
}

class TemplateListViewTest : public TemplateListTest {
protected:
    void SetUp() override
    {
        for (const char* text : {"alpha", "beta", "gamma"})
            templates.append(
                Template(text, NoteColor::Yellow, NoteShape::Rectangle, NoteSize::Size132x152));
        list = std::make_unique<TemplateListView>(templates, &parent);
        list->setGeometry(10, 43, 238, 276);
        parent.resize(260, 335);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    // What the window system delivers for a double-click: press, release, press, double-click,
    // release.
    void DoubleClick(const QPoint& at)
    {
        QWidget* viewport = View()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }

    // A right-click: the button goes down and up, and the window system asks for a context menu.
    void RightClick(const QPoint& at)
    {
        QWidget* viewport = View()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
    }

    QAbstractItemView* View() const { return static_cast<QAbstractItemView*>(list->CurrentView()); }
    QPoint ItemCenter(int row) const
    {
        return View()->visualRect(list->Model()->index(row, 0)).center();
    }

    // Records the keys that travel up past the list.
    class Parent : public QWidget {
    public:
        std::vector<int> keys;

    protected:
        void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
    };
    Parent parent;
    std::unique_ptr<TemplateListView> list;
};

TEST_F(TemplateListViewTest, ViewModesShowIconsListOrReport)
{
    EXPECT_EQ(list->ViewMode(), 0);
    EXPECT_EQ(list->CurrentView(), list->ListView());
    EXPECT_EQ(list->ListView()->viewMode(), QListView::IconMode);
    EXPECT_EQ(list->ListView()->iconSize(), QSize(32, 32));
    EXPECT_FALSE(list->ReportView()->isVisible());
    // Text under the icon: the item is taller than the icon and its text starts below it.
    const QRect item = list->ListView()->visualRect(list->Model()->index(0, 0));
    EXPECT_GT(item.height(), 32 + 8);

    list->ApplyViewMode(1);
    EXPECT_TRUE(list->ListView()->isVisible());
    EXPECT_EQ(list->ListView()->viewMode(), QListView::ListMode);
    EXPECT_EQ(list->ListView()->iconSize(), QSize(16, 16));
    EXPECT_FALSE(list->ReportView()->isVisible());
    const QRect row0 = list->ListView()->visualRect(list->Model()->index(0, 0));
    const QRect row1 = list->ListView()->visualRect(list->Model()->index(1, 0));
    EXPECT_LT(row0.height(), 32);
    EXPECT_GT(row1.top(), row0.top()); // items run downwards
    // One line per item, however long its text.
    templates.append(Template("a template text far too long for one line of this list",
                              NoteColor::Red, NoteShape::Rectangle, 0));
    list->Refill();
    EXPECT_EQ(list->ListView()->visualRect(list->Model()->index(3, 0)).height(), row0.height());

    for (int mode : {2, 3, -1, 99}) {
        list->ApplyViewMode(mode);
        EXPECT_EQ(list->CurrentView(), list->ReportView()) << mode;
        EXPECT_TRUE(list->ReportView()->isVisible()) << mode;
        EXPECT_TRUE(list->ReportView()->header()->isVisible()) << mode;
        EXPECT_FALSE(list->ListView()->isVisible()) << mode;
        EXPECT_EQ(list->ReportView()->iconSize(), QSize(16, 16));
    }
    list->ApplyViewMode(0);
    EXPECT_FALSE(list->ReportView()->header()->isVisible());
    EXPECT_EQ(list->ListView()->iconSize(), QSize(32, 32));
}

TEST_F(TemplateListViewTest, ColumnsTakeTheirShareOfTheClientWidth)
{
    EXPECT_EQ(TemplateListView::ColumnWidths(236),
              (std::array<int, 7>{47, 33, 47, 26, 33, 33, 14}));
    EXPECT_EQ(TemplateListView::ColumnWidths(100), (std::array<int, 7>{20, 14, 20, 11, 14, 14, 6}));

    // Set when the list first took its size.
    list->ApplyViewMode(2);
    QTreeView* report = list->ReportView();
    const int w = report->viewport()->width(); // the client area: no scroll bar with three items
    ASSERT_GT(w, 200);
    const std::array<int, 7> expected = {w / 5, w / 7, w / 5, w / 9, w / 7, w / 7, w / 16};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(report->header()->sectionSize(c), expected[static_cast<std::size_t>(c)]) << c;
}

TEST_F(TemplateListViewTest, ColorsPaintBackgroundAndText)
{
    const QColor frame(200, 220, 250), fill(50, 80, 150);
    list->SetColors(frame, fill);
    for (int mode : {0, 1, 2}) {
        list->ApplyViewMode(mode);
        QAbstractItemView* view = View();
        const QImage shot = view->viewport()->grab().toImage();
        // Bottom right is empty with three items.
        EXPECT_EQ(shot.pixelColor(shot.width() - 3, shot.height() - 3).rgb(), frame.rgb()) << mode;
        EXPECT_EQ(view->palette().color(QPalette::Text), fill);
        // Some text pixel is drawn in a shade of the text colour (anti-aliased towards the
        // background).
        bool textSeen = false;
        // Across the first row: the report's narrow columns elide most of the text.
        QRect item = view->visualRect(list->Model()->index(0, 0));
        item.setLeft(0);
        item.setRight(shot.width() - 1);
        for (int y = item.top(); y <= item.bottom() && !textSeen; ++y)
            for (int x = item.left(); x <= item.right() && !textSeen; ++x)
                textSeen = Near(shot.pixelColor(x, y), fill);
        EXPECT_TRUE(textSeen) << mode;
    }
}

TEST_F(TemplateListViewTest, SelectionIsSingleAndSurvivesModeSwitches)
{
    EXPECT_EQ(list->SelectedIndex(), -1);
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, ItemCenter(1));
    EXPECT_EQ(list->SelectedIndex(), 1);
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, ItemCenter(2));
    EXPECT_EQ(list->SelectedIndex(), 2);
    EXPECT_EQ(View()->selectionModel()->selectedRows().size(), 1);
    list->ApplyViewMode(2);
    EXPECT_EQ(list->SelectedIndex(), 2);
    // The whole row is selected in the report.
    EXPECT_TRUE(View()->selectionModel()->isSelected(list->Model()->index(2, 6)));
    list->SelectIndex(0);
    list->ApplyViewMode(1);
    EXPECT_EQ(list->SelectedIndex(), 0);
    list->Refill();
    EXPECT_EQ(list->SelectedIndex(), -1);
}

TEST_F(TemplateListViewTest, DoubleClickOpensTheItemInEveryMode)
{
    QSignalSpy activated(list.get(), &TemplateListView::itemActivated);
    for (int mode : {0, 1, 2}) {
        list->ApplyViewMode(mode);
        activated.clear();
        DoubleClick(ItemCenter(mode));
        ASSERT_EQ(activated.size(), 1) << mode;
        EXPECT_EQ(activated[0][0].toInt(), mode);
    }
    // A double-click on empty space opens nothing.
    activated.clear();
    const QPoint empty(View()->viewport()->width() - 3, View()->viewport()->height() - 3);
    DoubleClick(empty);
    EXPECT_EQ(activated.size(), 0);
}

TEST_F(TemplateListViewTest, EnterDoesNotOpenAndEnterAndEscapeReachThePanel)
{
    QSignalSpy activated(list.get(), &TemplateListView::itemActivated);
    for (int mode : {0, 1, 2}) {
        list->ApplyViewMode(mode);
        list->SelectIndex(1);
        View()->setFocus();
        parent.keys.clear();
        QTest::keyClick(View(), Qt::Key_Return);
        QTest::keyClick(View(), Qt::Key_Enter);
        QTest::keyClick(View(), Qt::Key_Escape);
        EXPECT_EQ(activated.size(), 0) << mode;
        EXPECT_EQ(parent.keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}))
            << mode;
    }
}

TEST_F(TemplateListViewTest, RightClickOpensTheMenuOnlyOnAnItem)
{
    QSignalSpy menu(list.get(), &TemplateListView::contextMenuRequested);
    for (int mode : {0, 1, 2}) {
        list->ApplyViewMode(mode);
        list->SelectIndex(-1);
        menu.clear();
        QWidget* viewport = View()->viewport();
        const QPoint empty(viewport->width() - 3, viewport->height() - 3);
        RightClick(empty);
        EXPECT_EQ(menu.size(), 0) << mode;

        // The right button selects the item under it first.
        RightClick(ItemCenter(2));
        ASSERT_EQ(menu.size(), 1) << mode;
        EXPECT_EQ(menu[0][0].toInt(), 2);
        EXPECT_EQ(menu[0][1].toPoint(), viewport->mapToGlobal(ItemCenter(2)));

        // A right-click where there is no item clears the selection and shows no menu.
        list->SelectIndex(1);
        menu.clear();
        QContextMenuEvent beside(QContextMenuEvent::Mouse, empty, viewport->mapToGlobal(empty));
        QApplication::sendEvent(viewport, &beside);
        EXPECT_EQ(menu.size(), 0) << mode;
        EXPECT_EQ(list->SelectedIndex(), -1) << mode;
    }
}

TEST_F(TemplateListViewTest, HeaderClickReportsTheColumn)
{
    list->ApplyViewMode(2);
    list->InsertColumns();
    QSignalSpy clicked(list.get(), &TemplateListView::headerClicked);
    QHeaderView* header = list->ReportView()->header();
    for (int c : {0, 3, 6}) {
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    ASSERT_EQ(clicked.size(), 3);
    EXPECT_EQ(clicked[0][0].toInt(), 0);
    EXPECT_EQ(clicked[1][0].toInt(), 3);
    EXPECT_EQ(clicked[2][0].toInt(), 6);
}

} // namespace
