// The panel and its note windows together: opening notes from templates, the menu and the
// hot key, the commands on all notes, saving a note as a template, and the notes store
// across an exit and a restart.

#include "panel/RunningPanel.h"

#include "note/Note.h"
#include "panel/TemplateList.h"
#include "panel/TemplateListModel.h"
#include "store/Stores.h"
#include "widgets/Menus.h"

#include <QAction>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kSmallW = 132, kSmallH = 152; // size 1, the factory templates' size
constexpr int kW0 = 120, kH0 = 140;         // size 0

using PanelNotesTest = RunningPanel;

TEST_F(PanelNotesTest, DoubleClickingATemplateOpensANoteFromItAtTheCursor)
{
    WriteSettings();
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    fake.cursor = QPoint(400, 300);
    panel->OnCommand(PanelCommand::CreateNote); // slot 0 is taken first

    QListView* view = Find<TemplateListView>(*panel, "templateList")->ListView();
    view->doItemsLayout();
    const QRect item =
        view->visualRect(Find<TemplateListView>(*panel, "templateList")->Model()->index(1, 0));
    QTest::mouseDClick(panel->windowHandle(), Qt::LeftButton, {},
                       view->viewport()->mapTo(panel.get(), item.center()));

    ASSERT_EQ(Slots().size(), 2u);
    CNote* note = Slots()[1];
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->slot(), 1);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->geometry(), QRect(400 - kSmallW / 2, 300 - kSmallH / 2, kSmallW, kSmallH));
    const SNote& r = note->record();
    EXPECT_EQ(r.text, "Great idea...");
    EXPECT_EQ(r.category, "Favorites");
    EXPECT_EQ(r.color, NoteColor::Blue2);
    EXPECT_EQ(r.shape, NoteShape::Rectangle);
    EXPECT_EQ(r.left, 400 - kSmallW / 2);
    EXPECT_EQ(r.top, 300 - kSmallH / 2);
    EXPECT_EQ(r.created, fake.clock);
    // The template stays as it was.
    EXPECT_EQ(panel->templateRecords().count(), 3);
    EXPECT_EQ(panel->templateRecords().get(1).left, 0);
}

TEST_F(PanelNotesTest, CreateNoteAndItsHotKeyMakeTheSameNoteInConsecutiveSlots)
{
    Start();
    panel->OnCommand(PanelCommand::CreateNote);
    fake.clock.second = 59;
    keys->press(10);

    ASSERT_EQ(Slots().size(), 2u);
    const SNote fromMenu = Slots()[0]->record();
    SNote fromKey = Slots()[1]->record();
    EXPECT_EQ(Slots()[0]->slot(), 0);
    EXPECT_EQ(Slots()[1]->slot(), 1);
    // No default yet: the last template, "To do...".
    EXPECT_EQ(fromMenu.text, "To do...");
    EXPECT_EQ(fromMenu.color, NoteColor::Orange);
    EXPECT_EQ(fromMenu.shape, NoteShape::CutBL);
    EXPECT_EQ(fromKey.created.second, 59);
    fromKey.created = fromMenu.created;
    EXPECT_EQ(fromKey, fromMenu);
    EXPECT_EQ(Slots()[0]->geometry(), Slots()[1]->geometry());

    // The panel is not brought forward by this key, and nothing else changed.
    EXPECT_EQ(panel->templateRecords().count(), 3);
    EXPECT_FALSE(panel->Ended());
}

