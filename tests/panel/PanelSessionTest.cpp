// Keeping the session: a failed save asks and keeps the snapshot, a checkpoint writes
// and goes on, a store changed on disk is kept aside, a snapshot is restored once.

#include "panel/RunningPanel.h"

#include "note/Note.h"
#include "store/Archive.h"
#include "store/Session.h"
#include "store/Stores.h"

#include <QCoreApplication>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class PanelSessionTest : public RunningPanel {
protected:
    void TearDown() override
    {
        store::SetWriteLimitForTesting(std::nullopt);
        RunningPanel::TearDown();
    }
    std::string recovery(const char* name) const { return folder + "recovery/" + name; }
    void MakeTwoNotes()
    {
        panel->openNote(NoteRecord("first", 100, 100), true);
        panel->openNote(NoteRecord("second", 300, 300), true);
    }
};

// Lifts the fault on the first Retry, so the second attempt succeeds.
class RetryFreesSpace : public FakePlatform {
public:
    int retries = 0;
    bool askRetry(QWidget* parent, const std::string& text, const std::string& caption) override
    {
        ++retries;
        store::SetWriteLimitForTesting(std::nullopt);
        return FakePlatform::askRetry(parent, text, caption);
    }
};

TEST_F(PanelSessionTest, AFailedSaveAsksRetryOrQuitAndKeepsTheSnapshot)
{
    Start();
    MakeTwoNotes();
    ASSERT_TRUE(panel->recoverySnapshot()->due());
    panel->recoverySnapshot()->flush();
    ASSERT_EQ(store::ReadNotes(folder + "recovery/", LogFont{}).size(), 2u);

    // Disk full: Retry fails again, then Quit without saving.
    store::SetWriteLimitForTesting(10);
    fake.answers = {true, false};
    panel->OnOK();
    ASSERT_EQ(fake.asked.size(), 2u);
    EXPECT_EQ(fake.asked[0].text,
              "Pinleaf could not save your notes to " + folder + ": No space left on device");
    EXPECT_EQ(fake.asked[0].caption, "Pinleaf");
    EXPECT_TRUE(panel->Ended());
    EXPECT_EQ(panel->ExitStatus(), 1);
    EXPECT_FALSE(Exists(file("data2.log")));
    EXPECT_TRUE(Exists(recovery("data2.log")));

    // Next start: the session comes back from the snapshot, with one message.
    store::SetWriteLimitForTesting(std::nullopt);
    fake.asked.clear();
    Start();
    ASSERT_EQ(OpenNotes().size(), 2u);
    QCoreApplication::processEvents();
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "The notes of a session that ended unexpectedly were restored.");
    EXPECT_TRUE(panel->ChangedSinceStart());

    // At the end of the session nobody is asked: one line on stderr, the snapshot stays.
    store::SetWriteLimitForTesting(10);
    testing::internal::CaptureStderr();
    panel->OnSessionEnd();
    const std::string line = testing::internal::GetCapturedStderr();
    EXPECT_EQ(fake.asked.size(), 1u);
    EXPECT_TRUE(panel->Ended());
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    EXPECT_NE(line.find("No space left on device"), std::string::npos) << line;
    EXPECT_EQ(store::ReadNotes(folder + "recovery/", LogFont{}).size(), 2u);
}

TEST_F(PanelSessionTest, RetryAfterTheFaultSavesAndDropsTheSnapshot)
{
    RetryFreesSpace retrying; // installs itself over the fixture's fake
    retrying.answers = {true};
    Start();
    MakeTwoNotes();
    store::SetWriteLimitForTesting(10);
    panel->OnOK();
    EXPECT_EQ(retrying.retries, 1);
    EXPECT_EQ(panel->ExitStatus(), 0);
    EXPECT_EQ(StoredNotes().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(folder + "recovery"));
    panel.reset();
}

TEST_F(PanelSessionTest, ACheckpointWritesTheTypedTextAndGoesOn)
{
    Start();
    MakeTwoNotes();
    CNote* note = OpenNotes()[1];
    note->BeginTextEdit();
    note->editor()->setPlainText(QStringLiteral("typed"));
    panel->OnCheckpoint();
    EXPECT_FALSE(panel->Ended());
    ASSERT_EQ(StoredNotes().size(), 2u);
    EXPECT_EQ(StoredNotes()[1].text, "typed");
    EXPECT_TRUE(note->isEditing()); // the user goes on typing
    EXPECT_FALSE(panel->recoverySnapshot()->due());
    // Everything is saved: Escape ends without a question.
    panel->OnCancel();
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_TRUE(panel->Ended());
}

TEST_F(PanelSessionTest, AStoreChangedOnDiskIsKeptAsAConflictCopy)
{
    WriteNotes({NoteRecord("ours", 10, 10)});
    Start();
    // A file-sync tool brings another computer's notes meanwhile.
    store::WriteNotes(folder, {NoteRecord("theirs", 20, 20), NoteRecord("also theirs", 30, 30)});
    const std::vector<unsigned char> theirs = ReadFile(file("data2.log"));
    Exit();
    const std::string copy = "data2.log.conflict-20240612-093015";
    EXPECT_EQ(ReadFile(file(copy.c_str())), theirs);
    ASSERT_EQ(StoredNotes().size(), 1u);
    EXPECT_EQ(StoredNotes()[0].text, "ours");
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_NE(fake.asked[0].text.find(copy), std::string::npos) << fake.asked[0].text;
    // Stores this run wrote itself are no conflict.
    EXPECT_FALSE(Exists(file("data1.log.conflict-20240612-093015")));
}

TEST_F(PanelSessionTest, ADamagedSnapshotIsKeptAsideAndTheStoresAreUsed)
{
    WriteNotes({NoteRecord("stored", 10, 10)});
    std::filesystem::create_directories(folder + "recovery");
    WriteFile(recovery("data2.log"), {5, 0, 0, 0, 1});
    testing::internal::CaptureStderr();
    Start();
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(OpenNotes().size(), 1u);
    EXPECT_EQ(OpenNotes()[0]->record().text, "stored");
    EXPECT_EQ(ReadFile(recovery("data2.log.damaged")), (std::vector<unsigned char>{5, 0, 0, 0, 1}));
    EXPECT_FALSE(Exists(recovery("data2.log")));
    QCoreApplication::processEvents();
    EXPECT_TRUE(fake.asked.empty());
}

} // namespace
