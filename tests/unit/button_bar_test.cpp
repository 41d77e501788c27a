// The transport bar on the main window: where a release acts, the tooltips,
// and how the six buttons are painted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "songshow/frm_song_show.h"
#include "test_app.h"

namespace tw {
namespace {

using Commands = std::vector<std::uint32_t>;
using platform::mouse::kLeft;

constexpr std::uint32_t kPrevious = 40044, kPlay = 40045, kPause = 40046, kStop = 40047,
                        kNext = 40048;

class ButtonBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = app.desktop.AddPlayer("4. Artist - Song - Winamp");
        main = &app.Start();
    }

    // A release as the system reports it: to the control under the pointer
    // at the press, in the bar's pixels.
    void Release(float x, float y, std::int16_t button = kLeft) {
        app.MainForm().events().OnMouseUp(FrmMain::picButtons, button, 0, x, y);
    }
    Commands Received() { return app.desktop.CommandsTo(player); }
    sim::SimForm* Display() { return app.Form("frmSongShow"); }

    test::TestApp app;
    FrmMain* main = nullptr;
    platform::WindowHandle player = 0;
};

TEST(ButtonBarDesignTest, TheBarIsAPixelSurfaceInItsPlace) {
    const auto controls = FrmMain::Design().controls;
    const auto bar = std::find_if(controls.begin(), controls.end(),
                                  [](const auto& c) { return c.id == FrmMain::picButtons; });
    ASSERT_NE(bar, controls.end());
    EXPECT_EQ(bar->rect, (platform::TwipRect{495, 300, 1845, 285}));
    EXPECT_EQ(bar->scale, platform::ScaleUnit::Pixels);
}

