#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "songshow/frm_song_show.h"
#include "test_app.h"

namespace tw {
namespace {

using Commands = std::vector<std::uint32_t>;
using platform::mouse::kLeft;
using platform::mouse::kMiddle;
using platform::mouse::kNone;
using platform::mouse::kRight;

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
    void MoveTo(float x, float y) {
        app.MainForm().events().OnMouseMove(FrmMain::picButtons, kNone, 0, x, y);
    }

    Commands Received() { return app.desktop.CommandsTo(player); }
    sim::SimForm* Display() { return app.desktop.FindForm("frmSongShow"); }

    test::TestApp app;
    FrmMain* main = nullptr;
    platform::WindowHandle player = 0;
};

TEST_F(ButtonBarTest, TheBarIsAPixelSurfaceOnTheMainWindow) {
    const auto design = FrmMain::Design();
    const auto bar = std::find_if(design.controls.begin(), design.controls.end(),
                                  [](const auto& c) { return c.id == FrmMain::picButtons; });
    ASSERT_NE(bar, design.controls.end());
    EXPECT_EQ(bar->kind, platform::ControlKind::Picture);
    EXPECT_EQ(bar->rect, (platform::TwipRect{495, 300, 1845, 285}));
    EXPECT_EQ(bar->scale, platform::ScaleUnit::Pixels);
    EXPECT_EQ(bar->backColour, 0x404040u);
    EXPECT_EQ(bar->foreColour, 0x80000008u);
}

struct HitCase {
    float x;
    float y;
    Commands expected;
    bool showsTitle;
};

void PrintTo(const HitCase& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ")";
}

class ButtonHitTest : public ButtonBarTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(ButtonHitTest, AReleaseActsOnTheButtonUnderIt) {
    Release(GetParam().x, GetParam().y);
    EXPECT_EQ(Received(), GetParam().expected);
    EXPECT_EQ(Display() != nullptr, GetParam().showsTitle);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ButtonHitTest,
    ::testing::Values(
        HitCase{0, 8, {}, false}, HitCase{1, 8, {kPrevious}, true},
        HitCase{16, 8, {kPrevious}, true}, HitCase{17, 8, {}, false}, HitCase{20, 8, {}, false},
        HitCase{21, 8, {kPlay}, false}, HitCase{37, 8, {kPlay}, false}, HitCase{38, 8, {}, false},
        HitCase{41, 8, {}, false}, HitCase{42, 8, {kPause}, false}, HitCase{58, 8, {kPause}, false},
        HitCase{59, 8, {}, false}, HitCase{63, 8, {kStop}, false}, HitCase{79, 8, {kStop}, false},
        HitCase{80, 8, {}, false}, HitCase{84, 8, {kNext}, false}, HitCase{100, 8, {kNext}, false},
        HitCase{104, 8, {}, false}, HitCase{105, 8, {}, true}, HitCase{121, 8, {}, true},
        HitCase{122, 8, {}, false}));

INSTANTIATE_TEST_SUITE_P(Rows, ButtonHitTest,
                         ::testing::Values(HitCase{30, 0, {}, false},
                                           HitCase{30, 1, {kPlay}, false},
                                           HitCase{30, 16, {kPlay}, false},
                                           HitCase{30, 17, {}, false}, HitCase{110, 0, {}, false},
                                           HitCase{110, 1, {}, true}, HitCase{110, 16, {}, true},
                                           HitCase{110, 17, {}, false},
                                           // Off the surface after a press on it.
                                           HitCase{-5, 8, {}, false}, HitCase{30, -1, {}, false},
                                           HitCase{30, 40, {}, false}, HitCase{200, 8, {}, false}));

TEST_F(ButtonBarTest, EveryMouseButtonActsAlike) {
    for (const std::int16_t button : {kLeft, kRight, kMiddle, std::int16_t{kLeft | kRight}}) {
        Release(30, 8, button);
    }
    EXPECT_EQ(Received(), (Commands{kPlay, kPlay, kPlay, kPlay}));
}

TEST_F(ButtonBarTest, APressOnOneButtonReleasedOverAnotherActsOnTheSecond) {
    auto& events = app.MainForm().events();
    events.OnMouseDown(FrmMain::picButtons, kLeft, 0, 30, 8);  // on play
    events.OnMouseMove(FrmMain::picButtons, kLeft, 0, 60, 8);
    events.OnMouseUp(FrmMain::picButtons, kLeft, 0, 90, 8);  // over next
    EXPECT_EQ(Received(), Commands{kNext});
}

TEST_F(ButtonBarTest, ReleasesElsewhereOnTheMainWindowDoNothingToThePlayer) {
    app.MainForm().events().OnMouseUp(platform::kFormSurface, kLeft, 0, 30, 8);
    EXPECT_TRUE(Received().empty());
}

TEST_F(ButtonBarTest, PreviousShowsTheSongThatWasPlayingThenSkipsBack) {
    app.desktop.Other(player)->captionOnCommand[kPrevious] = "3. Earlier - Track - Winamp";
    Release(8, 8);
    EXPECT_EQ(Received(), Commands{kPrevious});
    EXPECT_EQ(main->SongTitle, "Artist - Song");
    ASSERT_NE(Display(), nullptr);
    EXPECT_EQ(Display()->ControlText(FrmSongShow::lblSong), "Artist - Song");
    EXPECT_EQ(app.desktop.Other(player)->caption, "3. Earlier - Track - Winamp");
}

TEST_F(ButtonBarTest, InformationShowsTheCurrentSongAndSendsNothing) {
    Release(110, 8);
    EXPECT_TRUE(Received().empty());
    ASSERT_NE(Display(), nullptr);
    EXPECT_EQ(Display()->ControlText(FrmSongShow::lblSong), "Artist - Song");
}

TEST_F(ButtonBarTest, EachReleaseLooksThePlayerUpAfresh) {
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
    struct Step {
        float x;
        float y;
        std::string tip;
    };
    const std::vector<Step> path{
        {0, 8, ""},
        {1, 8, "Go to previous track in playlist"},
        {16, 16, "Go to previous track in playlist"},
        {17, 8, ""},
        {21, 1, "Play current track"},
        {37, 8, "Play current track"},
        {40, 8, ""},
        {42, 8, "Pause playing track"},
        {50, 0, ""},
        {58, 8, "Pause playing track"},
        {63, 8, "Stop playing track"},
        {70, 17, ""},
        {79, 8, "Stop playing track"},
        {84, 8, "Go to next track in playlist"},
        {100, 8, "Go to next track in playlist"},
        {101, 8, ""},
        {105, 8, "Show track information"},
        {121, 16, "Show track information"},
        {122, 8, ""},
        {8, 8, "Go to previous track in playlist"},
    };
    for (const Step& step : path) {
        MoveTo(step.x, step.y);
        EXPECT_EQ(app.MainForm().toolTip(FrmMain::picButtons), step.tip)
            << "at " << step.x << ", " << step.y;
    }
    EXPECT_TRUE(Received().empty()) << "moving never acts";
}

// The canvas log of the first button, from the load's painting.
std::vector<std::string> FirstButton(const std::vector<std::string>& log) {
    const auto next = std::find_if(log.begin() + 1, log.end(), [](const std::string& entry) {
        return entry.rfind("box ", 0) == 0;
    });
    return {log.begin(), next};
}

TEST_F(ButtonBarTest, AButtonIsPaintedFaceEdgesThenGlyph) {
    const auto& log = app.MainForm().canvas(FrmMain::picButtons).log;
    ASSERT_FALSE(log.empty());
    const auto first = FirstButton(log);
    ASSERT_GT(first.size(), 5u);
    const std::vector<std::string> face(first.begin(), first.begin() + 5);
    EXPECT_EQ(face, (std::vector<std::string>{
                        "box 1,1 16,16 filled #CCCCCC",
                        "line 1,16 17,16 #000000 w1",
                        "line 16,1 16,16 #000000 w1",
                        "line 1,1 1,16 #FFFFFF w1",
                        "line 1,1 16,1 #FFFFFF w1",
                    }));
    // The glyph follows in the window-text colour, inside the face and in
    // the cell that starts three columns in.
    for (auto it = first.begin() + 5; it != first.end(); ++it) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        char colour[16] = {};
        ASSERT_EQ(std::sscanf(it->c_str(), "line %d,%d %d,%d %15s", &x1, &y1, &x2, &y2, colour), 5)
            << *it;
        EXPECT_STREQ(colour, "sys8") << *it;
        EXPECT_EQ(x1, x2) << *it;
        EXPECT_GE(x1, 4) << *it;
        EXPECT_LE(x1, 14) << *it;
        EXPECT_GE(y1, 2) << *it;
        EXPECT_LE(y2, 16) << *it;
    }
}

