#include "StoreTestSupport.h"
#include "store/Stores.h"

namespace {

using store::kSettingsFile;

const Bytes kSample = Hex("00 01 01 00 00 00 02 00 00 00 01 00 00 00 02 00 00 00 "
                          "64 00 00 00 C8 00 00 00");

bool IsDefault(const SSettings& s)
{
    return !s.alwaysOnTop && s.panelVisible && s.panelColor == 0 && s.panelStyle == 0 &&
           s.listViewMode == 0 && s.hotKeyMode == 0 && s.panelLeft == 0 && s.panelTop == 0;
}

// Every field away from its default, so a partial read would show.
SSettings Unusual()
{
    SSettings s;
    s.alwaysOnTop = true;
    s.panelVisible = false;
    s.panelColor = 9;
    s.panelStyle = 9;
    s.listViewMode = 9;
    s.hotKeyMode = 9;
    s.panelLeft = 9;
    s.panelTop = 9;
    return s;
}

class SettingsStoreTest : public StoreFolderTest {};

TEST_F(SettingsStoreTest, ReadsTheEightValuesInFileOrder)
{
    writeFile(kSettingsFile, kSample);
    SSettings s = Unusual();
    ASSERT_TRUE(store::ReadSettings(folder(), s));
    EXPECT_FALSE(s.alwaysOnTop);
    EXPECT_TRUE(s.panelVisible);
    EXPECT_EQ(s.panelColor, 1);
    EXPECT_EQ(s.panelStyle, 2);
    EXPECT_EQ(s.listViewMode, 1);
    EXPECT_EQ(s.hotKeyMode, 2);
    EXPECT_EQ(s.panelLeft, 100);
    EXPECT_EQ(s.panelTop, 200);
}

TEST_F(SettingsStoreTest, WritesTwentySixBytesAndRoundTrips)
{
    SSettings s;
    s.panelColor = 1;
    s.panelStyle = 2;
    s.listViewMode = 1;
    s.hotKeyMode = 2;
    s.panelLeft = 100;
    s.panelTop = 200;
    ASSERT_TRUE(store::WriteSettings(folder(), s));
    EXPECT_EQ(readFile(kSettingsFile), kSample);

    SSettings odd = Unusual();
    odd.panelLeft = -5;
    ASSERT_TRUE(store::WriteSettings(folder(), odd));
    EXPECT_EQ(readFile(kSettingsFile).size(), 26u);
    SSettings back;
    ASSERT_TRUE(store::ReadSettings(folder(), back));
    EXPECT_TRUE(back.alwaysOnTop);
    EXPECT_FALSE(back.panelVisible);
    EXPECT_EQ(back.panelColor, 9);
    EXPECT_EQ(back.hotKeyMode, 9);
    EXPECT_EQ(back.panelLeft, -5);
    EXPECT_EQ(back.panelTop, 9);
}

TEST_F(SettingsStoreTest, MissingOrShortFileGivesEveryDefault)
{
    SSettings s = Unusual();
    EXPECT_FALSE(store::ReadSettings(folder(), s));
    EXPECT_TRUE(IsDefault(s)) << "missing file";
    for (std::size_t length = 0; length < kSample.size(); ++length) {
        SCOPED_TRACE(length);
        writeFile(kSettingsFile, Bytes(kSample.begin(), kSample.begin() + length));
        s = Unusual();
        ASSERT_FALSE(store::ReadSettings(folder(), s));
        ASSERT_TRUE(IsDefault(s));
    }
}

TEST_F(SettingsStoreTest, TrailingBytesAreIgnored)
{
    writeFile(kSettingsFile, Concat({kSample, Hex("AA BB CC")}));
    SSettings s;
    ASSERT_TRUE(store::ReadSettings(folder(), s));
    EXPECT_EQ(s.panelTop, 200);
}

} // namespace
