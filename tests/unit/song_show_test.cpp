// The song display: the title for two seconds at the top centre of the screen,
// above every window, without taking the keyboard from the game.
#include "songshow/frm_song_show.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;

using platform::TwipRect;

class SongShowTest : public test::PlayerTest {
  protected:
    void SetUp() override {
        game = app.desktop.AddWindow("Valve001", "Counter-Strike");
        PlayerTest::SetUp();
        app.desktop.BringToForeground(game);  // the user went back to the game
    }
    std::string Shown() { return app.Display()->ControlText(FrmSongShow::lblSong); }

    platform::WindowHandle game = 0;
};

// Topmost, for two seconds, with the focus left to the game: also the end-to-end test
// (songshow_test.cpp). Here the exact place, which follows the primary screen, not the bar.
TEST_F(SongShowTest, TheHotkeyShowsTheSongAtTheTopCentreAboveEverything) {
    for (const bool moved : {false, true}) {
        if (moved) {
            app.desktop.screen = {1280, 1024, 12, 12};
            app.MainForm().Move(0, 9000, 2835, 4350);
        }
        app.Chord(104);
        ASSERT_NE(app.Display(), nullptr);
        EXPECT_EQ(Shown(), "Artist - Song");
        // 372.5 pixels from the left: Windows takes the next whole one.
        EXPECT_EQ(app.Display()->Bounds(), (TwipRect{373 * 15, 75, 4185, 870}));
        EXPECT_TRUE(app.desktop.IsTopmost(app.Display()->Handle()));
        EXPECT_FALSE(app.Display()->IsActive());
    }
}

TEST_F(SongShowTest, TheDisplayUnloadsTwoSecondsLaterLeavingTheTopmostBandFirst) {
    main->GetSongTitle();
    const auto handle = app.Display()->Handle();
    app.desktop.Advance(1999ms);
    ASSERT_NE(app.Display(), nullptr);
    app.desktop.Advance(1ms);
    EXPECT_EQ(app.Display(), nullptr);
    const std::vector<std::pair<platform::WindowHandle, bool>> changes{{handle, true},
                                                                       {handle, false}};
    EXPECT_EQ(app.desktop.topmostChanges, changes) << "out of the band while it still existed";
}

TEST_F(SongShowTest, ASecondShowingReusesTheWindowPlacesItAgainAndRedrawsTheFrame) {
    app.Chord(104);
    auto* display = app.Display();
    const std::vector<std::string> frame = display->canvas(platform::kFormSurface).log;
    ASSERT_FALSE(frame.empty());
    display->Move(0, 0, 4185, 870);  // as if dragged away
    app.desktop.Other(player)->caption = "4. Other - Tune - Winamp";
    app.desktop.Advance(750ms);
    app.Chord(104);

    ASSERT_EQ(app.Display(), display);
    EXPECT_EQ(display->Bounds().left, 373 * 15);
    EXPECT_EQ(Shown(), "Other - Tune");
    std::vector<std::string> twice = frame;
    twice.insert(twice.end(), frame.begin(), frame.end());
    EXPECT_EQ(display->canvas(platform::kFormSurface).log, twice);

    app.desktop.Advance(2000ms);
    EXPECT_EQ(app.Display(), nullptr);
    app.desktop.RemoveWindow(player);
    app.Chord(104);
    ASSERT_NE(app.Display(), nullptr) << "the next showing loads a new window";
    EXPECT_EQ(Shown(), "No song is playing") << "no player: a notice, not an empty box";
}

TEST_F(SongShowTest, AHeldHotkeyKeepsTheDisplayUpWithoutFlashing) {
    app.desktop.KeyDown(test::kControl);
    app.desktop.KeyDown(104);
    app.desktop.Advance(250ms);
    sim::SimForm* display = app.Display();
    ASSERT_NE(display, nullptr);
    app.desktop.Advance(5000ms);
    ASSERT_EQ(app.Display(), display) << "every showing restarts its two seconds";
    EXPECT_TRUE(display->IsVisible());
    EXPECT_EQ(display->timesHidden(), 0);

    app.desktop.KeyUp(104);
    app.desktop.Advance(2000ms);
    EXPECT_EQ(app.Display(), nullptr);
}

TEST_F(SongShowTest, OfTheHotkeysOnlyPreviousShowsTheSongAndBeforeItSkipsBack) {
    for (const int key : {96, 98, 99, 105, 107, 109}) {
        app.Chord(key);
    }
    EXPECT_EQ(app.Display(), nullptr);
    app.desktop.Other(player)->captionOnCommand[test::Id(player::PlayerCommand::Previous)] =
        "2. Earlier - Track - Winamp";
    app.Chord(97);
    ASSERT_NE(app.Display(), nullptr);
    EXPECT_EQ(Shown(), "Artist - Song");
    EXPECT_EQ(app.desktop.Foreground(), game);
}

}  // namespace
}  // namespace tw