TEST_F(PanelNotesTest, MinimizeAllAndRestoreAllActOnlyOnNotesInTheOtherState)
{
    WriteNotes({NoteRecord("up", 100, 300, true), NoteRecord("down", 400, 500, false),
                NoteRecord("also down", 700, 200, false)});
    Start();
    std::vector<CNote*> notes = OpenNotes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0]->y(), 20 - notes[0]->height());

    FindItem(Find<QMenu>(*panel, "notesMenu"), PanelCommand::MinimizeAll)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes[2]->y() == 20 - notes[2]->height(); }));
    for (CNote* note : notes) {
        EXPECT_TRUE(note->record().minimized) << note->record().text;
        EXPECT_EQ(note->y(), 20 - note->height()) << note->record().text;
    }
    // The one that was already up keeps the place it will come back to.
    EXPECT_EQ(notes[0]->record().top, 300);
    EXPECT_EQ(notes[1]->record().top, 500);
    EXPECT_EQ(notes[2]->record().top, 200);

    // Bring one down by itself, then restore all: only the other two move.
    notes[1]->ToggleMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return notes[1]->y() == 500; }));
    FindItem(Find<QMenu>(*panel, "notesMenu"), PanelCommand::RestoreAll)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes[2]->pos() == QPoint(700, 200); }));
    EXPECT_EQ(notes[0]->pos(), QPoint(100, 300));
    EXPECT_EQ(notes[1]->pos(), QPoint(400, 500));
    EXPECT_EQ(notes[2]->pos(), QPoint(700, 200));
    for (CNote* note : notes)
        EXPECT_FALSE(note->record().minimized) << note->record().text;

    // Closed slots are skipped.
    notes[0]->CloseNote();
    FindItem(Find<QMenu>(*panel, "notesMenu"), PanelCommand::MinimizeAll)->trigger();
    EXPECT_TRUE(notes[1]->record().minimized);
    EXPECT_TRUE(notes[2]->record().minimized);
}

TEST_F(PanelNotesTest, MinimizeAllWithManyNotesKeepsTheProgramAnsweringAndEndsInPlace)
{
    std::vector<SNote> records;
    for (int i = 0; i < 150; ++i)
        records.push_back(NoteRecord("n" + std::to_string(i), 5 * i, 200 + i, false));
    WriteNotes(records);
    Start();
    const std::vector<CNote*> notes = OpenNotes();
    ASSERT_EQ(notes.size(), 150u);

    // Something queued right after the command runs while the notes are still on their
    // way: the command does not hold the event loop until they arrive.
    int onTheWay = -1;
    FindItem(Find<QMenu>(*panel, "notesMenu"), PanelCommand::MinimizeAll)->trigger();
    QTimer::singleShot(0, [&] {
        onTheWay = static_cast<int>(std::count_if(
            notes.begin(), notes.end(), [](CNote* n) { return n->y() != 20 - n->height(); }));
    });
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return std::all_of(notes.begin(), notes.end(),
                           [](CNote* n) { return n->y() == 20 - n->height(); });
    }));
    EXPECT_GT(onTheWay, 0);
    for (int i = 0; i < 150; ++i) {
        EXPECT_EQ(notes[i]->x(), 5 * i);
        EXPECT_EQ(notes[i]->record().top, 200 + i);
    }

    // A note clicked while the group rolls down ends where a roll of its own takes it.
    FindItem(Find<QMenu>(*panel, "notesMenu"), PanelCommand::RestoreAll)->trigger();
    notes[7]->ToggleMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes[7]->y() == 20 - notes[7]->height(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notes[149]->pos() == QPoint(745, 349); }));
    for (int i = 0; i < 150; ++i) {
        if (i != 7) {
            EXPECT_EQ(notes[i]->pos(), QPoint(5 * i, 200 + i));
        }
    }
    QTest::qWait(300); // no roll left to move it
    EXPECT_EQ(notes[7]->y(), 20 - notes[7]->height());
}

