// The hot key set and the tray icon as the started panel drives them: the grabs made at
// start-up and from the menu, what each key press does, the icon's gestures, its balloon
// and its removal at exit.

#include "panel/RunningPanel.h"

#include "note/Note.h"
#include "platform/InstanceLock.h"
#include "platform/MachineFolders.h"
#include "store/Stores.h"
#include "widgets/Menus.h"
#include "widgets/MyLink.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

using Call = FakeHotKeyGrabber::Call;

constexpr Qt::KeyboardModifiers kCS = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCSW = kCS | Qt::MetaModifier; // with the Win key last

std::vector<std::string> Describe(const std::vector<Call>& calls)
{
    std::vector<std::string> lines;
    for (const Call& c : calls)
        lines.push_back((c.grab ? "grab " : "release ") + std::to_string(c.id) +
                        (c.grab ? " " + std::to_string(c.keys.toCombined()) : ""));
    return lines;
}

std::string Grab(int id, QKeyCombination keys)
{
    return "grab " + std::to_string(id) + " " + std::to_string(keys.toCombined());
}

using Lines = std::vector<std::string>;

const Lines kLeftSet = {Grab(15, kCS | Qt::Key_Q), Grab(13, kCS | Qt::Key_W),
                        Grab(14, kCS | Qt::Key_E), Grab(12, kCS | Qt::Key_S),
                        Grab(10, kCS | Qt::Key_C), Grab(11, kCSW | Qt::Key_Meta)};
const Lines kRightSet = {Grab(15, kCS | Qt::Key_Left),   Grab(14, kCS | Qt::Key_Right),
                         Grab(13, kCS | Qt::Key_Up),     Grab(12, kCS | Qt::Key_Down),
                         Grab(10, kCS | Qt::Key_Insert), Grab(11, kCSW | Qt::Key_Meta)};
const Lines kReleaseAll = {"release 15", "release 14", "release 13",
                           "release 12", "release 10", "release 11"};

class PanelHotKeysTrayTest : public RunningPanel {
protected:
    Commands HotKeyMarks() const
    {
        Commands marked;
        for (PanelCommand id : {PanelCommand::LeftKeys, PanelCommand::RightKeys,
                                PanelCommand::NoHotKeys, PanelCommand::HotKeysMarkLast})
            if (IsChecked(Find<QMenu>(*panel, "hotKeysMenu"), id))
                marked.push_back(id);
        return marked;
    }
    QString ShowPanelItemText() const
    {
        return FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::ShowPanel)->text();
    }
};

TEST_F(PanelHotKeysTrayTest, StartUpGrabsTheStoredSetInOrderAndMarksIt)
{
    struct Case {
        int mode;
        bool settingsFile;
        Lines calls;
        Commands marks;
    };
    const Case cases[] = {
        {0, false, kLeftSet, {PanelCommand::LeftKeys}},
        {0, true, kLeftSet, {PanelCommand::LeftKeys}},
        {1, true, kRightSet, {PanelCommand::RightKeys}},
        {2, true, kReleaseAll, {PanelCommand::NoHotKeys}},
        {5, true, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + (c.settingsFile ? " with settings" : " first start"));
        FreshDataFolder();
        if (c.settingsFile)
            WriteSettings(c.mode);
        Start();
        EXPECT_EQ(Describe(keys->calls), c.calls);
        EXPECT_EQ(HotKeyMarks(), c.marks);
        Exit();
        SSettings stored;
        ASSERT_TRUE(store::ReadSettings(folder, stored));
        EXPECT_EQ(stored.hotKeyMode, c.mode);
    }
}

TEST_F(PanelHotKeysTrayTest, TheHotKeysMenuSwitchesTheLiveSet)
{
    Start();
    keys->calls.clear();
    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::RightKeys)->trigger();
    EXPECT_EQ(HotKeyMarks(), Commands{PanelCommand::RightKeys});
    EXPECT_EQ(keys->live.size(), 6u);
    EXPECT_EQ(keys->live[15], kCS | Qt::Key_Left);
    EXPECT_EQ(keys->live[10], kCS | Qt::Key_Insert);
    EXPECT_EQ(keys->live[11], kCSW | Qt::Key_Meta);

    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::NoHotKeys)->trigger();
    EXPECT_EQ(HotKeyMarks(), Commands{PanelCommand::NoHotKeys});
    EXPECT_TRUE(keys->live.empty());

    keys->calls.clear();
    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::LeftKeys)->trigger();
    EXPECT_EQ(HotKeyMarks(), Commands{PanelCommand::LeftKeys});
    EXPECT_EQ(Describe(keys->calls), kLeftSet);

    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::RightKeys)->trigger();
    Exit();
    SSettings stored;
    ASSERT_TRUE(store::ReadSettings(folder, stored));
    EXPECT_EQ(stored.hotKeyMode, 1);
}

