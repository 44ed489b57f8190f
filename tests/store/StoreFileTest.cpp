#include "store/StoreFile.h"
#include "StoreTestSupport.h"
#include "model/Factory.h"
#include "store/Archive.h"
#include "store/Stores.h"
#include "support/FileSizeLimit.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

SNote Note(const std::string& text, int left)
{
    SNote n;
    n.text = text;
    n.category = "Work";
    n.left = left;
    n.font = FactoryFont();
    return n;
}

Templates TemplatesOf(std::initializer_list<SNote> notes)
{
    Templates t;
    for (const SNote& n : notes)
        t.append(n);
    return t;
}

Categories CategoriesOf(std::initializer_list<const char*> names)
{
    Categories c;
    for (const char* n : names)
        c.append(n);
    return c;
}

// One store's file name with an old and a new content to save.
struct StoreCase {
    const char* name;
    std::function<store::StoreResult(const std::string&)> saveOld;
    std::function<store::StoreResult(const std::string&)> saveNew;
};

std::vector<StoreCase> EveryStore()
{
    SSettings oldSettings, newSettings;
    newSettings.panelLeft = 640;
    newSettings.hotKeyMode = 1;
    return {
        {store::kTemplatesFile,
         [](const std::string& f) { return store::WriteTemplates(f, TemplatesOf({Note("a", 1)})); },
         [](const std::string& f) {
             return store::WriteTemplates(
                 f, TemplatesOf({Note(std::string(5000, 'b'), 2), Note("c", 3)}));
         }},
        {store::kNotesFile,
         [](const std::string& f) {
             return store::WriteNotes(f, {Note("a", 1), Note("b", 2)});
         },
         [](const std::string& f) {
             return store::WriteNotes(f, {Note("c", 3), Note(std::string(300, 'd'), 4)});
         }},
        {store::kCategoriesFile,
         [](const std::string& f) { return store::WriteCategories(f, CategoriesOf({"Home"})); },
         [](const std::string& f) {
             return store::WriteCategories(f, CategoriesOf({"Work", "Plans", "Games"}));
         }},
        {store::kSettingsFile,
         [=](const std::string& f) { return store::WriteSettings(f, oldSettings); },
         [=](const std::string& f) { return store::WriteSettings(f, newSettings); }},
    };
}

class StoreFileTest : public StoreFolderTest {
protected:
    void TearDown() override
    {
        LimitFileSize(std::nullopt);
        StoreFolderTest::TearDown();
    }
};

// ---- saving ----

TEST_F(StoreFileTest, SaveFailingAtAnyByteLeavesThePreviousFileByteIdentical)
{
    for (const StoreCase& c : EveryStore()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.saveOld(folder()));
        const Bytes previous = readFile(c.name);
        ASSERT_TRUE(c.saveNew(folder()));
        const std::size_t newSize = readFile(c.name).size();
        ASSERT_NE(readFile(c.name), previous);
        ASSERT_TRUE(c.saveOld(folder()));

        for (std::uint64_t limit = 0; limit < newSize; ++limit) {
            SCOPED_TRACE(limit);
            LimitFileSize(limit);
            const store::StoreResult failed = c.saveNew(folder());
            ASSERT_FALSE(failed);
            EXPECT_EQ(failed.error().path, path(c.name));
            EXPECT_EQ(failed.error().reason, std::strerror(EFBIG)); // the system's words
            ASSERT_EQ(readFile(c.name), previous);
            ASSERT_EQ(files(), std::vector<std::string>{c.name}) << "temporary file left";
        }
        LimitFileSize(newSize);
        EXPECT_TRUE(c.saveNew(folder())) << "a limit the content fits in does not fail";
        LimitFileSize(std::nullopt);
        std::filesystem::remove(path(c.name));
    }
}

TEST_F(StoreFileTest, SaveIntoAMissingFolderFailsAndCreatesNothing)
{
    const std::string missing = path("gone/");
    EXPECT_FALSE(store::WriteTemplates(missing, TemplatesOf({Note("a", 1)})));
    EXPECT_FALSE(store::WriteNotes(missing, {Note("a", 1)}));
    EXPECT_FALSE(store::WriteCategories(missing, CategoriesOf({"Home"})));
    EXPECT_FALSE(store::WriteSettings(missing, SSettings{}));
    EXPECT_TRUE(files().empty());
}

