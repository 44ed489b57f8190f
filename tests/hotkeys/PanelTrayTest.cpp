#include "panel/PanelTray.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class RecordingTrayActions : public TrayActions {
public:
    std::vector<std::string> log;
    QPoint menuPos;
    bool shown = true;
    bool panelShown() const override { return shown; }
    void bringToFront() override { log.push_back("front"); }
    void togglePanel() override { log.push_back("toggle"); }
    void showOptionsMenuAt(QPoint pos) override
    {
        log.push_back("menu");
        menuPos = pos;
    }
};

TEST(PanelTray, BalloonExplainsTheThreeGestures)
{
    FakePlatform fake;
    FakeTrayIcon tray;
    AddTrayIcon(tray, true);
    ASSERT_EQ(tray.adds.size(), 1u);
    EXPECT_EQ(tray.adds[0].tip, "Pinleaf");
    EXPECT_TRUE(tray.adds[0].balloon);
    EXPECT_EQ(tray.adds[0].title, "Pinleaf is here!");
    EXPECT_EQ(tray.adds[0].text.split('\n'),
              (QStringList{"Right mouse click - to show main menu",
                           "Left click - set foreground notes & main window",
                           "Left double click - to hide/show main window."}));
    EXPECT_TRUE(tray.present);
}

TEST(PanelTray, PlainIconHasOnlyTheTip)
{
    FakePlatform fake;
    FakeTrayIcon tray;
    AddTrayIcon(tray, false);
    ASSERT_EQ(tray.adds.size(), 1u);
    EXPECT_EQ(tray.adds[0].tip, "Pinleaf");
    EXPECT_FALSE(tray.adds[0].balloon);
    EXPECT_TRUE(tray.adds[0].title.isEmpty());
    EXPECT_TRUE(tray.adds[0].text.isEmpty());
}

TEST(PanelTray, GesturesOnTheIconReachThePanel)
{
    FakePlatform fake;
    fake.cursor = QPoint(1203, 1007);
    FakeTrayIcon tray;
    RecordingTrayActions actions;
    QObject::connect(&tray, &TrayIcon::activated,
                     [&](TrayIcon::Gesture g) { HandleTrayGesture(g, actions); });

    tray.gesture(TrayIcon::RightClick);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"front", "menu"}));
    EXPECT_EQ(actions.menuPos, QPoint(1203, 1007));

    actions.log.clear();
    tray.gesture(TrayIcon::DoubleClick);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"toggle"}));

    actions.log.clear();
    tray.gesture(TrayIcon::LeftClick);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"front"}));
}

} // namespace