TEST_F(PanelNotesTest, SavingANoteAsTemplateGrowsTheListAndTheFirstDefaultStillCounts)
{
    Start();
    auto defaultMarks = [this] {
        QStringList marks;
        for (int row = 0; row < RowCount(); ++row)
            marks << Row(row)[6];
        return marks;
    };
    panel->OnCommand(PanelCommand::CreateNote); // no default yet: a copy of the last template
    CNote* note = OpenNotes().at(0);
    fake.answers = {false, true};
    FindItem(note->noteMenu(), Id(NoteCommand::Save))->trigger(); // "Save", answered No
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want to save this note as new template?");
    EXPECT_EQ(RowCount(), 3);

    // The user picks a default, then saves the note made while there was none: the
    // note's record carries the mark it was made with.
    ChooseTemplate(1);
    panel->OnCommand(PanelCommand::Default);
    note->OnCommand(NoteCommand::ColorBlue1);                     // Blue1
    FindItem(note->noteMenu(), Id(NoteCommand::Save))->trigger(); // Yes
    ASSERT_EQ(RowCount(), 4);
    EXPECT_EQ(Row(3), (QStringList{"To do...", "Private", "12/06/24 09:30", "Blue1", "Cut BL",
                                   "132 x 152", "<<"}));
    EXPECT_EQ(defaultMarks(), (QStringList{"", "<<", "", "<<"}));

    // A note opened from the default template itself.
    emit Find<TemplateListView>(*panel, "templateList")->itemActivated(1);
    fake.answers = {true};
    FindItem(OpenNotes().back()->noteMenu(), Id(NoteCommand::Save))->trigger();
    ASSERT_EQ(RowCount(), 5);
    EXPECT_EQ(Row(4)[0], "Great idea...");
    EXPECT_EQ(defaultMarks(), (QStringList{"", "<<", "", "<<", "<<"}));
    EXPECT_EQ(panel->templateRecords().FindDefaultTemplate()->text, "Great idea...");

    Exit();
    Templates stored;
    store::ReadTemplates(folder, stored, LogFont{}, SystemTime{});
    ASSERT_EQ(stored.count(), 5);
    int defaults = 0;
    for (const SNote& t : stored.all())
        defaults += t.isDefault;
    EXPECT_EQ(defaults, 3);
}

TEST_F(PanelNotesTest, TextBeingTypedIsKeptWhenTheProgramEnds)
{
    Start();
    panel->OnCommand(PanelCommand::CreateNote);
    CNote* note = OpenNotes().at(0);
    note->BeginTextEdit();
    ASSERT_TRUE(note->isEditing());
    note->editor()->selectAll();
    QTest::keyClicks(note->editor(), "Call the plumber");
    // The end of the session (or "Exit" from the tray's menu) arrives while typing.
    Exit();
    const std::vector<SNote> stored = StoredNotes();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].text, "Call the plumber");
}

TEST_F(PanelNotesTest, ANotesFileCutInItsThirdRecordOpensTwoNotesAndSavesTwo)
{
    WriteNotes({NoteRecord("one", 10, 20), NoteRecord("two", 30, 40)});
    const std::size_t twoRecords = ReadFile(file("data2.log")).size();
    WriteNotes({NoteRecord("one", 10, 20), NoteRecord("two", 30, 40), NoteRecord("three", 50, 60)});
    std::vector<unsigned char> bytes = ReadFile(file("data2.log"));
    ASSERT_GT(bytes.size(), twoRecords + 20);
    bytes.resize(twoRecords + 20); // inside the third record's texts
    WriteFile(file("data2.log"), bytes);

    Start();
    ASSERT_EQ(OpenNotes().size(), 2u);
    EXPECT_EQ(OpenNotes()[0]->record().text, "one");
    EXPECT_EQ(OpenNotes()[1]->record().text, "two");
    EXPECT_EQ(OpenNotes()[1]->slot(), 1);

    Exit();
    EXPECT_EQ(StoredNoteCount(), 2);
    const std::vector<SNote> stored = StoredNotes();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].text, "two");
    // The damaged file is kept as it was found.
    EXPECT_EQ(ReadFile(file("data2.log.damaged")), bytes);
}

TEST_F(PanelNotesTest, StoredPlacesAreKeptCentredOrRolledUp)
{
    SNote small = NoteRecord("off screen", 5000, 5000);
    small.size = NoteSize::Size120x140;
    SNote rolled = NoteRecord("rolled up", 300, 400, true);
    rolled.size = NoteSize::Size120x140;
    SNote offAndRolled = NoteRecord("off and rolled", -900, 400, true);
    offAndRolled.size = NoteSize::Size120x140;
    WriteNotes({small, rolled, NoteRecord("in place", 50, 60), offAndRolled});
    Start();
    const std::vector<CNote*> notes = OpenNotes();
    ASSERT_EQ(notes.size(), 4u);
    const QPoint centred(1280 / 2 - kW0 / 2, 1024 / 2 - kH0 / 2);
    EXPECT_EQ(notes[0]->pos(), centred);
    EXPECT_EQ(notes[1]->noteRect().topLeft(), QPoint(300, 20 - kH0));
    EXPECT_EQ(notes[2]->pos(), QPoint(50, 60));
    EXPECT_EQ(notes[3]->noteRect().topLeft(), QPoint(-900, 20 - kH0));

    Exit();
    const std::vector<SNote> stored = StoredNotes();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(QPoint(stored[0].left, stored[0].top), centred);
    EXPECT_EQ(QPoint(stored[1].left, stored[1].top), QPoint(300, 400));
    EXPECT_TRUE(stored[1].minimized);
    EXPECT_EQ(QPoint(stored[2].left, stored[2].top), QPoint(50, 60));
    EXPECT_EQ(QPoint(stored[3].left, stored[3].top), QPoint(-900, 400));
    EXPECT_TRUE(stored[3].minimized);
}

