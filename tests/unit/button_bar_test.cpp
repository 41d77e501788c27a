// The transport bar on the main window, driven by the pointer: where a release
// acts, and the tooltips.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;

using Commands = std::vector<std::uint32_t>;
using platform::mouse::kLeft;
using platform::mouse::kMiddle;
using platform::mouse::kRight;

constexpr std::uint32_t kPrevious = 40044, kPlay = 40045, kPause = 40046, kStop = 40047,
                        kNext = 40048;

class ButtonBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = app.desktop.AddPlayer("4. Artist - Song - Winamp");
        main = &app.Start();
    }

    // A pixel of the bar, on the screen.
    sim::PixelPoint Bar(int x, int y) { return app.MainForm().At(FrmMain::picButtons, x, y); }
    Commands Received() { return app.desktop.CommandsTo(player); }

    test::TestApp app;
    FrmMain* main = nullptr;
    platform::WindowHandle player = 0;
};

TEST_F(ButtonBarTest, AClickActsOnTheButtonUnderItEdgesIncluded) {
    const struct {
        int x;
        int y;
        Commands sent;
        bool showsTitle;
    } cases[] = {
        {0, 8, {}, false},        {1, 8, {kPrevious}, true}, {16, 8, {kPrevious}, true},
        {17, 8, {}, false},       {20, 8, {}, false},        {21, 8, {kPlay}, false},
        {37, 8, {kPlay}, false},  {38, 8, {}, false},        {42, 8, {kPause}, false},
        {58, 8, {kPause}, false}, {59, 8, {}, false},        {63, 8, {kStop}, false},
        {79, 8, {kStop}, false},  {80, 8, {}, false},        {84, 8, {kNext}, false},
        {100, 8, {kNext}, false}, {104, 8, {}, false},       {105, 8, {}, true},
        {121, 8, {}, true},       {122, 8, {}, false},       {30, 0, {}, false},
        {30, 1, {kPlay}, false},  {30, 16, {kPlay}, false},  {30, 17, {}, false},
        {110, 0, {}, false},      {110, 16, {}, true},       {110, 17, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const auto before = Received().size();
        app.desktop.Click(Bar(c.x, c.y));
        const Commands all = Received();
        EXPECT_EQ(Commands(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), c.sent);
        EXPECT_EQ(app.Display() != nullptr, c.showsTitle);
        app.desktop.Advance(2000ms);  // the display of a title action goes
    }
}

TEST_F(ButtonBarTest, AnyButtonActsWhereItIsReleasedAndOnlyOverTheBar) {
    app.desktop.Click(Bar(30, 8), kRight);
    app.desktop.Click(Bar(30, 8), kMiddle);
    // The bar keeps the pointer from the press: the release point decides.
    app.desktop.Press(Bar(30, 8));
    app.desktop.Release(Bar(90, 8));
    app.desktop.Press(Bar(30, 8));
    app.desktop.Release(Bar(200, 8));  // beyond the window's right edge
    // A press on the window beside the bar is no press on the bar.
    app.desktop.Press(Bar(-10, 8));
    app.desktop.Release(Bar(30, 8));
    EXPECT_EQ(Received(), (Commands{kPlay, kPlay, kNext}));
}

TEST_F(ButtonBarTest, PreviousShowsTheSongThatWasPlayingThenSkipsBack) {
    app.desktop.Other(player)->captionOnCommand[kPrevious] = "3. Earlier - Track - Winamp";
    app.desktop.Click(Bar(8, 8));
    EXPECT_EQ(Received(), Commands{kPrevious});
    ASSERT_NE(app.Display(), nullptr);
    EXPECT_EQ(app.Display()->ControlText(FrmSongShow::lblSong), "Artist - Song");

    // Each click looks the player up afresh.
    app.desktop.RemoveWindow(player);
    app.desktop.Click(Bar(30, 8));  // nobody to play
    app.desktop.Click(Bar(110, 8));
    EXPECT_EQ(main->SongTitle, "");
    player = app.desktop.AddPlayer("1. New - One - Winamp");
    app.desktop.Click(Bar(30, 8));
    app.desktop.Click(Bar(110, 8));
    EXPECT_EQ(Received(), Commands{kPlay});
    EXPECT_EQ(main->SongTitle, "New - One");
}

TEST_F(ButtonBarTest, TooltipsFollowThePointerAndClearInTheGaps) {
    const std::string previous = "Go to previous track in playlist", play = "Play current track",
                      pause = "Pause playing track", stop = "Stop playing track",
                      next = "Go to next track in playlist", info = "Show track information";
    const struct {
        int x;
        int y;
        std::string tip;
    } path[] = {
        {0, 8, ""},    {1, 8, previous}, {16, 16, previous}, {17, 8, ""},   {21, 1, play},
        {37, 8, play}, {40, 8, ""},      {42, 8, pause},     {50, 0, ""},   {58, 8, pause},
        {63, 8, stop}, {70, 17, ""},     {79, 8, stop},      {84, 8, next}, {100, 8, next},
        {101, 8, ""},  {105, 8, info},   {121, 16, info},    {122, 8, ""},  {8, 8, previous},
    };
    for (const auto& step : path) {
        app.desktop.Move(Bar(step.x, step.y));
        EXPECT_EQ(app.MainForm().toolTip(FrmMain::picButtons), step.tip)
            << "at " << step.x << ", " << step.y;
    }
    EXPECT_TRUE(Received().empty()) << "moving never acts";
}

}  // namespace
}  // namespace tw
