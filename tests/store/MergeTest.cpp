#include "store/Merge.h"
#include "StoreTestSupport.h"
#include "store/SyncConflicts.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

using store::MergeNotes;
using store::RecordsMerge;

SNote Note(const std::string& text, std::uint16_t second, int left = 10)
{
    SNote n;
    n.text = text;
    n.left = left;
    n.top = 20;
    n.color = 2;
    n.font.setFace("Arial");
    n.created = SystemTime{2025, 3, 2, 9, 8, 30, second, 0};
    return n;
}

std::vector<std::string> Texts(const std::vector<SNote>& notes)
{
    std::vector<std::string> texts;
    for (const SNote& n : notes)
        texts.push_back(n.text);
    return texts;
}

using Strings = std::vector<std::string>;

// What the other machine computes once it reads our result: it must come to the same
// notes and have nothing to write back.
void ExpectOtherSideAgrees(const std::vector<SNote>& theirs, const std::vector<SNote>& merged)
{
    RecordsMerge report;
    const std::vector<SNote> again = MergeNotes(theirs, theirs, merged, &report);
    ASSERT_EQ(again.size(), merged.size());
    for (std::size_t k = 0; k < merged.size(); ++k)
        EXPECT_TRUE(store::SameStoredNote(again[k], merged[k])) << k;
    EXPECT_FALSE(report.differsFromTheirs);
}

TEST(MergeTest, EachSideAddsRemovesAndChanges)
{
    const std::vector<SNote> base = {Note("A", 1), Note("B", 2), Note("C", 3), Note("D", 4)};
    std::vector<SNote> ours = {base[0], base[2], base[3], Note("E", 5)}; // B closed, E new
    ours[0].color = 7;
    std::vector<SNote> theirs = {base[0], Note("F", 6), base[1], base[2]}; // D closed, F new
    theirs[3].left = 400;

    RecordsMerge report;
    const std::vector<SNote> merged = MergeNotes(base, ours, theirs, &report);
    ASSERT_EQ(Texts(merged), (Strings{"A", "F", "C", "E"}));
    EXPECT_EQ(merged[0].color, 7);
    EXPECT_EQ(merged[2].left, 400);
    EXPECT_EQ(report.sources, (std::vector<int>{0, -1, 1, 3}));
    EXPECT_EQ(report.removed, (std::vector<int>{2}));
    EXPECT_EQ(report.changed, (std::vector<int>{2}));
    EXPECT_TRUE(report.conflictCopies.empty());
    EXPECT_EQ(report.fieldConflicts, 0);
    EXPECT_TRUE(report.differsFromOurs && report.differsFromTheirs);
    ExpectOtherSideAgrees(theirs, merged);
}

TEST(MergeTest, TextChangedOnBothSidesKeepsBothVersions)
{
    const std::vector<SNote> base = {Note("shopping", 1), Note("call Bob", 2)};
    std::vector<SNote> ours = base;
    ours[0].text = "shopping: milk";
    std::vector<SNote> theirs = base;
    theirs[0].text = "shopping: eggs";
    theirs[0].left = 300;

    const store::Session b{{}, {}, {}, base};
    const store::Session o{{}, {}, {}, ours};
    const store::Session t{{}, {}, {}, theirs};
    const store::MergeResult result = store::Merge(b, o, t);
    EXPECT_FALSE(result.clean);
    ASSERT_EQ(Texts(result.session.notes),
              (Strings{"shopping: milk", "shopping: eggs", "call Bob"}));
    EXPECT_EQ(result.session.notes[0].left, 10); // ours as it was
    EXPECT_EQ(result.session.notes[1].left, 300);
    EXPECT_EQ(result.notes.sources, (std::vector<int>{0, -1, 1}));
    EXPECT_EQ(result.notes.conflictCopies, (std::vector<int>{1}));
    EXPECT_TRUE(result.needsWrite);
    ExpectOtherSideAgrees(theirs, result.session.notes);

    // Later, each machine edits one of the two versions: both edits land, no third copy.
    const std::vector<SNote>& both = result.session.notes;
    std::vector<SNote> ours2 = both, theirs2 = both;
    ours2[0].text += " and bread";
    theirs2[1].text += " and jam";
    RecordsMerge report;
    EXPECT_EQ(Texts(MergeNotes(both, ours2, theirs2, &report)),
              (Strings{"shopping: milk and bread", "shopping: eggs and jam", "call Bob"}));
    EXPECT_TRUE(report.conflictCopies.empty());
}