TEST_F(StoreFileTest, StoreFilesAndDataFolderArePrivate)
{
    const mode_t old = umask(0);
    for (const StoreCase& c : EveryStore()) {
        SCOPED_TRACE(c.name);
        writeFile(c.name, Hex("00")); // an older file with looser rights
        std::filesystem::permissions(path(c.name), std::filesystem::perms(0644));
        ASSERT_TRUE(c.saveNew(folder()));
        EXPECT_EQ(mode(c.name), 0600u);
    }
    ASSERT_TRUE(store::CreateDataFolder(path("Pinleaf/")));
    EXPECT_EQ(mode("Pinleaf"), 0700u);
    EXPECT_TRUE(store::CreateDataFolder(path("Pinleaf/"))) << "an existing folder is fine";

    // A data home that does not exist yet is made, private, with the folder in it.
    ASSERT_TRUE(store::CreateDataFolder(path("fresh/share/Pinleaf/")));
    EXPECT_EQ(mode("fresh"), 0700u);
    EXPECT_EQ(mode("fresh/share/Pinleaf"), 0700u);
    // A file where a folder should be is still refused.
    std::ofstream(path("blocker")) << "x";
    EXPECT_FALSE(store::CreateDataFolder(path("blocker/Pinleaf/")));
    umask(old);
}

TEST_F(StoreFileTest, LeftoversOfAnInterruptedSaveAreRemovedAndNothingElse)
{
    for (const char* name : {"data1.log.tmp-a1B2c3", "file1.dat.tmp-ZZZZZZ", "data2.log.tmp-000000",
                             "data3.log.tmp-xYz123", "data2.log", "data2.log.damaged",
                             "data2.log.tmp-1", "notes.txt.tmp-abcdef", "data1.log.tmp-abcdefg"})
        writeFile(name, Hex("00"));
    store::RemoveLeftoverTemporaryFiles(folder());
    for (const char* gone : {"data1.log.tmp-a1B2c3", "file1.dat.tmp-ZZZZZZ", "data2.log.tmp-000000",
                             "data3.log.tmp-xYz123"})
        EXPECT_FALSE(std::filesystem::exists(path(gone))) << gone;
    for (const char* kept : {"data2.log", "data2.log.damaged", "data2.log.tmp-1",
                             "notes.txt.tmp-abcdef", "data1.log.tmp-abcdefg"})
        EXPECT_TRUE(std::filesystem::exists(path(kept))) << kept;
}

// ---- damaged files are kept ----

TEST_F(StoreFileTest, DamagedStoresAreCopiedBesideThemselvesBeforeTheNextSave)
{
    struct Damage {
        const char* name;
        Bytes bytes;
        std::function<void(const std::string&)> readThenSave;
    };
    const std::vector<Damage> cases = {
        {store::kTemplatesFile, Hex("02 00 00 00 00 00 05"),
         [](const std::string& f) {
             Templates t;
             store::ReadTemplates(f, t, FactoryFont(), SystemTime{});
             store::WriteTemplates(f, t);
         }},
        {store::kTemplatesFile, Hex("FF FF FF FF 00 01 02"),
         [](const std::string& f) {
             Templates t;
             store::ReadTemplates(f, t, FactoryFont(), SystemTime{});
             store::WriteTemplates(f, t);
         }},
        {store::kNotesFile, Hex("03 00 00 00 01 02"),
         [](const std::string& f) { store::WriteNotes(f, store::ReadNotes(f, FactoryFont())); }},
        {store::kNotesFile, Hex("F0 FF FF FF 01 02"),
         [](const std::string& f) { store::WriteNotes(f, store::ReadNotes(f, FactoryFont())); }},
        {store::kCategoriesFile, Hex("02 00 00 00 04 48 6F 6D 65 09 41"),
         [](const std::string& f) {
             Categories c;
             store::ReadCategories(f, c);
             store::WriteCategories(f, c);
         }},
        {store::kSettingsFile, Hex("01 01 02 00 00 00 03"),
         [](const std::string& f) {
             SSettings s;
             store::ReadSettings(f, s);
             store::WriteSettings(f, s);
         }},
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(testing::PrintToString(d.bytes));
        const std::string copy = std::string(d.name) + store::kDamagedSuffix;
        writeFile(d.name, d.bytes);
        d.readThenSave(folder());
        EXPECT_NE(readFile(d.name), d.bytes) << "the store was rewritten";
        ASSERT_TRUE(exists(copy));
        EXPECT_EQ(readFile(copy), d.bytes);
        EXPECT_EQ(mode(copy), 0600u);
        std::filesystem::remove(path(copy));
    }
}

