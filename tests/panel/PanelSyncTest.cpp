// A data folder another machine writes into: what it wrote shows in the running panel
// and is merged into the stores; shared mode writes soon after each change; outside it
// a store changed meanwhile is merged at the end.

#include "panel/RunningPanel.h"

#include "model/Factory.h"
#include "note/Note.h"
#include "platform/MachineFolders.h"
#include "store/Session.h"
#include "store/Stores.h"
#include "widgets/MyStatic.h"

#include <QAction>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

class PanelSyncTest : public RunningPanel {
protected:
    void SetUp() override
    {
        RunningPanel::SetUp();
        ASSERT_TRUE(config.isValid());
        previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    void TearDown() override
    {
        RunningPanel::TearDown();
        qputenv("XDG_CONFIG_HOME", previousConfig);
    }
    // Syncthing's marker: the folder is shared.
    void MarkShared() { std::filesystem::create_directories(folder + ".stfolder"); }
    // The texts of the open notes, as their windows show them, sorted.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (CNote* note : OpenNotes())
            texts.push_back(note->textLabel()->text().toStdString());
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    // The records of the open notes, in slot order.
    std::vector<SNote> OpenRecords() const
    {
        std::vector<SNote> records;
        for (CNote* note : OpenNotes())
            records.push_back(note->record());
        return records;
    }
    // The notes store's bytes as the program writes these records.
    std::vector<unsigned char> BytesOf(const std::vector<SNote>& records) const
    {
        const std::string elsewhere = folder + "../expected/";
        std::filesystem::create_directories(elsewhere);
        EXPECT_TRUE(store::WriteNotes(elsewhere, records));
        return ReadFile(elsewhere + "data2.log");
    }
    bool WaitFor(const std::function<bool()>& condition, int ms = 5000)
    {
        return QTest::qWaitFor(condition, ms);
    }

    QTemporaryDir config;
    QByteArray previousConfig;
};

TEST_F(PanelSyncTest, WhatAnotherMachineWritesShowsAtOnceAndTheMergeIsWrittenBack)
{
    MarkShared();
    WriteNotes({Made("kept", 1), Made("closed there", 2), Made("changed there", 3)});
    Start();
    ASSERT_TRUE(panel->SharedMode());
    ASSERT_EQ(OpenNotes().size(), 3u);
    panel->openNote(NoteRecord("made here", 500, 500), true);

    // The laptop closed one note, changed another and made a new one.
    ASSERT_TRUE(store::WriteNotes(folder, {Made("kept", 1), Made("changed on the laptop", 3),
                                           Made("made on the laptop", 4)}));
    const std::vector<std::string> merged = {"changed on the laptop", "kept", "made here",
                                             "made on the laptop"};
    ASSERT_TRUE(WaitFor([&] { return Shown() == merged; })) << ::testing::PrintToString(Shown());
    // Both machines end with the same bytes: the merged session is what the store holds.
    ASSERT_TRUE(WaitFor([&] { return ReadFile(file("data2.log")) == BytesOf(OpenRecords()); }));
    EXPECT_EQ(StoredNotes().size(), 4u);
    EXPECT_FALSE(Exists(folder + "recovery/data2.log")) << "the stores are the recovery copy";

    // A note being typed in is not rewritten under the caret; when the edit ends, the
    // laptop's version of its text opens beside it.
    CNote* editing = nullptr;
    for (CNote* note : OpenNotes())
        if (note->record().text == "kept")
            editing = note;
    ASSERT_NE(editing, nullptr);
    editing->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editing));
    editing->BeginTextEdit();
    editing->editor()->setPlainText(QStringLiteral("kept, typed here"));
    std::vector<SNote> theirs = StoredNotes();
    for (SNote& note : theirs)
        if (note.text == "kept")
            note.text = "kept, typed on the laptop";
    ASSERT_TRUE(store::WriteNotes(folder, theirs));
    QTest::qWait(700); // the watch has seen it, and held the merge back
    EXPECT_TRUE(editing->isEditing());
    EXPECT_EQ(editing->editor()->toPlainText(), "kept, typed here");
    EXPECT_EQ(OpenNotes().size(), 4u);
    editing->FinishTextEdit();
    ASSERT_TRUE(WaitFor([&] { return OpenNotes().size() == 5u; }));
    const std::vector<std::string> shown = Shown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "kept, typed here"), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "kept, typed on the laptop"), 1);
    ASSERT_TRUE(WaitFor([&] { return ReadFile(file("data2.log")) == BytesOf(OpenRecords()); }));
}

TEST_F(PanelSyncTest, NotesMadeInOneSecondOnTwoMachinesBothStayWhenOneStoreReplacesTheOther)
{
    MarkShared();
    WriteNotes({Made("kept", 1)});
    Start();
    // A new note takes the clock's second.
    const int hereLeft = panel->openNote(NoteRecord("new", 0, 0), true)->record().left;
    ASSERT_TRUE(WaitFor([&] { return StoredNotes().size() == 2u; }, 3000));

    // The laptop made a note in the same second, at another place, before it had ours:
    // the sync tool sets our store aside as a conflict copy and puts the laptop's in place.
    const std::string copy = file("data2.sync-conflict-20230214-081507-ABCDEF7.log");
    std::filesystem::rename(file("data2.log"), copy);
    SNote there = NoteRecord("new", 300, 60);
    there.created = fake.clock;
    ASSERT_TRUE(store::WriteNotes(folder, {Made("kept", 1), there}));
    ASSERT_TRUE(WaitFor([&] { return !Exists(copy) && StoredNotes().size() == 3u; }))
        << ::testing::PrintToString(Shown());
    std::vector<int> places;
    for (CNote* note : OpenNotes())
        places.push_back(note->record().left);
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, (std::vector<int>{40, std::min(hereLeft, 300), std::max(hereLeft, 300)}));
    EXPECT_EQ(ReadFile(file("data2.log")), BytesOf(OpenRecords()));
}

