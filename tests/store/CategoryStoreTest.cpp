#include "StoreTestSupport.h"
#include "model/Factory.h"
#include "store/Stores.h"

namespace {

using store::kCategoriesFile;

std::vector<std::string> FactoryNames()
{
    Categories c;
    LoadFactoryCategories(c);
    return c.all();
}

class CategoryStoreTest : public StoreFolderTest {
protected:
    std::vector<std::string> read()
    {
        Categories c;
        c.append("left over"); // the reader must clear what was there
        store::ReadCategories(folder(), c);
        return c.all();
    }
    store::StoreResult write(const std::vector<std::string>& names)
    {
        Categories c;
        for (const auto& n : names)
            c.append(n);
        return store::WriteCategories(folder(), c);
    }
};

TEST_F(CategoryStoreTest, SingleNameFile)
{
    writeFile(kCategoriesFile, Hex("01 00 00 00 04 48 6F 6D 65"));
    EXPECT_EQ(read(), std::vector<std::string>{"Home"});
    ASSERT_TRUE(write({"Home"}));
    EXPECT_EQ(readFile(kCategoriesFile), Hex("01 00 00 00 04 48 6F 6D 65"));
}

TEST_F(CategoryStoreTest, NamesRoundTripInOrderWithRepeatsAndEmptyOnes)
{
    const std::vector<std::string> names = {"Work", "", "Work", std::string(300, 'n'), "caf\xE9"};
    ASSERT_TRUE(write(names));
    EXPECT_EQ(read(), names);
    const Bytes file = readFile(kCategoriesFile);
    // count, "Work", "", "Work", then the 300-character name with its 3-byte prefix
    const std::size_t at = 4 + 5 + 1 + 5;
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), Hex("05 00 00 00"));
    EXPECT_EQ(Bytes(file.begin() + at, file.begin() + at + 3), Hex("FF 2C 01"));
    ASSERT_TRUE(write(names));
    EXPECT_EQ(readFile(kCategoriesFile), file) << "saving twice gives identical bytes";
}

TEST_F(CategoryStoreTest, EmptyListIsACountOfZeroThatReadsAsFactoryNames)
{
    ASSERT_TRUE(write({}));
    EXPECT_EQ(readFile(kCategoriesFile), Hex("00 00 00 00"));
    EXPECT_EQ(read(), FactoryNames());
}

TEST_F(CategoryStoreTest, FailureTable)
{
    EXPECT_EQ(read(), FactoryNames()) << "missing file";
    writeFile(kCategoriesFile, {});
    EXPECT_EQ(read(), FactoryNames()) << "empty file";
    writeFile(kCategoriesFile, Hex("00 00 00 00 04 48 6F 6D 65"));
    EXPECT_EQ(read(), FactoryNames()) << "count 0";
    writeFile(kCategoriesFile, Hex("FF FF FF FF 04 48 6F 6D 65"));
    EXPECT_TRUE(read().empty()) << "negative count";
    writeFile(kCategoriesFile, Hex("03 00 00 00 01 41 01 42"));
    EXPECT_EQ(read(), FactoryNames()) << "count 3, two names: no name read survives";
    EXPECT_EQ(FactoryNames().size(), 13u);
}

TEST_F(CategoryStoreTest, CutAtAnyByteFallsBackWhole)
{
    ASSERT_TRUE(write({"Home", "Work", std::string(300, 'x'), "Idias"}));
    const Bytes whole = readFile(kCategoriesFile);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        writeFile(kCategoriesFile, Bytes(whole.begin(), whole.begin() + length));
        ASSERT_EQ(read(), FactoryNames());
    }
}

} // namespace
