// Start-up, the stored settings applied, the save-all exit and the hand-over between
// two copies, seen through the files on disk, the window and its menus.

#include "panel/NoteDlg.h"
#include "panel/PanelTestSupport.h"

#include "note/Note.h"
#include "panel/RunningPanel.h"
#include "store/Stores.h"

#include "platform/InstanceLock.h"
#include "platform/MachineFolders.h"
#include "support/FakePlatform.h"
#include "widgets/Menus.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kW = 259; // 173 dialog units
constexpr int kH = 334; // 206 dialog units

class PanelStartupTest : public ::testing::Test {
protected:
    void SetUp() override { folder = FreshDataFolder(); }
    std::string file(const char* name) const { return folder + name; }
    std::string lockFile(const char* name) const { return RuntimeFolderFor(folder) + name; }
    void WriteSettings(const std::vector<unsigned char>& bytes)
    {
        WriteFile(file("file1.dat"), bytes);
    }
    QString ShowPanelItemText() const
    {
        return FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::ShowPanel)->text();
    }
    // Hides the panel (shown first if need be) and says whether the tray icon then
    // shows its balloon.
    bool HidingShowsTheBalloon()
    {
        if (!panel->isVisible())
            panel->OnCommand(PanelCommand::ShowPanel);
        trayIcon->adds.clear();
        panel->OnCommand(PanelCommand::ShowPanel);
        return !trayIcon->adds.empty() && trayIcon->adds.back().balloon;
    }
    void Start()
    {
        auto tray = std::make_unique<FakeTrayIcon>();
        trayIcon = tray.get();
        panel = std::make_unique<CNoteDlg>(nullptr, std::move(tray));
        ASSERT_TRUE(panel->OnInitDialog());
    }

    FakePlatform fake;
    std::string folder;
    FakeTrayIcon* trayIcon = nullptr;
    std::unique_ptr<CNoteDlg> panel;
};

TEST_F(PanelStartupTest, FirstStartShowsABluePanelAtTheBottomRight)
{
    Start();
    EXPECT_EQ(CNoteDlg::instance(), panel.get());
    EXPECT_TRUE(Exists(lockFile("xr.log")));
    EXPECT_EQ(panel->geometry(), QRect(1280 - kW, 1024 - kH, kW, kH));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");
    EXPECT_FALSE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "panelColorMenu"), PanelCommand::PanelBlue));
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "panelStyleMenu"), PanelCommand::PanelRectangle));
    EXPECT_EQ(panel->categoryList().count(), 13);
    EXPECT_EQ(panel->templateRecords().count(), 3);
    EXPECT_TRUE(HidingShowsTheBalloon());
    // Nothing is written before the exit.
    EXPECT_FALSE(Exists(file("file1.dat")));
    EXPECT_FALSE(Exists(file("data1.log")));
}

// What the desktop shows when the first stored note appears: the panel in its stored
// place and labelled, its menus built and listing the stored categories.
TEST_F(PanelStartupTest, StoredNotesAppearOnceThePanelIsPlacedAndItsMenusAreBuilt)
{
    WriteSettings(SettingsBytes(false, true, 1, 0, 0, 0, 100, 200));
    Categories stored;
    for (const char* name : {"Garden", "Roof"})
        stored.append(name);
    ASSERT_TRUE(store::WriteCategories(folder, stored));
    ASSERT_TRUE(store::WriteNotes(folder, {NoteRecord("first", 500, 500)}));

    struct FirstNote : QObject {
        const CNoteDlg* panel = nullptr;
        bool seen = false;
        QRect panelPlace;
        QString showPanelItem;
        QStringList categoryItems;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() != QEvent::Show || seen || !qobject_cast<CNote*>(watched))
                return false;
            seen = true;
            panelPlace = panel->geometry();
            if (QMenu* options = Find<QMenu>(*panel, "optionsMenu"))
                showPanelItem = FindItem(options, PanelCommand::ShowPanel)->text();
            if (QMenu* categories = Find<QMenu>(*panel, "categoryMenu"))
                for (QAction* item : categories->actions())
                    categoryItems << item->text();
            return false;
        }
    } watch;
    panel = std::make_unique<CNoteDlg>(nullptr, std::make_unique<FakeTrayIcon>());
    watch.panel = panel.get();
    qApp->installEventFilter(&watch);
    const bool started = panel->OnInitDialog();
    qApp->removeEventFilter(&watch);
    ASSERT_TRUE(started);
    ASSERT_TRUE(watch.seen);
    EXPECT_EQ(watch.panelPlace, QRect(100, 200, kW, kH));
    EXPECT_EQ(watch.showPanelItem, "Hide Panel");
    EXPECT_EQ(watch.categoryItems, (QStringList{"Garden", "Roof", "", "Edit..."}));
}

