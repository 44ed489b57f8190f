// Keeping the session: a failed save asks and keeps the snapshot, a checkpoint writes
// and goes on, a store changed on disk is merged, a snapshot is restored once.

#include "panel/RunningPanel.h"

#include "note/Note.h"
#include "platform/MachineFolders.h"
#include "store/Archive.h"
#include "store/Session.h"
#include "store/Stores.h"
#include "support/FileSizeLimit.h"

#include <QCoreApplication>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

class PanelSessionTest : public RunningPanel {
protected:
    void TearDown() override
    {
        LimitFileSize(std::nullopt);
        RunningPanel::TearDown();
    }
    // The data folder's own folder in the state folder, made as the panel makes it.
    std::string machine() const
    {
        std::filesystem::create_directories(StateFolderFor(folder));
        return StateFolderFor(folder);
    }
    std::string recovery(const char* name) const { return machine() + "recovery/" + name; }
    void MakeTwoNotes()
    {
        panel->openNote(NoteRecord("first", 100, 100), true);
        panel->openNote(NoteRecord("second", 300, 300), true);
    }
};

// Takes what is written to stderr through a pipe: under a file size limit a file that
// captured it would be cut short. More than the pipe holds is dropped, not waited on.
class PipedStderr {
public:
    PipedStderr()
    {
        EXPECT_EQ(pipe2(fds_, O_CLOEXEC), 0);
        fcntl(fds_[1], F_SETFL, O_NONBLOCK);
        std::fflush(stderr);
        saved_ = dup(2);
        dup2(fds_[1], 2);
    }
    std::string take()
    {
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        close(fds_[1]);
        std::string text;
        char buffer[4096];
        for (ssize_t got; (got = read(fds_[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(got));
        close(fds_[0]);
        return text;
    }

private:
    int fds_[2] = {-1, -1};
    int saved_ = -1;
};

// Lifts the fault on the first Retry, so the second attempt succeeds.
class RetryFreesSpace : public FakePlatform {
public:
    int retries = 0;
    bool askRetry(QWidget* parent, const std::string& text, const std::string& caption) override
    {
        ++retries;
        LimitFileSize(std::nullopt);
        return FakePlatform::askRetry(parent, text, caption);
    }
};

TEST_F(PanelSessionTest, AFailedSaveAsksRetryOrQuitAndKeepsTheSnapshot)
{
    Start();
    MakeTwoNotes();
    ASSERT_TRUE(panel->recoverySnapshot()->due());
    panel->recoverySnapshot()->flush();
    ASSERT_EQ(store::ReadNotes(machine() + "recovery/", LogFont{}).size(), 2u);

    // The disk is full (a file size limit here): Retry fails again, then Quit without saving.
    LimitFileSize(10);
    fake.answers = {true, false};
    panel->OnOK();
    ASSERT_EQ(fake.asked.size(), 2u);
    EXPECT_EQ(fake.asked[0].text,
              "Pinleaf could not save your notes to " + folder + ": File too large");
    EXPECT_EQ(fake.asked[0].caption, "Pinleaf");
    EXPECT_TRUE(panel->Ended());
    EXPECT_EQ(panel->ExitStatus(), 1);
    EXPECT_FALSE(Exists(file("data2.log")));
    EXPECT_TRUE(Exists(recovery("data2.log")));

    // Next start: the session comes back from the snapshot, with one message.
    LimitFileSize(std::nullopt);
    fake.asked.clear();
    Start();
    ASSERT_EQ(OpenNotes().size(), 2u);
    QCoreApplication::processEvents();
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "The notes of a session that ended unexpectedly were restored.");
    EXPECT_TRUE(panel->ChangedSinceStart());

    // At the end of the session nobody is asked: one line on stderr, the snapshot stays.
    LimitFileSize(10);
    PipedStderr captured;
    panel->OnSessionEnd();
    const std::string line = captured.take();
    EXPECT_EQ(fake.asked.size(), 1u);
    EXPECT_TRUE(panel->Ended());
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    EXPECT_NE(line.find("File too large"), std::string::npos) << line;
    EXPECT_EQ(store::ReadNotes(machine() + "recovery/", LogFont{}).size(), 2u);
}

TEST_F(PanelSessionTest, RetryAfterTheFaultSavesAndDropsTheSnapshot)
{
    RetryFreesSpace retrying; // installs itself over the fixture's fake
    retrying.answers = {true};
    Start();
    MakeTwoNotes();
    LimitFileSize(10);
    panel->OnOK();
    EXPECT_EQ(retrying.retries, 1);
    EXPECT_EQ(panel->ExitStatus(), 0);
    EXPECT_EQ(StoredNotes().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(machine() + "recovery"));
    panel.reset();
}

TEST_F(PanelSessionTest, ADamagedStoreNotCopiedAtStartIsCopiedBeforeTheSaveReplacesIt)
{
    const std::vector<unsigned char> damaged = {1, 2, 3};
    WriteFile(file("data2.log"), damaged);
    LimitFileSize(2); // no room for the copy while the stores are read
    Start();
    LimitFileSize(std::nullopt);
    ASSERT_FALSE(Exists(file("data2.log.damaged")));
    panel->OnOK();
    EXPECT_EQ(panel->ExitStatus(), 0);
    EXPECT_EQ(ReadFile(file("data2.log.damaged")), damaged);
    EXPECT_TRUE(ReadFile(file("data2.log")).empty());
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

TEST_F(PanelSessionTest, AStoreChangedOnDiskIsMergedAtTheEndAndOnlyAnUnreadableOneKeptAside)
{
    WriteNotes({Made("ours", 1)});
    Start();
    ASSERT_FALSE(panel->SharedMode());
    panel->openNote(NoteRecord("made here", 500, 500), true);
    // Another program changes the notes, and leaves categories no reader understands.
    ASSERT_TRUE(store::WriteNotes(folder, {Made("ours, changed there", 1), Made("theirs", 2)}));
    WriteFile(file("data3.log"), {9, 0, 0, 0, 1});
    const std::vector<unsigned char> unreadable = ReadFile(file("data3.log"));
    QCoreApplication::processEvents();
    ASSERT_EQ(OpenNotes().size(), 2u) << "nothing is merged before the end";
    EXPECT_EQ(OpenNotes()[0]->record().text, "ours");

    Exit();
    std::vector<std::string> stored;
    for (const SNote& note : StoredNotes())
        stored.push_back(note.text);
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::string>{"made here", "ours, changed there", "theirs"}));
    EXPECT_FALSE(Exists(file("data2.log.conflict-20240612-093015"))) << "merged, not kept aside";
    // What cannot be read is kept as it was, and the user is told.
    EXPECT_EQ(ReadFile(file("data3.log.conflict-20240612-093015")), unreadable);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_NE(fake.asked[0].text.find("data3.log.conflict-20240612-093015"), std::string::npos)
        << fake.asked[0].text;
}

TEST_F(PanelSessionTest, ADamagedSnapshotIsKeptAsideAndTheStoresAreUsed)
{
    WriteNotes({NoteRecord("stored", 10, 10)});
    std::filesystem::create_directories(machine() + "recovery");
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

// Five notes and two categories, as a snapshot of a run holds them.
store::Session SnapshotSession()
{
    store::Session session;
    for (int i = 0; i < 5; ++i)
        session.notes.push_back(NoteRecord("kept " + std::to_string(i), 50 * i, 40));
    session.categories.append("Snap");
    session.categories.append("Shot");
    session.templates.append(NoteRecord("snapshot template", 0, 0));
    return session;
}

TEST_F(PanelSessionTest, OnlyTheUsersOwnSnapshotIsReadAndEachWholePartComesBack)
{
    namespace fs = std::filesystem;
    WriteNotes({NoteRecord("stored", 10, 10)});

    // "recovery" as a link to a folder elsewhere: set aside, never read nor written into.
    const std::string elsewhere = folder + "../elsewhere/";
    fs::remove_all(elsewhere);
    fs::create_directories(elsewhere);
    ASSERT_TRUE(store::WriteSnapshot(elsewhere, SnapshotSession()));
    const std::vector<unsigned char> planted = ReadFile(elsewhere + "recovery/data2.log");
    fs::create_directory_symlink(elsewhere + "recovery", machine() + "recovery");
    testing::internal::CaptureStderr();
    Start();
    std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(OpenNotes().size(), 1u);
    EXPECT_EQ(OpenNotes()[0]->record().text, "stored");
    EXPECT_TRUE(fs::is_symlink(machine() + "recovery.damaged"));
    const std::string::size_type ours = said.find("pinleaf: ");
    ASSERT_NE(ours, std::string::npos) << said;
    EXPECT_EQ(said.find("pinleaf: ", ours + 1), std::string::npos) << "one line: " << said;
    EXPECT_NE(said.find("recovery.damaged"), std::string::npos) << said;
    panel->openNote(NoteRecord("new", 5, 5), true);
    ASSERT_TRUE(panel->recoverySnapshot()->flush());
    EXPECT_FALSE(fs::is_symlink(machine() + "recovery"));
    EXPECT_EQ(ReadFile(elsewhere + "recovery/data2.log"), planted);
    fs::remove_all(machine() + "recovery");
    fs::remove_all(elsewhere);

    // A snapshot whose templates are cut short and whose categories belong to another
    // user: the notes and the settings come back, the rest is read from the stores.
    ASSERT_TRUE(store::WriteSnapshot(machine(), SnapshotSession()));
    std::vector<unsigned char> templates = ReadFile(recovery("data1.log"));
    templates.resize(templates.size() / 2);
    WriteFile(recovery("data1.log"), templates);
    const bool root = geteuid() == 0; // only root can give a file to another user
    if (root) {
        ASSERT_EQ(chown(recovery("data3.log").c_str(), 65534, 65534), 0);
    }
    fake.asked.clear();
    testing::internal::CaptureStderr();
    Start();
    said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(OpenNotes().size(), 5u);
    EXPECT_EQ(OpenNotes()[4]->record().text, "kept 4");
    EXPECT_NE(panel->templateRecords().all().back().text, "snapshot template");
    EXPECT_EQ(ReadFile(recovery("data1.log.damaged")), templates);
    EXPECT_FALSE(Exists(recovery("data1.log")));
    QCoreApplication::processEvents();
    ASSERT_EQ(fake.asked.size(), 1u);
    if (root) {
        EXPECT_EQ(panel->categoryList().count(), 13) << "the factory categories";
        EXPECT_TRUE(Exists(recovery("data3.log.damaged")));
        EXPECT_NE(said.find("data3.log"), std::string::npos) << said;
        EXPECT_EQ(fake.asked[0].text,
                  "Part of a session that ended unexpectedly was restored: the notes, the "
                  "settings. The rest is as last saved; what could not be read was kept in " +
                      machine() + "recovery/.");
    }
}

TEST_F(PanelSessionTest, ASnapshotThatCannotBeWrittenIsToldOnceAndAgainWhenItWorks)
{
    Start();
    // A folder in place of the snapshot's notes file.
    std::filesystem::create_directories(recovery("data2.log"));
    MakeTwoNotes();
    QElapsedTimer waited;
    waited.start();
    while (fake.asked.empty() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text.rfind("Pinleaf cannot keep a recovery copy of this session (", 0),
              0u)
        << fake.asked[0].text;
    panel->openNote(NoteRecord("third", 200, 200), true);
    EXPECT_FALSE(panel->recoverySnapshot()->flush());
    EXPECT_EQ(fake.asked.size(), 1u) << "said once";
    std::filesystem::remove(recovery("data2.log"));
    panel->openNote(NoteRecord("fourth", 250, 250), true);
    EXPECT_TRUE(panel->recoverySnapshot()->flush());
    ASSERT_EQ(fake.asked.size(), 2u);
    EXPECT_EQ(fake.asked[1].text, "Pinleaf keeps a recovery copy of this session again.");

    // The end of the session with neither the stores nor the snapshot writable: the
    // line says so, and does not claim the session is kept.
    std::filesystem::remove(recovery("data2.log"));
    std::filesystem::create_directories(recovery("data2.log"));
    std::filesystem::create_directories(file("data2.log"));
    testing::internal::CaptureStderr();
    panel->OnSessionEnd();
    const std::string line = testing::internal::GetCapturedStderr();
    EXPECT_EQ(line.find("is kept in"), std::string::npos) << line;
    EXPECT_NE(line.find("the recovery copy could not be written either"), std::string::npos)
        << line;
}

TEST_F(PanelSessionTest, EscapeAfterARestoreNamesTheRestoredNotesAndDefaultsToNo)
{
    Start();
    MakeTwoNotes();
    ASSERT_TRUE(panel->recoverySnapshot()->flush());
    panel.reset(); // as a kill would end it
    Start();
    QCoreApplication::processEvents(); // the restore message
    fake.asked.clear();
    fake.answers = {false};
    panel->OnCancel();
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Quit and discard the notes restored from the last session?");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_FALSE(panel->Ended());
}

} // namespace