TEST(ButtonBarHitTest, AReleaseActsOnTheButtonUnderItEdgesIncluded) {
    const struct {
        float x;
        float y;
        Commands expected;
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
        {110, 0, {}, false},      {110, 1, {}, true},        {110, 16, {}, true},
        {110, 17, {}, false},     {-5, 8, {}, false},        {200, 8, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        test::TestApp app;
        const auto target = app.desktop.AddPlayer("4. Artist - Song - Winamp");
        app.Start();
        app.MainForm().events().OnMouseUp(FrmMain::picButtons, kLeft, 0, c.x, c.y);
        EXPECT_EQ(app.desktop.CommandsTo(target), c.expected);
        EXPECT_EQ(app.Form("frmSongShow") != nullptr, c.showsTitle);
    }
}

TEST_F(ButtonBarTest, AnyButtonActsWhereItIsReleasedAndOnlyOnTheBar) {
    for (const std::int16_t button : {platform::mouse::kRight, platform::mouse::kMiddle,
                                      std::int16_t{kLeft | platform::mouse::kRight}}) {
        Release(30, 8, button);
    }
    auto& events = app.MainForm().events();
    events.OnMouseDown(FrmMain::picButtons, kLeft, 0, 30, 8);  // on play
    events.OnMouseUp(FrmMain::picButtons, kLeft, 0, 90, 8);    // over next
    events.OnMouseUp(platform::kFormSurface, kLeft, 0, 30, 8);
    EXPECT_EQ(Received(), (Commands{kPlay, kPlay, kPlay, kNext}));
}

TEST_F(ButtonBarTest, PreviousShowsTheSongThatWasPlayingThenSkipsBack) {
    app.desktop.Other(player)->captionOnCommand[kPrevious] = "3. Earlier - Track - Winamp";
    Release(8, 8);
    EXPECT_EQ(Received(), Commands{kPrevious});
    ASSERT_NE(Display(), nullptr);
    EXPECT_EQ(Display()->ControlText(FrmSongShow::lblSong), "Artist - Song");

    // Each release looks the player up aapp.
    app.desktop.RemoveWindow(player);
    Release(30, 8);  // nobody to play
    Release(110, 8);
    EXPECT_EQ(main->SongTitle, "");
    player = app.desktop.AddPlayer("1. New - One - Winamp");
    Release(30, 8);
    Release(110, 8);
    EXPECT_EQ(Received(), Commands{kPlay});
    EXPECT_EQ(main->SongTitle, "New - One");
}

TEST_F(ButtonBarTest, TooltipsFollowThePointerAndClearInTheGaps) {
    const std::string previous = "Go to previous track in playlist", play = "Play current track",
                      pause = "Pause playing track", stop = "Stop playing track",
                      next = "Go to next track in playlist", info = "Show track information";
    const struct {
        float x;
        float y;
        std::string tip;
    } path[] = {
        {0, 8, ""},    {1, 8, previous}, {16, 16, previous}, {17, 8, ""},   {21, 1, play},
        {37, 8, play}, {40, 8, ""},      {42, 8, pause},     {50, 0, ""},   {58, 8, pause},
        {63, 8, stop}, {70, 17, ""},     {79, 8, stop},      {84, 8, next}, {100, 8, next},
        {101, 8, ""},  {105, 8, info},   {121, 16, info},    {122, 8, ""},  {8, 8, previous},
    };
    for (const auto& step : path) {
        app.MainForm().events().OnMouseMove(FrmMain::picButtons, 0, 0, step.x, step.y);
        EXPECT_EQ(app.MainForm().toolTip(FrmMain::picButtons), step.tip)
            << "at " << step.x << ", " << step.y;
    }
    EXPECT_TRUE(Received().empty()) << "moving never acts";
}

TEST_F(ButtonBarTest, SixRaisedButtonsEachWithItsOwnGlyph) {
    const auto& log = app.MainForm().canvas(FrmMain::picButtons).log;
    // Per button: its face and edges, then its glyph shifted to the button's left edge.
    std::vector<std::vector<std::string>> faces;
    std::vector<std::vector<std::string>> glyphs;
    int left = 0;
    for (const std::string& entry : log) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        char colour[16] = {};
        if (std::sscanf(entry.c_str(), "box %d", &left) == 1) {
            faces.push_back({entry});
            glyphs.emplace_back();
            continue;
        }
        ASSERT_FALSE(faces.empty()) << entry;
        if (faces.back().size() < 5) {
            faces.back().push_back(entry);
        } else {
            ASSERT_EQ(
                std::sscanf(entry.c_str(), "line %d,%d %d,%d %15s", &x1, &y1, &x2, &y2, colour), 5)
                << entry;
            // In the window-text colour, inside the face.
            EXPECT_STREQ(colour, "sys8") << entry;
            EXPECT_TRUE(x1 == x2 && x1 >= left + 3 && x1 <= left + 13 && y1 >= 2 && y2 <= 16)
                << entry;
            glyphs.back().push_back(std::to_string(x1 - left) + "," + std::to_string(y1) + "-" +
                                    std::to_string(y2));
        }
    }
    ASSERT_EQ(faces.size(), 6u);
    EXPECT_EQ(faces[0],
              (std::vector<std::string>{"box 1,1 16,16 filled #CCCCCC",
                                        "line 1,16 17,16 #000000 w1", "line 16,1 16,16 #000000 w1",
                                        "line 1,1 1,16 #FFFFFF w1", "line 1,1 16,1 #FFFFFF w1"}));
    const char* boxes[] = {"box 1,1 16,16",  "box 21,1 37,16",  "box 42,1 58,16",
                           "box 63,1 79,16", "box 84,1 100,16", "box 105,1 121,16"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(faces[i][0], boxes[i] + std::string(" filled #CCCCCC"));
    }
    for (std::size_t a = 0; a < glyphs.size(); ++a) {
        EXPECT_FALSE(glyphs[a].empty()) << "button " << a + 1;
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), glyphs[a]), 1) << "button " << a + 1;
    }
}

}  // namespace
}  // namespace tw