TEST_F(PanelStartupTest, StoredSettingsAreApplied)
{
    WriteSettings(SettingsBytes(true, false, 1, 2, 1, 2, 100, 200));
    Start();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Show Panel");
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "panelColorMenu"), PanelCommand::PanelRed));
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "panelStyleMenu"), PanelCommand::PanelCutTLBR));
    EXPECT_EQ(panel->geometry(), QRect(100, 200, kW, kH));
    EXPECT_FALSE(HidingShowsTheBalloon()); // no first start
}

TEST_F(PanelStartupTest, AShownStayOnTopPanelAppearsOnceWithItsMark)
{
    WriteSettings(SettingsBytes(true, true, 0, 0, 0, 0, 100, 200));
    // The mark set on a panel already shown hides it and shows it again.
    struct ShowCounter : QObject {
        int shows = 0;
        int hides = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            shows += event->type() == QEvent::Show;
            hides += event->type() == QEvent::Hide;
            return false;
        }
    } counter;
    panel = std::make_unique<CNoteDlg>(nullptr, std::make_unique<FakeTrayIcon>());
    panel->installEventFilter(&counter);
    ASSERT_TRUE(panel->OnInitDialog());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");
    EXPECT_EQ(panel->geometry(), QRect(100, 200, kW, kH));
    EXPECT_EQ(counter.shows, 1);
    EXPECT_EQ(counter.hides, 0);
}

TEST_F(PanelStartupTest, AStoredPlaceOnTheDesktopIsKeptEvenWhenThePanelSticksOut)
{
    WriteSettings(SettingsBytes(false, true, 0, 0, 0, 0, 1200, 1000));
    Start();
    EXPECT_EQ(panel->geometry(), QRect(1200, 1000, kW, kH));
}

TEST_F(PanelStartupTest, AStoredPlaceOffTheDesktopMovesToTheBottomRight)
{
    for (QPoint stored : {QPoint(5000, 5000), QPoint(-10, 5), QPoint(1280, 0)}) {
        WriteSettings(SettingsBytes(false, true, 0, 0, 0, 0, stored.x(), stored.y()));
        Start();
        EXPECT_EQ(panel->geometry(), QRect(1280 - kW, 1024 - kH, kW, kH))
            << stored.x() << "," << stored.y();
        panel.reset();
    }
}

TEST_F(PanelStartupTest, ExitWritesAllFourStoresAndKeepsADamagedNotesFileAside)
{
    WriteFile(file("data2.log"), {1, 2, 3});
    Start();
    panel->move(300, 400);
    QSignalSpy finished(panel.get(), &CNoteDlg::finished);
    panel->OnCommand(PanelCommand::Exit);

    EXPECT_EQ(ReadFile(file("file1.dat")), SettingsBytes(false, true, 0, 0, 0, 0, 300, 400));
    EXPECT_TRUE(Exists(file("data3.log")));
    EXPECT_TRUE(Exists(file("data1.log")));
    // The three bytes are no notes store; they stay aside, and no open note means an
    // empty notes file.
    EXPECT_EQ(ReadFile(file("data2.log.damaged")), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_TRUE(ReadFile(file("data2.log")).empty());
    EXPECT_EQ(trayIcon->removes, 1);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(PanelStartupTest, AHiddenPanelKeepsItsPlaceAndStaysHiddenNextTime)
{
    WriteSettings(SettingsBytes(false, true, 3, 1, 0, 0, 100, 200));
    Start();
    panel->OnCommand(PanelCommand::ShowPanel);
    panel->OnOK();
    EXPECT_EQ(ReadFile(file("file1.dat")), SettingsBytes(false, false, 3, 1, 0, 0, 100, 200));
}

TEST_F(PanelStartupTest, EnterSavesAndEscapeEndsWithoutWriting)
{
    Start();
    QTest::keyClick(panel.get(), Qt::Key_Escape);
    EXPECT_TRUE(panel->Ended());
    EXPECT_FALSE(Exists(file("file1.dat")));
    EXPECT_FALSE(Exists(file("data1.log")));
    EXPECT_FALSE(Exists(file("data3.log")));
    panel.reset();

    Start();
    QTest::keyClick(panel.get(), Qt::Key_Return);
    EXPECT_TRUE(panel->Ended());
    EXPECT_EQ(ReadFile(file("file1.dat")).size(), 26u);
    EXPECT_TRUE(Exists(file("data1.log")));
    EXPECT_TRUE(Exists(file("data3.log")));
}

TEST_F(PanelStartupTest, ASecondCopyEndsAtOnceWithoutAWindow)
{
    Start();
    CNoteDlg second;
    QSignalSpy finished(&second, &CNoteDlg::finished);
    EXPECT_FALSE(second.OnInitDialog());
    EXPECT_EQ(second.ExitStatus(), 0);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(second.isVisible());
    EXPECT_TRUE(Exists(lockFile("xo.log")));
    EXPECT_FALSE(Exists(file("file1.dat")));
}

TEST_F(PanelStartupTest, AHiddenPanelReappearsOnceTheSecondCopyHasGone)
{
    WriteSettings(SettingsBytes(false, false, 0, 0, 0, 0, 100, 200));
    Start();
    ASSERT_FALSE(panel->isVisible());
    {
        InstanceLock secondCopy(RuntimeFolderFor(folder));
        ASSERT_EQ(secondCopy.Acquire(), InstanceLock::Result::HeldByOther);
        panel->OnTimer(CNoteDlg::kPollTimer);
        EXPECT_FALSE(panel->isVisible()); // still running: the file is held
        EXPECT_TRUE(Exists(lockFile("xo.log")));
    }
    panel->OnTimer(CNoteDlg::kPollTimer);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");
    EXPECT_FALSE(Exists(lockFile("xo.log")));
    EXPECT_TRUE(HidingShowsTheBalloon()); // the second copy's user looks for the program
}

TEST_F(PanelStartupTest, AShownPanelLeavesTheRequestUntilItIsHidden)
{
    WriteSettings(SettingsBytes(false, true, 0, 0, 0, 0, 100, 200));
    Start();
    {
        InstanceLock secondCopy(RuntimeFolderFor(folder));
        secondCopy.Acquire();
    }
    panel->OnTimer(CNoteDlg::kPollTimer);
    EXPECT_TRUE(Exists(lockFile("xo.log")));
    panel->OnCommand(PanelCommand::ShowPanel);
    EXPECT_FALSE(panel->isVisible());
    panel->OnTimer(CNoteDlg::kPollTimer);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(Exists(lockFile("xo.log")));
}

// The intervals of the timers the panel has asked the event loop for: each one wakes the
// process up while the user does nothing.
std::vector<int> PanelTimers(const CNoteDlg& panel)
{
    std::vector<int> intervals;
    for (const auto& timer :
         QAbstractEventDispatcher::instance()->registeredTimers(const_cast<CNoteDlg*>(&panel)))
        intervals.push_back(timer.interval);
    return intervals;
}

TEST_F(PanelStartupTest, OnlyAHiddenPanelWakesUpToPollForTheHandOver)
{
    Start();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{});
    panel->OnCommand(PanelCommand::ShowPanel);
    ASSERT_FALSE(panel->isVisible());
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{CNoteDlg::kPollPeriodMs});
    panel->OnCommand(PanelCommand::ShowPanel);
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{});

    // Hidden, the poll shows the panel on a hand-over, and the poll ends with it.
    panel->OnCommand(PanelCommand::ShowPanel);
    {
        InstanceLock secondCopy(RuntimeFolderFor(folder));
        secondCopy.Acquire();
    }
    panel->OnTimer(CNoteDlg::kPollTimer);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{});

    // The exit stops the poll of a hidden panel.
    panel->OnCommand(PanelCommand::ShowPanel);
    fake.answers.push_back(true); // hiding was a change: Escape asks first
    QTest::keyClick(panel.get(), Qt::Key_Escape);
    ASSERT_TRUE(panel->Ended());
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{});
}