TEST_F(PanelSyncTest, ARestoreAfterACrashMergesAStoreChangedSinceInsteadOfWritingOverIt)
{
    WriteNotes({Made("kept", 1), Made("closed on the laptop", 2)});
    Start();
    ASSERT_FALSE(panel->SharedMode());
    panel->openNote(NoteRecord("typed before the crash", 0, 0), true);
    ASSERT_TRUE(panel->recoverySnapshot()->flush());

    // While no copy runs, the sync tool brings the laptop's version of the store.
    ASSERT_TRUE(store::WriteNotes(folder, {Made("kept", 1), Made("made on the laptop", 3)}));
    const std::vector<std::string> merged = {"kept", "made on the laptop",
                                             "typed before the crash"};
    Start(); // the crashed copy is dropped unsaved
    ASSERT_TRUE(WaitFor([&] { return Shown() == merged; })) << ::testing::PrintToString(Shown());
    Exit();
    std::vector<std::string> stored;
    for (const SNote& note : StoredNotes())
        stored.push_back(note.text);
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, merged);
    EXPECT_FALSE(Exists(StateFolderFor(folder) + "recovery"));
}

TEST_F(PanelSyncTest, APlaceBroughtOntoThisSmallerScreenIsNoMoveForTheOtherMachines)
{
    MarkShared();
    WriteNotes({NoteRecord("on the big screen", 2400, 1300), Made("kept", 1)});
    Start();
    ASSERT_EQ(OpenNotes().size(), 2u);
    EXPECT_TRUE(fake.desktop.contains(OpenNotes()[0]->pos()));
    panel->openNote(NoteRecord("made here", 0, 0), true);
    ASSERT_TRUE(WaitFor([&] { return StoredNotes().size() == 3u; }, 3000));
    EXPECT_EQ(StoredNotes()[0].left, 2400);
    EXPECT_EQ(StoredNotes()[0].top, 1300);
}

TEST_F(PanelSyncTest, SharedFolderItemWritesEachChangeSoonAndEscapeKeepsWhatIsPending)
{
    WriteNotes({Made("stored", 1)});
    Start();
    EXPECT_FALSE(panel->SharedMode());
    QAction* item = ItemReading(Find<QMenu>(*panel, "optionsMenu"), "Shared folder");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(panel->SharedMode());
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
    std::ifstream conf(config.path().toStdString() + "/pinleaf/pinleaf.conf");
    const std::string kept((std::istreambuf_iterator<char>(conf)),
                           std::istreambuf_iterator<char>());
    EXPECT_NE(kept.find("sharedFolder=true"), std::string::npos) << kept;

    // A change reaches the store by itself, within the two seconds.
    panel->openNote(NoteRecord("second", 200, 200), true);
    EXPECT_EQ(StoredNotes().size(), 1u) << "one write for a burst, not one per change";
    ASSERT_TRUE(WaitFor([&] { return StoredNotes().size() == 2u; }, 2500));
    EXPECT_FALSE(Exists(folder + "recovery/data2.log"));

    // Escape writes what is pending and ends, without a question.
    panel->openNote(NoteRecord("third", 300, 300), true);
    panel->OnCancel();
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_TRUE(panel->Ended());
    EXPECT_EQ(StoredNotes().size(), 3u);
}

TEST_F(PanelSyncTest, TheSyncToolsConflictCopiesAreFoldedInAndMovedOutOfTheFolder)
{
    MarkShared();
    WriteNotes({Made("kept", 1)});
    const char* atStart = "data2.sync-conflict-20240131-235959-ABCDEF7.log";
    ASSERT_TRUE(store::WriteNotes(folder, atStart, {Made("kept", 1), Made("only in a copy", 2)}));
    const std::vector<unsigned char> copyBytes = ReadFile(file(atStart));
    const std::string conflicts = store::StateFolder() + "conflicts/";
    std::filesystem::remove_all(conflicts);
    Start();
    ASSERT_TRUE(WaitFor([&] {
        return Shown() == std::vector<std::string>{"kept", "only in a copy"};
    })) << ::testing::PrintToString(Shown());
    ASSERT_TRUE(WaitFor([&] { return !Exists(file(atStart)); }));
    EXPECT_EQ(StoredNotes().size(), 2u);
    std::vector<std::vector<unsigned char>> moved;
    for (const auto& entry : std::filesystem::directory_iterator(conflicts))
        moved.push_back(ReadFile(entry.path().string()));
    EXPECT_EQ(moved, std::vector<std::vector<unsigned char>>{copyBytes});

    // One that lands while the panel runs: a copy's different text is kept beside ours.
    const char* later = "data2 (conflicted copy 2024-01-31 235959).log";
    ASSERT_TRUE(store::WriteNotes(folder, later, {Made("kept, as the copy has it", 1)}));
    ASSERT_TRUE(WaitFor([&] { return Shown().size() == 3u && !Exists(file(later)); }));
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"kept", "kept, as the copy has it", "only in a copy"}));
    EXPECT_EQ(StoredNotes().size(), 3u);
}

} // namespace