TEST(MergeTest, RemovedOnOneSideAndChangedOnTheOtherIsKept)
{
    const std::vector<SNote> base = {Note("A", 1), Note("B", 2), Note("C", 3)};
    std::vector<SNote> ours = {base[1], base[2]};   // A closed here...
    ours[0].text = "B, longer";                     // ...and B edited
    std::vector<SNote> theirs = {base[0], base[2]}; // B closed there...
    theirs[0].minimized = true;                     // ...and A rolled up

    RecordsMerge report;
    const std::vector<SNote> merged = MergeNotes(base, ours, theirs, &report);
    ASSERT_EQ(Texts(merged), (Strings{"A", "B, longer", "C"}));
    EXPECT_TRUE(merged[0].minimized);
    EXPECT_EQ(report.sources, (std::vector<int>{-1, 0, 1}));

    // Closed on one side and untouched on the other: gone.
    EXPECT_EQ(Texts(MergeNotes(base, {base[0], base[2]}, base)), (Strings{"A", "C"}));
    EXPECT_EQ(Texts(MergeNotes(base, base, {base[1]})), (Strings{"B"}));
}

TEST(MergeTest, EqualCreationTimesAndSameSecondAdditions)
{
    // Three notes from one second: identity is the position among them.
    const std::vector<SNote> base = {Note("one", 7), Note("two", 7), Note("three", 7)};
    std::vector<SNote> ours = base;
    ours[1].text = "two!";
    ours[1].created.milliseconds = 640; // the session keeps what the stores drop
    std::vector<SNote> theirs = base;
    theirs[2].color = 9;
    theirs.push_back(Note("four", 7));
    const std::vector<SNote> merged = MergeNotes(base, ours, theirs);
    ASSERT_EQ(Texts(merged), (Strings{"one", "two!", "three", "four"}));
    EXPECT_EQ(merged[2].color, 9);

    // One of them closed there while the last is edited here: the others keep their partners.
    std::vector<SNote> edited = base;
    edited[2].text = "three!";
    EXPECT_EQ(Texts(MergeNotes(base, edited, {base[1], base[2]})), (Strings{"two", "three!"}));

    // Both machines made a note in the same second: both stay; the same note twice: once.
    const std::vector<SNote> none;
    EXPECT_EQ(Texts(MergeNotes(none, {Note("here", 8)}, {Note("there", 8)})),
              (Strings{"there", "here"}));
    EXPECT_EQ(Texts(MergeNotes(none, {Note("same", 8)}, {Note("same", 8)})), (Strings{"same"}));
    // Alike but for their place: two notes still.
    EXPECT_EQ(MergeNotes(none, {Note("", 8, 10)}, {Note("", 8, 300)}).size(), 2u);

    // One machine's store replaced the other's (made in that second there, at 300); ours,
    // set aside as the sync tool's copy, comes back as a note of its own. An older note the
    // copy has elsewhere (a move it did not keep) is not doubled, nor is what ours has.
    const std::vector<SNote> winner = {Note("old", 1), Note("", 8, 300)};
    const std::vector<SNote> lost = {Note("old", 1, 500), Note("", 8, 10)};
    const store::FoldNew madeThen{true, SystemTime{2025, 3, 2, 9, 8, 30, 5, 0}};
    RecordsMerge report;
    const std::vector<SNote> folded =
        MergeNotes(winner, winner, lost, &report, store::MergeMode::Fold, madeThen);
    ASSERT_EQ(folded.size(), 3u);
    EXPECT_EQ(folded[0].left, 10);
    EXPECT_EQ(folded[1].left, 300);
    EXPECT_EQ(folded[2].left, 10);
    EXPECT_EQ(report.sources, (std::vector<int>{0, 1, -1}));
    EXPECT_TRUE(report.conflictCopies.empty());
    ExpectOtherSideAgrees(winner, folded);
    EXPECT_EQ(MergeNotes(folded, folded, lost, nullptr, store::MergeMode::Fold, madeThen).size(),
              3u);
    // The same copy of unknown age, no record taken for new: as before, nothing added.
    EXPECT_EQ(MergeNotes(winner, winner, lost, nullptr, store::MergeMode::Fold).size(), 2u);
}

