// Two copies of the program meet only through the two marker files.

#include "platform/InstanceLock.h"

#include "store/Stores.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = store::DataFolder();
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    bool Exists(const char* name) { return fs::exists(fs::symlink_status(folder + name)); }
    std::string folder;
};

TEST_F(InstanceLockTest, TheFirstCopyHoldsTheLockAndASecondLeavesARequest)
{
    InstanceLock first(folder);
    ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_TRUE(Exists("xr.log"));
    EXPECT_FALSE(Exists("xo.log"));
    {
        InstanceLock second(folder);
        EXPECT_EQ(second.Acquire(), InstanceLock::Result::HeldByOther);
        EXPECT_TRUE(Exists("xo.log"));
        // The second copy still runs: the request cannot be taken yet.
        EXPECT_FALSE(first.PollHandOver());
        EXPECT_TRUE(Exists("xo.log"));
    }
    EXPECT_TRUE(first.PollHandOver());
    EXPECT_FALSE(Exists("xo.log"));
    EXPECT_FALSE(first.PollHandOver());
    EXPECT_TRUE(Exists("xr.log")); // never deleted
}

TEST_F(InstanceLockTest, TheLockGoesWithTheCopyThatHeldIt)
{
    {
        InstanceLock first(folder);
        ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    }
    InstanceLock next(folder);
    EXPECT_EQ(next.Acquire(), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, NoRequestNoHandOver)
{
    InstanceLock first(folder);
    ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_FALSE(first.PollHandOver());
    EXPECT_FALSE(Exists("xo.log"));
}

TEST_F(InstanceLockTest, ALinkedRequestFileIsNotFollowed)
{
    const std::string target = folder + "precious.txt";
    std::ofstream(target) << "keep me";
    fs::create_symlink(target, folder + "xo.log");
    InstanceLock first(folder);
    ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    // The link itself goes, so that a later second copy can leave its request.
    EXPECT_FALSE(Exists("xo.log"));
    std::ifstream in(target);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "keep me");
}

TEST_F(InstanceLockTest, AMissingOrBlockedFolderIsUnusableNotAnotherCopy)
{
    InstanceLock missing(folder + "nowhere/");
    EXPECT_EQ(missing.Acquire(), InstanceLock::Result::FolderUnusable);
    EXPECT_FALSE(missing.error().empty());

    std::ofstream(folder + "file") << "x";
    InstanceLock blocked(folder + "file/");
    EXPECT_EQ(blocked.Acquire(), InstanceLock::Result::FolderUnusable);

    fs::create_symlink(folder + "elsewhere", folder + "xr.log");
    InstanceLock linked(folder);
    EXPECT_EQ(linked.Acquire(), InstanceLock::Result::FolderUnusable);
    EXPECT_FALSE(Exists("elsewhere"));
}

TEST_F(InstanceLockTest, StartUpMakesTheFolderAndTheMarkersPrivate)
{
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_all);
    std::ofstream(folder + "xr.log").put('\0');
    fs::permissions(folder + "xr.log", fs::perms::owner_read | fs::perms::owner_write |
                                           fs::perms::group_write | fs::perms::others_write);
    InstanceLock lock(folder);
    ASSERT_EQ(lock.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(folder + "xr.log").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    {
        InstanceLock second(folder);
        ASSERT_EQ(second.Acquire(), InstanceLock::Result::HeldByOther);
        EXPECT_EQ(fs::status(folder + "xo.log").permissions(),
                  fs::perms::owner_read | fs::perms::owner_write);
    }

    // A linked running marker is refused, and the reason says so.
    InstanceLock linked(folder + "linked/");
    fs::create_directories(folder + "linked");
    fs::create_symlink(folder + "xr.log", folder + "linked/xr.log");
    EXPECT_EQ(linked.Acquire(), InstanceLock::Result::FolderUnusable);
    EXPECT_EQ(linked.error(), "xr.log is a symbolic link");
}

// The markers an earlier version left in the data folder: held, that version runs and
// gets the request where it looks; not held, they go.
TEST_F(InstanceLockTest, AnEarlierVersionsMarkersCountWhileHeldAndGoOtherwise)
{
    const std::string old = folder + "old/";
    fs::create_directories(old);
    const std::string runtime = folder + "run/";
    fs::create_directories(runtime);
    std::ofstream(old + "xr.log").put('\0');
    {
        InstanceLock earlier(old); // the lock of the earlier version, at its old place
        ASSERT_EQ(earlier.Acquire(), InstanceLock::Result::Acquired);
        InstanceLock second(runtime);
        EXPECT_EQ(second.Acquire(old), InstanceLock::Result::HeldByOther);
        EXPECT_TRUE(Exists("old/xo.log"));
        EXPECT_TRUE(Exists("old/xr.log"));
        // The new place's lock is free for the next copy.
        InstanceLock next(runtime);
        EXPECT_EQ(next.Acquire(), InstanceLock::Result::Acquired);
    }
    InstanceLock first(runtime);
    EXPECT_EQ(first.Acquire(old), InstanceLock::Result::Acquired);
    EXPECT_FALSE(Exists("old/xr.log"));
    EXPECT_FALSE(Exists("old/xo.log"));
    EXPECT_TRUE(Exists("run/xr.log"));
}

} // namespace