TEST_F(StoreFileTest, SoundOrEmptyOrMissingStoresLeaveNoCopy)
{
    Templates t;
    Categories c;
    SSettings s;
    store::ReadTemplates(folder(), t, FactoryFont(), SystemTime{});
    store::ReadNotes(folder(), FactoryFont());
    store::ReadCategories(folder(), c);
    store::ReadSettings(folder(), s);
    EXPECT_TRUE(files().empty());

    writeFile(store::kTemplatesFile, {});
    writeFile(store::kNotesFile, {});
    writeFile(store::kCategoriesFile, Hex("00 00 00 00"));
    store::ReadTemplates(folder(), t, FactoryFont(), SystemTime{});
    store::ReadNotes(folder(), FactoryFont());
    store::ReadCategories(folder(), c);
    ASSERT_TRUE(store::WriteSettings(folder(), s));
    store::ReadSettings(folder(), s);
    EXPECT_EQ(files(),
              (std::vector<std::string>{"data1.log", "data2.log", "data3.log", "file1.dat"}));
}

TEST_F(StoreFileTest, EachDamageKeepsItsOwnCopyAndLinkedStoresAreWrittenThrough)
{
    // A second damaged load keeps the first copy: each has a name of its own.
    writeFile(store::kNotesFile, Hex("05 00 00 00 AA"));
    store::ReadNotes(folder(), FactoryFont());
    writeFile(store::kNotesFile, Hex("06 00 00 00 BB CC"));
    store::ReadNotes(folder(), FactoryFont());
    EXPECT_EQ(readFile("data2.log.damaged"), Hex("05 00 00 00 AA"));
    std::vector<std::string> later;
    for (const std::string& name : files())
        if (name.rfind("data2.log.damaged-", 0) == 0)
            later.push_back(name);
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later[0].size(), std::string("data2.log.damaged-YYYYMMDD-HHMMSS").size());
    EXPECT_EQ(readFile(later[0]), Hex("06 00 00 00 BB CC"));

    // Readers ignore bytes after the settings' eight values: they are no damage.
    SSettings settings;
    settings.panelLeft = 77;
    ASSERT_TRUE(store::WriteSettings(folder(), settings));
    Bytes longer = readFile(store::kSettingsFile);
    longer.push_back(0x42);
    writeFile(store::kSettingsFile, longer);
    SSettings read;
    EXPECT_TRUE(store::ReadSettings(folder(), read));
    EXPECT_EQ(read.panelLeft, 77);
    EXPECT_FALSE(exists("file1.dat.damaged"));

    // A store kept as a link (dotfiles): the save goes into the link's target.
    std::filesystem::create_directory(path("dotfiles"));
    writeFile("dotfiles/data3.log", {});
    std::filesystem::create_symlink(path("dotfiles/data3.log"), path(store::kCategoriesFile));
    ASSERT_TRUE(store::WriteCategories(folder(), CategoriesOf({"Work"})));
    EXPECT_TRUE(std::filesystem::is_symlink(path(store::kCategoriesFile)));
    Categories categories;
    EXPECT_EQ(store::ReadCategories(folder() + "dotfiles/", categories),
              store::ReadOutcome::Complete);
    EXPECT_EQ(categories.all(), std::vector<std::string>{"Work"});
    EXPECT_EQ(mode("dotfiles/data3.log"), 0600u);
    // A link to what is not a regular file (here a folder) is replaced, not followed.
    std::filesystem::create_symlink(path("dotfiles"), path(store::kTemplatesFile));
    ASSERT_TRUE(store::WriteTemplates(folder(), Templates{}));
    EXPECT_FALSE(std::filesystem::is_symlink(path(store::kTemplatesFile)));
}

} // namespace