TEST(MergeTest, FieldsChangedOnBothSidesAndOrder)
{
    const std::vector<SNote> base = {Note("A", 1), Note("B", 2)};
    std::vector<SNote> ours = base, theirs = base;
    ours[0].left = 111;
    ours[1].color = 5;
    theirs[0].left = 222;
    theirs[0].top = 333;
    theirs[1].font.weight = 700;
    RecordsMerge report;
    const std::vector<SNote> merged = MergeNotes(base, ours, theirs, &report);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].left, 111); // a move on both sides: ours, left and top together
    EXPECT_EQ(merged[0].top, 20);
    EXPECT_EQ(merged[1].color, 5);
    EXPECT_EQ(merged[1].font.weight, 700);
    EXPECT_EQ(report.fieldConflicts, 1);

    // Templates sorted on the other machine: its order is taken; one default mark stays.
    std::vector<SNote> sorted = {base[1], base[0]};
    sorted[0].isDefault = true;
    std::vector<SNote> marked = base;
    marked[0].isDefault = true;
    const std::vector<SNote> templates = store::MergeTemplates(base, marked, sorted);
    ASSERT_EQ(Texts(templates), (Strings{"B", "A"}));
    EXPECT_FALSE(templates[0].isDefault);
    EXPECT_TRUE(templates[1].isDefault);

    // The factory templates share one creation second; sorted here, one edited there.
    const std::vector<SNote> factory = {Note("Gifts", 9), Note("Home", 9), Note("Call", 9)};
    std::vector<SNote> edited = factory;
    edited[1].text = "Home, garden";
    EXPECT_EQ(Texts(store::MergeTemplates(factory, {factory[2], factory[0], factory[1]}, edited)),
              (Strings{"Call", "Gifts", "Home, garden"}));
}

TEST(MergeTest, CategoriesAndSettings)
{
    EXPECT_EQ(store::MergeCategories({"Work", "Home", "Gifts"}, {"Work", "Travel", "Gifts"},
                                     {"Work", "Home", "Books"}),
              (Strings{"Work", "Travel", "Books"}));

    SSettings base, ours, theirs;
    ours.panelLeft = 40;
    theirs.panelLeft = 900;
    theirs.alwaysOnTop = true;
    theirs.hotKeyMode = 1;
    theirs.panelColor = 3;
    ours.listViewMode = 1;
    theirs.listViewMode = 2;
    const SSettings merged = store::MergeSettings(base, ours, theirs);
    EXPECT_EQ(merged.panelLeft, 40);
    EXPECT_FALSE(merged.alwaysOnTop);
    EXPECT_EQ(merged.hotKeyMode, 0);
    EXPECT_EQ(merged.panelColor, 3);
    EXPECT_EQ(merged.listViewMode, 1);
}

TEST(MergeTest, ASyncToolsCopyOfUnknownAgeAddsAndNeverTakesAway)
{
    // The copy was written on the other machine before it had seen "v2" and note C.
    const std::vector<SNote> base = {Note("v2", 1), Note("B", 2), Note("C", 3)};
    std::vector<SNote> copy = {Note("v1", 1), Note("B", 2, 500), Note("X", 4)};
    RecordsMerge report;
    const std::vector<SNote> merged = MergeNotes(base, base, copy, &report, store::MergeMode::Fold);
    ASSERT_EQ(Texts(merged), (Strings{"v2", "v1", "B", "X", "C"}));
    EXPECT_EQ(merged[2].left, 10);
    EXPECT_EQ(report.conflictCopies, (std::vector<int>{1}));
    EXPECT_EQ(store::MergeCategories({"Work", "Home"}, {"Work", "Home"}, {"Work", "Old"},
                                     store::MergeMode::Fold),
              (Strings{"Work", "Home", "Old"}));
}