TEST_F(ButtonBarTest, TheSixButtonsArePaintedOnceLeftToRightAtTheirColumns) {
    const auto& log = app.MainForm().canvas(FrmMain::picButtons).log;
    std::vector<std::string> boxes;
    std::copy_if(log.begin(), log.end(), std::back_inserter(boxes),
                 [](const std::string& entry) { return entry.rfind("box ", 0) == 0; });
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "box 1,1 16,16 filled #CCCCCC",
                         "box 21,1 37,16 filled #CCCCCC",
                         "box 42,1 58,16 filled #CCCCCC",
                         "box 63,1 79,16 filled #CCCCCC",
                         "box 84,1 100,16 filled #CCCCCC",
                         "box 105,1 121,16 filled #CCCCCC",
                     }));
    // The last button's edges, to see the right edges 21 columns apart.
    const std::vector<std::string> last{
        "line 105,16 122,16 #000000 w1", "line 121,1 121,16 #000000 w1",
        "line 105,1 105,16 #FFFFFF w1", "line 105,1 121,1 #FFFFFF w1"};
    const auto at = std::search(log.begin(), log.end(), last.begin(), last.end());
    EXPECT_NE(at, log.end());
}

TEST_F(ButtonBarTest, EachGlyphIsDrawnAndDiffersFromTheOthers) {
    const auto& log = app.MainForm().canvas(FrmMain::picButtons).log;
    // Glyph lines of each button, shifted back to the button's own left edge.
    std::vector<std::vector<std::string>> glyphs;
    int left = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].rfind("box ", 0) == 0) {
            std::sscanf(log[i].c_str(), "box %d", &left);
            glyphs.emplace_back();
            i += 4;
            continue;
        }
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_EQ(std::sscanf(log[i].c_str(), "line %d,%d %d,%d", &x1, &y1, &x2, &y2), 4);
        ASSERT_FALSE(glyphs.empty());
        glyphs.back().push_back(std::to_string(x1 - left) + "," + std::to_string(y1) + "-" +
                                std::to_string(y2));
    }
    ASSERT_EQ(glyphs.size(), 6u);
    for (std::size_t a = 0; a < glyphs.size(); ++a) {
        EXPECT_FALSE(glyphs[a].empty()) << "button " << a + 1;
        for (std::size_t b = a + 1; b < glyphs.size(); ++b) {
            EXPECT_NE(glyphs[a], glyphs[b]) << "buttons " << a + 1 << " and " << b + 1;
        }
    }
}

}  // namespace
}  // namespace tw
