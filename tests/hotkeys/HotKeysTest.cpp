#include "hotkeys/HotKeys.h"
#include "panel/PanelCommand.h"
#include "platform/Menus.h"
#include "support/FakePlatform.h"

#include <QMenu>

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Beside the recorded call's type, so the comparisons in EXPECT_EQ find them.
static bool operator==(const FakeHotKeyGrabber::Call& a, const FakeHotKeyGrabber::Call& b)
{
    return a.grab == b.grab && a.id == b.id && a.modifiers == b.modifiers && a.key == b.key;
}

static std::ostream& operator<<(std::ostream& out, const FakeHotKeyGrabber::Call& c)
{
    return out << (c.grab ? "grab " : "release ") << c.id << " mods " << c.modifiers << " key 0x"
               << std::hex << c.key << std::dec;
}

namespace {

constexpr unsigned kCtrlShift = 6;
constexpr unsigned kCtrlShiftWin = 14;

using Call = FakeHotKeyGrabber::Call;

Call Grab(int id, unsigned mods, unsigned key)
{
    return {true, id, mods, key};
}

Call Release(int id)
{
    return {false, id, 0, 0};
}

const std::vector<Call> kLeftSet = {
    Grab(15, kCtrlShift, 'Q'), Grab(13, kCtrlShift, 'W'), Grab(14, kCtrlShift, 'E'),
    Grab(12, kCtrlShift, 'S'), Grab(10, kCtrlShift, 'C'), Grab(11, kCtrlShiftWin, 0),
};
const std::vector<Call> kRightSet = {
    Grab(15, kCtrlShift, 0x25), Grab(14, kCtrlShift, 0x27), Grab(13, kCtrlShift, 0x26),
    Grab(12, kCtrlShift, 0x28), Grab(10, kCtrlShift, 0x2D), Grab(11, kCtrlShiftWin, 0),
};
const std::vector<Call> kReleaseAll = {Release(15), Release(14), Release(13),
                                       Release(12), Release(10), Release(11)};

std::vector<Call> Concat(std::vector<Call> a, const std::vector<Call>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class HotKeyModeTest : public ::testing::Test {
protected:
    HotKeyModeTest()
    {
        // The panel's "Hot keys" submenu.
        AddItem(&menu, "Left keys", 75);
        AddItem(&menu, "Right keys", 76);
        menu.addSeparator();
        AddItem(&menu, "None", 77);
    }

    std::vector<bool> marks()
    {
        return {IsChecked(&menu, 75), IsChecked(&menu, 76), IsChecked(&menu, 77)};
    }

    FakePlatform fake;
    FakeHotKeyGrabber grabber;
    QMenu menu;
    std::int32_t hotKeyMode = 0;
};

TEST_F(HotKeyModeTest, EachModeBindsItsSetInOrderAndMarksItsItem)
{
    ApplyHotKeyMode(grabber, &menu, 0, hotKeyMode);
    EXPECT_EQ(grabber.calls, kLeftSet);
    EXPECT_EQ(hotKeyMode, 0);
    EXPECT_EQ(marks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(grabber.live.size(), 6u);

    grabber.calls.clear();
    ApplyHotKeyMode(grabber, &menu, 2, hotKeyMode);
    EXPECT_EQ(grabber.calls, kReleaseAll);
    EXPECT_EQ(hotKeyMode, 2);
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(grabber.live.empty());

    grabber.calls.clear();
    ApplyHotKeyMode(grabber, &menu, 1, hotKeyMode);
    EXPECT_EQ(grabber.calls, kRightSet);
    EXPECT_EQ(hotKeyMode, 1);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
}

TEST_F(HotKeyModeTest, ApplyingTheStoredSetAtStartBindsWithoutReleasing)
{
    hotKeyMode = 1; // as read from the settings file
    ApplyHotKeyMode(grabber, &menu, 1, hotKeyMode);
    EXPECT_EQ(grabber.calls, kRightSet);
}

TEST_F(HotKeyModeTest, NoneTwiceAndNoneAtStartReleaseEveryIdHarmlessly)
{
    hotKeyMode = 2;
    ApplyHotKeyMode(grabber, &menu, 2, hotKeyMode);
    ApplyHotKeyMode(grabber, &menu, 2, hotKeyMode);
    EXPECT_EQ(grabber.calls, Concat(kReleaseAll, kReleaseAll));
    EXPECT_TRUE(grabber.live.empty());
}

TEST_F(HotKeyModeTest, SwitchingSetsReleasesTheEarlierSetFirst)
{
    ApplyHotKeyMode(grabber, &menu, 0, hotKeyMode);
    grabber.calls.clear();
    ApplyHotKeyMode(grabber, &menu, 1, hotKeyMode);
    EXPECT_EQ(grabber.calls, Concat(kReleaseAll, kRightSet));
    // Exactly the right set is live.
    EXPECT_EQ(grabber.live[15], (std::pair<unsigned, unsigned>{kCtrlShift, 0x25}));
    EXPECT_EQ(grabber.live[10], (std::pair<unsigned, unsigned>{kCtrlShift, 0x2D}));
    EXPECT_EQ(grabber.live.size(), 6u);

    grabber.calls.clear();
    ApplyHotKeyMode(grabber, &menu, 0, hotKeyMode);
    EXPECT_EQ(grabber.calls, Concat(kReleaseAll, kLeftSet));
    EXPECT_EQ(marks(), (std::vector<bool>{true, false, false}));
}

TEST_F(HotKeyModeTest, ModeOutsideTheMenuKeepsTheKeysAndLeavesNoMark)
{
    ApplyHotKeyMode(grabber, &menu, 1, hotKeyMode);
    grabber.calls.clear();
    for (int mode : {3, -1, 100, INT_MAX, INT_MIN}) {
        ApplyHotKeyMode(grabber, &menu, mode, hotKeyMode);
        EXPECT_EQ(hotKeyMode, mode);
        EXPECT_TRUE(grabber.calls.empty()) << mode;
        EXPECT_EQ(marks(), (std::vector<bool>{false, false, false})) << mode;
    }
    EXPECT_EQ(grabber.live.size(), 6u);
}

TEST_F(HotKeyModeTest, ACombinationOwnedElsewhereLeavesTheRestOfTheSetWorking)
{
    grabber.ownedByOthers.push_back({kCtrlShift, 'Q'});
    ApplyHotKeyMode(grabber, &menu, 0, hotKeyMode);
    EXPECT_EQ(grabber.calls, kLeftSet);
    EXPECT_EQ(grabber.live.count(15), 0u);
    EXPECT_EQ(grabber.live.size(), 5u);
    EXPECT_EQ(marks(), (std::vector<bool>{true, false, false}));
}

class RecordingActions : public HotKeyActions {
public:
    std::vector<std::string> log;
    void createNote() override { log.push_back("create"); }
    void bringToFront() override { log.push_back("front"); }
    // The panel's command, by the menu item that runs it.
    void runCommand(int id) override
    {
        switch (static_cast<PanelCommand>(id)) {
        case PanelCommand::RestoreAll:
            log.push_back("Restore all");
            break;
        case PanelCommand::MinimizeAll:
            log.push_back("Minimize all");
            break;
        case PanelCommand::AlwaysTop:
            log.push_back("Always Top");
            break;
        case PanelCommand::ShowPanel:
            log.push_back("Show Panel");
            break;
        default:
            log.push_back("command " + std::to_string(id));
        }
    }
};

TEST(OnHotKey, EachIdRunsItsAction)
{
    using Log = std::vector<std::string>;
    const std::vector<std::pair<int, Log>> expected = {
        {10, {"create"}},
        {11, {"front"}},
        {12, {"front", "Restore all"}},
        {13, {"front", "Minimize all"}},
        {14, {"front", "Always Top"}},
        {15, {"front", "Show Panel"}},
        {9, {}},
        {16, {}},
        {0, {}},
        {-10, {}},
    };
    for (const auto& [id, log] : expected) {
        RecordingActions actions;
        OnHotKey(id, actions);
        EXPECT_EQ(actions.log, log) << "id " << id;
    }
}

TEST(OnHotKey, APressFromTheGrabberReachesItsAction)
{
    FakePlatform fake;
    FakeHotKeyGrabber grabber;
    RecordingActions actions;
    QObject::connect(&grabber, &HotKeyGrabber::pressed, [&](int id) { OnHotKey(id, actions); });
    std::int32_t mode = 0;
    ApplyHotKeyMode(grabber, nullptr, 0, mode);
    grabber.press(10);
    grabber.press(15);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"create", "front", "Show Panel"}));
}

} // namespace
