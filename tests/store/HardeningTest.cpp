// Hostile and damaged store files: nothing hangs, nothing allocates more than was read,
// nothing not understood is lost.

#include "LargestAllocation.h"
#include "StoreTestSupport.h"

#include "store/Session.h"
#include "store/Stores.h"

#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using store::ReadOutcome;

class StoreHardeningTest : public StoreFolderTest {};

SNote Note(const std::string& text)
{
    SNote note;
    note.text = text;
    note.font.setFace("Arial");
    return note;
}

TEST_F(StoreHardeningTest, HostileFilesNeitherHangNorOverallocateNorGetLost)
{
    // A FIFO under a store's name is not a store, and is never waited on.
    ASSERT_EQ(mkfifo(path("data2.log").c_str(), 0600), 0);
    ReadOutcome outcome = ReadOutcome::Complete;
    EXPECT_TRUE(store::ReadNotes(folder(), LogFont{}, &outcome).empty());
    EXPECT_EQ(outcome, ReadOutcome::NotOpened);
    unlink(path("data2.log").c_str());

    // A link into /proc: the file says it is empty but holds a category count and a
    // string claiming 2 GB (the thread's name, which cannot hold a zero byte).
    char name[16] = {};
    prctl(PR_GET_NAME, name);
    const char claim[] = "\x01\x01\x01\x01\xFF\xFF\xFF\xFF\xFF\xFF\x7F";
    prctl(PR_SET_NAME, claim);
    ASSERT_EQ(symlink("/proc/thread-self/comm", path("data3.log").c_str()), 0);
    Categories categories;
    ResetLargestAllocation();
    EXPECT_EQ(store::ReadCategories(folder(), categories), ReadOutcome::Damaged);
    EXPECT_LT(LargestAllocation(), 1u << 20);
    prctl(PR_SET_NAME, name);
    EXPECT_EQ(readFile("data3.log.damaged").size(), 12u); // the name and its newline

    // Records beyond the count: the counted ones are read, and the file is kept aside.
    ASSERT_TRUE(store::WriteNotes(folder(), {Note("one"), Note("two")}));
    Bytes bytes = readFile("data2.log");
    bytes[0] = 1;
    writeFile("data2.log", bytes);
    const std::vector<SNote> notes = store::ReadNotes(folder(), LogFont{}, &outcome);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text, "one");
    EXPECT_EQ(readFile("data2.log.damaged"), bytes);

    // A damaged store whose copy cannot be written (a full disk) is not replaced.
    writeFile("data1.log", Hex("FF FF FF FF"));
    store::SetWriteLimitForTesting(2);
    Templates templates;
    store::ReadTemplates(folder(), templates, LogFont{}, SystemTime{});
    templates.append(Note("new"));
    EXPECT_FALSE(store::WriteTemplates(folder(), templates));
    EXPECT_NE(store::LastWriteError().find("damaged data1.log"), std::string::npos)
        << store::LastWriteError();
    EXPECT_EQ(readFile("data1.log"), Hex("FF FF FF FF"));
    // Once the copy can be made, the save goes through.
    store::SetWriteLimitForTesting(std::nullopt);
    EXPECT_TRUE(store::WriteTemplates(folder(), templates));
    EXPECT_EQ(readFile("data1.log.damaged"), Hex("FF FF FF FF"));

    // An interrupted copy's temporary goes with the store temporaries.
    writeFile("data1.log.damaged.tmp-AbC123", Hex("00"));
    store::RemoveLeftoverTemporaryFiles(folder());
    EXPECT_FALSE(exists("data1.log.damaged.tmp-AbC123"));
    EXPECT_TRUE(exists("data1.log.damaged"));
}

} // namespace