TEST(MergeTest, SyncToolConflictNames)
{
    const std::pair<const char*, const char*> names[] = {
        {"data2.sync-conflict-20240131-235959-ABCDEF7.log", "data2.log"},
        {"file1.sync-conflict-20240131-235959-Z2Q4RTY.dat", "file1.dat"},
        {"data2 (conflicted copy 2024-01-31 235959).log", "data2.log"},
        {"data3 (conflicted copy jane 2024-01-31 235959).log", "data3.log"},
        {"data1 (Jane Doe's conflicted copy 2024-01-31).log", "data1.log"},
        {"file1 (Jane Doe\xE2\x80\x99s conflicted copy 2024-01-31 (1)).dat", "file1.dat"},
        {"data2.log", ""},
        {"data2.log.conflict-20240131-235959", ""},
        {"data2.log.sync-conflict-20240131-235959-ABCDEF7", ""},
        {"data2.sync-conflict-20240131-235959.log", ""},
        {"data4 (conflicted copy 2024-01-31 235959).log", ""},
        {"data2 (conflicted copy 2024-01-31).log", ""},
    };
    for (const auto& [name, storeName] : names)
        EXPECT_EQ(store::SyncConflictStore(name), storeName) << name;
}

class SyncFolderTest : public StoreFolderTest {};

TEST_F(SyncFolderTest, FoldedConflictsAreKeptThirtyDays)
{
    const std::string name = "data2.sync-conflict-20240131-235959-ABCDEF7.log";
    const std::time_t now = std::time(nullptr);
    // The sync tool gives its copy the date of the version it holds.
    auto write = [&](const std::string& file, const std::string& text, int daysOld) {
        writeFile(file, Ascii(text));
        const timespec times[2] = {{now - daysOld * 86400 - 60, 0},
                                   {now - daysOld * 86400 - 60, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path(file).c_str(), times, 0), 0);
    };
    std::filesystem::create_directories(path("state/conflicts"));
    write(name, "theirs", 60);
    write("data2.log", "ours", 0);
    write("state/conflicts/old", "old", 30);
    write("state/conflicts/recent", "recent", 29);
    write("state/conflicts/" + name, "folded before", 10);

    const std::vector<store::SyncConflict> found = store::FindSyncConflicts(folder());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].store, "data2.log");
    ASSERT_TRUE(store::KeepFoldedConflict(found[0].path, path("state/conflicts/")));
    EXPECT_FALSE(exists(name));
    EXPECT_FALSE(exists("state/conflicts/old"));
    EXPECT_TRUE(exists("state/conflicts/recent"));
    EXPECT_EQ(readFile("state/conflicts/" + name), Ascii("folded before"));
    EXPECT_EQ(readFile("state/conflicts/" + name + ".1"), Ascii("theirs"));
    EXPECT_TRUE(store::FindSyncConflicts(folder()).empty());
}

TEST_F(SyncFolderTest, SharedFolderMarkers)
{
    const std::string home = path("home");
    for (const char* dir : {"home/Sync/.stfolder", "home/Sync/Pinleaf", "home/plain/Pinleaf",
                            "home/.dropbox", "home/Dropbox/Pinleaf", "home/Nextcloud/a/Pinleaf"})
        std::filesystem::create_directories(path(dir));
    writeFile("home/Dropbox/.dropbox", Ascii("{}"));
    writeFile("home/Nextcloud/.sync_3f2a9c.db", {});
    writeFile(".stfolder", {}); // above home: not looked at
    std::filesystem::create_directory_symlink(path("home/Sync/Pinleaf"), path("home/link"));

    EXPECT_TRUE(store::IsSharedFolder(path("home/Sync/Pinleaf/"), home));
    EXPECT_TRUE(store::IsSharedFolder(path("home/Sync/Pinleaf/not-made-yet/"), home));
    EXPECT_TRUE(store::IsSharedFolder(path("home/link/"), home));
    EXPECT_TRUE(store::IsSharedFolder(path("home/Dropbox/Pinleaf"), home));
    EXPECT_TRUE(store::IsSharedFolder(path("home/Nextcloud/a/Pinleaf"), home));
    EXPECT_FALSE(store::IsSharedFolder(path("home/plain/Pinleaf/"), home));
}

} // namespace
