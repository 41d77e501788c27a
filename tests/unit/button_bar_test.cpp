// The transport bar on the main window, driven by the pointer: where a release
// acts, and the tooltips.
#include <gtest/gtest.h>

#include <vector>

#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Commands = std::vector<std::uint32_t>;
using platform::mouse::kMiddle;
using platform::mouse::kRight;
using test::kNext;
using test::kPause;
using test::kPlay;
using test::kPrevious;
using test::kStop;

using ButtonBarTest = test::PlayerTest;

// A move shows the tip of the button under the pointer (and clears it over a gap), a click
// acts on that button: edge rows and columns are the button's.
TEST_F(ButtonBarTest, MovesAndClicksFindTheButtonUnderThePointerEdgesIncluded) {
    // What each button says and sends; 0 is no button.
    const struct {
        const char* tip;
        Commands sent;
    } buttons[] = {{"", {}},
                   {"Go to previous track in playlist", {kPrevious}},
                   {"Play current track", {kPlay}},
                   {"Pause playing track", {kPause}},
                   {"Stop playing track", {kStop}},
                   {"Go to next track in playlist", {kNext}},
                   {"Show track information", {}}};
    const struct {
        int x, y, button;  // 0: none
    } points[] = {{0, 8, 0},    {1, 8, 1},   {16, 16, 1}, {17, 8, 0},  {20, 8, 0},
                  {21, 1, 2},   {37, 8, 2},  {38, 8, 0},  {42, 8, 3},  {50, 0, 0},
                  {58, 8, 3},   {59, 8, 0},  {63, 8, 4},  {70, 17, 0}, {79, 8, 4},
                  {80, 8, 0},   {84, 8, 5},  {100, 8, 5}, {104, 8, 0}, {105, 8, 6},
                  {121, 16, 6}, {122, 8, 0}, {30, 0, 0},  {30, 17, 0}, {110, 17, 0}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        app.desktop.Move(app.Bar(p.x, p.y));
        EXPECT_EQ(app.MainForm().toolTip(FrmMain::picButtons), buttons[p.button].tip);
        const auto before = Received().size();
        app.desktop.Click(app.Bar(p.x, p.y));
        EXPECT_EQ(test::Since(Received(), before), buttons[p.button].sent);
        EXPECT_EQ(app.Display() != nullptr, p.button == 1 || p.button == 6) << "the song shown";
        app.desktop.Advance(2000ms);  // the display of a title action goes
    }
}

// At 144 DPI the bar's design pixels are one and a half device pixels: button 1's columns 1
// to 16 are device columns 2 to 25, button 2 starts at 32, button 6 ends at 182.
TEST(ButtonBarScaleTest, TheButtonsAndTheirHitAreasScaleWithTheDisplay) {
    test::TestApp app;
    app.desktop.screen = {1536, 1152, 10, 10};
    const auto player = app.desktop.AddPlayer();
    app.Start();
    const struct {
        int x, y;
        Commands sent;
    } points[] = {{1, 12, {}},  {2, 2, {kPrevious}}, {25, 25, {kPrevious}},
                  {26, 12, {}}, {31, 12, {}},        {32, 12, {kPlay}},
                  {25, 26, {}}, {183, 12, {}},       {150, 12, {kNext}}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        const auto before = app.desktop.CommandsTo(player).size();
        app.desktop.Click(app.Bar(p.x, p.y));
        EXPECT_EQ(test::Since(app.desktop.CommandsTo(player), before), p.sent);
    }
}

// That each click looks the player up afresh is seen in player_link_test.cpp.
TEST_F(ButtonBarTest, AnyButtonActsWhereReleasedOnTheBar) {
    app.desktop.Click(app.Bar(30, 8), kRight);
    app.desktop.Click(app.Bar(30, 8), kMiddle);
    // The bar keeps the pointer from the press: the release point decides.
    app.desktop.Press(app.Bar(30, 8));
    app.desktop.Release(app.Bar(90, 8));
    app.desktop.Press(app.Bar(30, 8));
    app.desktop.Release(app.Bar(200, 8));  // beyond the window's right edge
    app.desktop.Press(app.Bar(-10, 8));    // beside the bar: no press on it
    app.desktop.Release(app.Bar(30, 8));
    EXPECT_EQ(Received(), (Commands{kPlay, kPlay, kNext}));
}

}  // namespace
}  // namespace tw
