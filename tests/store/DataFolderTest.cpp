#include "store/Stores.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(DataFolder, FollowsXdgDataHomeThenHome)
{
    setenv("XDG_DATA_HOME", "/tmp/xdg-test/", 1);
    EXPECT_EQ(store::DataFolder(), "/tmp/xdg-test/Pinleaf/");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(store::DataFolder(), "/home/someone/.local/share/Pinleaf/");
}