TEST_F(PanelHotKeysTrayTest, KeyPressesRunThePanelsCommands)
{
    WriteNotes({NoteRecord("up", 100, 300, true), NoteRecord("down", 400, 500)});
    WriteSettings();
    Start();
    const std::vector<CNote*> notes = OpenNotes();
    ASSERT_EQ(notes.size(), 2u);

    keys->press(ShowHide);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Show Panel");
    keys->press(ShowHide);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");

    keys->press(TopToggle);
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));
    keys->press(TopToggle);
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(IsChecked(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::AlwaysTop));

    // The notes roll together while the program goes on; the records change at once.
    keys->press(MinimizeNotes);
    EXPECT_TRUE(notes[1]->record().minimized);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return notes[1]->pos() == QPoint(400, 20 - notes[1]->height()); }));
    EXPECT_EQ(notes[0]->pos(), QPoint(100, 20 - notes[0]->height()));
    EXPECT_EQ(notes[1]->pos(), QPoint(400, 20 - notes[1]->height()));
    keys->press(RestoreNotes);
    EXPECT_FALSE(notes[0]->record().minimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes[1]->pos() == QPoint(400, 500); }));
    EXPECT_EQ(notes[0]->pos(), QPoint(100, 300));
    EXPECT_EQ(notes[1]->pos(), QPoint(400, 500));

    // Bringing the panel forward, or a key the program never bound, changes nothing.
    keys->press(SetForeground);
    keys->press(16);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");
    EXPECT_EQ(OpenNotes().size(), 2u);
    EXPECT_FALSE(panel->Ended());
}

TEST_F(PanelHotKeysTrayTest, TheIconIsAddedOnceAtStartAndRemovedAtExit)
{
    WriteSettings();
    Start();
    ASSERT_EQ(tray->adds.size(), 1u);
    EXPECT_EQ(tray->adds[0].tip, "Pinleaf");
    EXPECT_FALSE(tray->adds[0].balloon);
    EXPECT_TRUE(tray->present);
    EXPECT_EQ(tray->removes, 0);
    // Hosts that show only exported menus get the options menu.
    EXPECT_EQ(tray->menu, Find<QMenu>(*panel, "optionsMenu"));

    // Gestures: double-click hides and shows, a click or a right-click leave it as it is.
    tray->gesture(TrayIcon::DoubleClick);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Show Panel");
    tray->gesture(TrayIcon::LeftClick);
    EXPECT_FALSE(panel->isVisible());
    tray->gesture(TrayIcon::DoubleClick);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");
    // A click on a StatusNotifier host (no double-clicks there) shows a hidden panel
    // and leaves a shown one shown.
    tray->gesture(TrayIcon::DoubleClick);
    tray->gesture(TrayIcon::Activate);
    EXPECT_TRUE(panel->isVisible());
    tray->gesture(TrayIcon::Activate);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(ShowPanelItemText(), "Hide Panel");
    EXPECT_EQ(tray->adds.size(), 1u); // no balloon on this run

    Exit();
    EXPECT_EQ(tray->removes, 1);
    EXPECT_FALSE(tray->present);
    EXPECT_EQ(tray->adds.size(), 1u);
}

TEST_F(PanelHotKeysTrayTest, ARightClickOnTheIconOpensTheOptionsMenuThatWorksWhileHidden)
{
    WriteSettings(0, false);
    Start();
    ASSERT_FALSE(panel->isVisible());
    fake.cursor = QPoint(40, 50);
    tray->gesture(TrayIcon::RightClick);
    EXPECT_TRUE(Find<QMenu>(*panel, "optionsMenu")->isVisible());
    EXPECT_EQ(Find<QMenu>(*panel, "optionsMenu")->pos(), QPoint(40, 50));
    EXPECT_FALSE(panel->isVisible());
    Find<QMenu>(*panel, "optionsMenu")->hide();

    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::CreateNote)
        ->trigger(); // "Create Note"
    EXPECT_EQ(OpenNotes().size(), 1u);
    EXPECT_FALSE(panel->isVisible());
    FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::ShowPanel)->trigger();
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(PanelHotKeysTrayTest, HidingShowsTheBalloonOnlyAfterAFirstStartOrAHandOver)
{
    const QStringList balloonLines{"Right mouse click - to show main menu",
                                   "Left click - set foreground notes & main window",
                                   "Left double click - to hide/show main window."};
    // First start: every hiding re-adds the icon with the balloon.
    Start();
    QTest::mouseClick(Find<CMyLink>(*panel, "hideLabel"), Qt::LeftButton);
    ASSERT_EQ(tray->adds.size(), 2u);
    EXPECT_TRUE(tray->adds[1].balloon);
    EXPECT_EQ(tray->adds[1].tip, "Pinleaf");
    EXPECT_EQ(tray->adds[1].title, "Pinleaf is here!");
    EXPECT_EQ(tray->adds[1].text.split('\n'), balloonLines);
    panel->OnCommand(PanelCommand::ShowPanel); // showing adds nothing
    EXPECT_EQ(tray->adds.size(), 2u);
    tray->gesture(TrayIcon::DoubleClick);
    ASSERT_EQ(tray->adds.size(), 3u);
    EXPECT_TRUE(tray->adds[2].balloon);
    Exit();

    // With a settings file: no balloon.
    WriteSettings();
    Start();
    ASSERT_EQ(tray->adds.size(), 1u);
    QTest::mouseClick(Find<CMyLink>(*panel, "hideLabel"), Qt::LeftButton);
    EXPECT_EQ(tray->adds.size(), 1u);
    EXPECT_FALSE(panel->isVisible());

    // Until a second copy hands over.
    {
        InstanceLock secondCopy(RuntimeFolderFor(folder));
        ASSERT_EQ(secondCopy.Acquire(), InstanceLock::Result::HeldByOther);
    }
    panel->OnTimer(CNoteDlg::kPollTimer);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(tray->adds.size(), 1u);
    keys->press(ShowHide);
    ASSERT_EQ(tray->adds.size(), 2u);
    EXPECT_TRUE(tray->adds[1].balloon);
    EXPECT_EQ(tray->adds[1].title, "Pinleaf is here!");
}

} // namespace