TEST_F(PanelStartupTest, AHiddenPanelSleepsUntilASecondCopyComesAndThenShows)
{
    WriteSettings(SettingsBytes(false, false, 0, 0, 0, 0, 100, 200));
    Start();
    ASSERT_FALSE(panel->isVisible());
    // After one look a second after hiding, nothing is left to wake the process up.
    ASSERT_TRUE(QTest::qWaitFor([&] { return PanelTimers(*panel).empty(); }, 5000));
    {
        InstanceLock secondCopy(RuntimeFolderFor(folder));
        ASSERT_EQ(secondCopy.Acquire(), InstanceLock::Result::HeldByOther);
        QTest::qWait(300);
        EXPECT_FALSE(panel->isVisible()); // still running: the file is held
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->isVisible(); }, 5000));
    EXPECT_FALSE(Exists(lockFile("xo.log")));
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{});
}

TEST_F(PanelStartupTest, APanelStoredHiddenPollsFromTheStart)
{
    WriteSettings(SettingsBytes(false, false, 0, 0, 0, 0, 100, 200));
    Start();
    ASSERT_FALSE(panel->isVisible());
    EXPECT_EQ(PanelTimers(*panel), std::vector<int>{CNoteDlg::kPollPeriodMs});
}

TEST_F(PanelStartupTest, AnUnusableDataFolderEndsWithAMessage)
{
    // The data folder's parent is a plain file: the folder cannot exist.
    const std::string home = std::getenv("XDG_DATA_HOME");
    const std::string blocker = home + "/blocker";
    WriteFile(blocker, {0});
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    // Started from a menu there is no terminal: with a display the message shows too.
    setenv("DISPLAY", ":99", 1);
    testing::internal::CaptureStderr();
    CNoteDlg broken;
    const bool started = broken.OnInitDialog();
    const std::string message = testing::internal::GetCapturedStderr();
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    unsetenv("DISPLAY");
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_NE(fake.asked[0].text.find(blocker + "/Pinleaf/"), std::string::npos);

    EXPECT_FALSE(started);
    EXPECT_EQ(broken.ExitStatus(), 1);
    EXPECT_NE(message.find(blocker + "/Pinleaf/"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    EXPECT_FALSE(broken.isVisible());
}

} // namespace
