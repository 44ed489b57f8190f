#include "hotkeys/HotKeys.h"
#include "support/FakePlatform.h"
#include "widgets/Menus.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Beside the recorded call's type, so the comparisons in EXPECT_EQ find them.
static bool operator==(const FakeHotKeyGrabber::Call& a, const FakeHotKeyGrabber::Call& b)
{
    return a.grab == b.grab && a.id == b.id && a.keys == b.keys;
}

static std::ostream& operator<<(std::ostream& out, const FakeHotKeyGrabber::Call& c)
{
    return out << (c.grab ? "grab " : "release ") << c.id << " keys 0x" << std::hex
               << c.keys.toCombined() << std::dec;
}

namespace {

constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrlShiftWin = kCtrlShift | Qt::MetaModifier;

using Call = FakeHotKeyGrabber::Call;

Call Grab(int id, QKeyCombination keys)
{
    return {true, id, keys};
}

Call Release(int id)
{
    return {false, id, {}};
}

// The grabbers get the keys in Qt's terms; Ctrl+Shift+Win alone is the Win key last.
const std::vector<Call> kLeftSet = {
    Grab(15, kCtrlShift | Qt::Key_Q), Grab(13, kCtrlShift | Qt::Key_W),
    Grab(14, kCtrlShift | Qt::Key_E), Grab(12, kCtrlShift | Qt::Key_S),
    Grab(10, kCtrlShift | Qt::Key_C), Grab(11, kCtrlShiftWin | Qt::Key_Meta),
};
const std::vector<Call> kRightSet = {
    Grab(15, kCtrlShift | Qt::Key_Left),   Grab(14, kCtrlShift | Qt::Key_Right),
    Grab(13, kCtrlShift | Qt::Key_Up),     Grab(12, kCtrlShift | Qt::Key_Down),
    Grab(10, kCtrlShift | Qt::Key_Insert), Grab(11, kCtrlShiftWin | Qt::Key_Meta),
};
const std::vector<Call> kReleaseAll = {Release(15), Release(14), Release(13),
                                       Release(12), Release(10), Release(11)};

std::vector<Call> Concat(std::vector<Call> a, const std::vector<Call>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The marks of the "Hot keys" items are the panel's (PanelHotKeysTrayTest).
class HotKeyModeTest : public ::testing::Test {
protected:
    FakePlatform fake;
    FakeHotKeyGrabber grabber;
    std::int32_t hotKeyMode = 0;
};

TEST_F(HotKeyModeTest, EachModeBindsItsSetInOrder)
{
    ApplyHotKeyMode(grabber, 0, hotKeyMode);
    EXPECT_EQ(grabber.calls, kLeftSet);
    EXPECT_EQ(hotKeyMode, 0);
    EXPECT_EQ(grabber.live.size(), 6u);

    grabber.calls.clear();
    ApplyHotKeyMode(grabber, 2, hotKeyMode);
    EXPECT_EQ(grabber.calls, kReleaseAll);
    EXPECT_EQ(hotKeyMode, 2);
    EXPECT_TRUE(grabber.live.empty());

    grabber.calls.clear();
    ApplyHotKeyMode(grabber, 1, hotKeyMode);
    EXPECT_EQ(grabber.calls, kRightSet);
    EXPECT_EQ(hotKeyMode, 1);
}

TEST_F(HotKeyModeTest, ApplyingTheStoredSetAtStartBindsWithoutReleasing)
{
    hotKeyMode = 1; // as read from the settings file
    ApplyHotKeyMode(grabber, 1, hotKeyMode);
    EXPECT_EQ(grabber.calls, kRightSet);
}

TEST_F(HotKeyModeTest, NoneTwiceAndNoneAtStartReleaseEveryIdHarmlessly)
{
    hotKeyMode = 2;
    ApplyHotKeyMode(grabber, 2, hotKeyMode);
    ApplyHotKeyMode(grabber, 2, hotKeyMode);
    EXPECT_EQ(grabber.calls, Concat(kReleaseAll, kReleaseAll));
    EXPECT_TRUE(grabber.live.empty());
}

TEST_F(HotKeyModeTest, SwitchingSetsReleasesTheEarlierSetFirst)
{
    ApplyHotKeyMode(grabber, 0, hotKeyMode);
    grabber.calls.clear();
    ApplyHotKeyMode(grabber, 1, hotKeyMode);
    EXPECT_EQ(grabber.calls, Concat(kReleaseAll, kRightSet));
    // Exactly the right set is live.
    EXPECT_EQ(grabber.live[15], kCtrlShift | Qt::Key_Left);
    EXPECT_EQ(grabber.live[10], kCtrlShift | Qt::Key_Insert);
    EXPECT_EQ(grabber.live.size(), 6u);

    grabber.calls.clear();
    ApplyHotKeyMode(grabber, 0, hotKeyMode);
    EXPECT_EQ(grabber.calls, Concat(kReleaseAll, kLeftSet));
}

TEST_F(HotKeyModeTest, ModeOutsideTheMenuKeepsTheKeys)
{
    ApplyHotKeyMode(grabber, 1, hotKeyMode);
    grabber.calls.clear();
    for (int mode : {3, -1, 100, INT_MAX, INT_MIN}) {
        ApplyHotKeyMode(grabber, mode, hotKeyMode);
        EXPECT_EQ(hotKeyMode, mode);
        EXPECT_TRUE(grabber.calls.empty()) << mode;
    }
    EXPECT_EQ(grabber.live.size(), 6u);
}

TEST_F(HotKeyModeTest, ACombinationOwnedElsewhereLeavesTheRestOfTheSetWorking)
{
    grabber.ownedByOthers.push_back(kCtrlShift | Qt::Key_Q);
    ApplyHotKeyMode(grabber, 0, hotKeyMode);
    EXPECT_EQ(grabber.calls, kLeftSet);
    EXPECT_EQ(grabber.live.count(15), 0u);
    EXPECT_EQ(grabber.live.size(), 5u);
}

class RecordingActions : public HotKeyActions {
public:
    std::vector<std::string> log;
    void createNote() override { log.push_back("create"); }
    void bringToFront() override { log.push_back("front"); }
    // The panel's commands, by the menu item that runs each.
    void restoreAll() override { log.push_back("Restore all"); }
    void minimizeAll() override { log.push_back("Minimize all"); }
    void toggleAlwaysTop() override { log.push_back("Always Top"); }
    void showOrHidePanel() override { log.push_back("Show Panel"); }
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
    ApplyHotKeyMode(grabber, 0, mode);
    grabber.press(10);
    grabber.press(15);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"create", "front", "Show Panel"}));
}

} // namespace
