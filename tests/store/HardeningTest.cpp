// Hostile and damaged store files: nothing hangs, nothing allocates more than was read,
// nothing not understood is lost.

#include "LargestAllocation.h"
#include "StoreTestSupport.h"
#include "support/FileSizeLimit.h"

#include "store/Session.h"
#include "store/Stores.h"

#include <cerrno>
#include <cstring>
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
    // The reader and the writer share what is not copied yet.
    writeFile("data1.log", Hex("FF FF FF FF"));
    store::UncopiedDamage damage;
    LimitFileSize(2);
    Templates templates;
    store::ReadTemplates(folder(), templates, LogFont{}, SystemTime{}, &damage);
    templates.append(Note("new"));
    const store::StoreResult refused = store::WriteTemplates(folder(), templates, &damage);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().reason,
              "cannot keep a copy of the damaged data1.log: " + std::string(std::strerror(EFBIG)));
    EXPECT_EQ(refused.error().path, path("data1.log"));
    EXPECT_EQ(readFile("data1.log"), Hex("FF FF FF FF"));
    // Once the copy can be made, the save goes through.
    LimitFileSize(std::nullopt);
    EXPECT_TRUE(store::WriteTemplates(folder(), templates, &damage));
    EXPECT_EQ(readFile("data1.log.damaged"), Hex("FF FF FF FF"));
    // The copy is made once: the next save replaces the new file without a copy of it.
    EXPECT_TRUE(store::WriteTemplates(folder(), templates, &damage));
    const std::vector<std::string> names = files();
    EXPECT_EQ(std::count_if(
                  names.begin(), names.end(),
                  [](const std::string& name) { return name.rfind("data1.log.damaged", 0) == 0; }),
              1);

    // An interrupted copy's temporary goes with the store temporaries.
    writeFile("data1.log.damaged.tmp-AbC123", Hex("00"));
    store::RemoveLeftoverTemporaryFiles(folder());
    EXPECT_FALSE(exists("data1.log.damaged.tmp-AbC123"));
    EXPECT_TRUE(exists("data1.log.damaged"));
}

} // namespace