TEST_F(PanelNotesTest, ClosedSlotsAreLeftOutAndTheRestReopenInTheFirstSlots)
{
    WriteNotes({NoteRecord("a", 10, 10), NoteRecord("b", 20, 20), NoteRecord("c", 30, 30),
                NoteRecord("d", 40, 40)});
    Start();
    ASSERT_EQ(OpenNotes().size(), 4u);
    std::vector<QPointer<CNote>> closed{Slots()[0], Slots()[2]};
    FindItem(Slots()[0]->noteMenu(), Id(NoteCommand::Close))->trigger(); // "Close"
    Slots()[2]->CloseNote();
    EXPECT_EQ(Slots()[0], nullptr);
    EXPECT_EQ(Slots()[2], nullptr);
    for (const auto& note : closed)
        EXPECT_TRUE(!note || !note->isVisible());

    Exit();
    EXPECT_EQ(StoredNoteCount(), 2);
    Start();
    ASSERT_EQ(Slots().size(), 2u);
    EXPECT_EQ(Slots()[0]->record().text, "b");
    EXPECT_EQ(Slots()[0]->slot(), 0);
    EXPECT_EQ(Slots()[0]->pos(), QPoint(20, 20));
    EXPECT_EQ(Slots()[1]->record().text, "d");
    EXPECT_EQ(Slots()[1]->slot(), 1);

    // Closing every note leaves an empty store: no notes at the next start.
    panel->OnCommand(PanelCommand::CloseAll);
    Exit();
    EXPECT_TRUE(ReadFile(file("data2.log")).empty());
    Start();
    EXPECT_TRUE(Slots().empty());
}

TEST_F(PanelNotesTest, AClosedNoteCanBeReopenedAtItsPlaceEvenAfterARestart)
{
    WriteSettings();
    Start();
    std::filesystem::remove_all(store::StateFolder());
    QAction* reopen = FindItem(Find<QMenu>(*panel, "optionsMenu"),
                               PanelCommand::ReopenClosedNote); // also the tray's menu
    ASSERT_NE(reopen, nullptr);
    EXPECT_EQ(reopen->text(), QStringLiteral("Reopen closed note"));
    EXPECT_FALSE(reopen->isEnabled());

    // Escape on a focused note closes it; the last 20 closed are kept on this machine.
    for (int i = 0; i < 21; ++i) {
        fake.cursor = QPoint(100 + i, 200 + i); // a new note opens around the pointer
        CNote* note = panel->openNote(NoteRecord("closed " + std::to_string(i), 0, 0), true);
        QTest::keyClick(note, Qt::Key_Escape);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(OpenNotes().empty());
    const std::vector<SNote> kept =
        store::ReadNotes(store::StateFolder(), store::kClosedNotesFile, LogFont{});
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(kept.front().text, "closed 1");
    EXPECT_EQ(kept.back().text, "closed 20");
    EXPECT_TRUE(reopen->isEnabled());

    // A restart still has them; the latest comes back first, where it was.
    Start();
    reopen = FindItem(Find<QMenu>(*panel, "optionsMenu"), PanelCommand::ReopenClosedNote);
    ASSERT_TRUE(reopen->isEnabled());
    reopen->trigger();
    ASSERT_EQ(OpenNotes().size(), 1u);
    EXPECT_EQ(OpenNotes()[0]->record().text, "closed 20");
    EXPECT_EQ(OpenNotes()[0]->pos(), QPoint(120 - kSmallW / 2, 220 - kSmallH / 2));
    EXPECT_TRUE(panel->ChangedSinceStart());
    EXPECT_EQ(store::ReadNotes(store::StateFolder(), store::kClosedNotesFile, LogFont{}).size(),
              19u);
}

} // namespace
