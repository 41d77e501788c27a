#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "songshow/frm_song_show.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;

constexpr int kControl = 17;

class SongShowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = app.desktop.AddPlayer("12. Artist - Song - Winamp");
        game = app.desktop.AddWindow("Valve001", "Counter-Strike");
        main = &app.Start();
        app.desktop.foreground = game;  // the user went back to the game
    }

    // What the user does to see the song: Control with keypad 8, for one tick.
    void ShowSongByHotkey() {
        app.desktop.Press(kControl);
        app.desktop.Press(104);
        app.desktop.Advance(250ms);
        app.desktop.Release(104);
        app.desktop.Release(kControl);
    }

    sim::SimForm* Display() { return app.desktop.FindForm("frmSongShow"); }

    test::TestApp app;
    FrmMain* main = nullptr;
    platform::WindowHandle player = 0;
    platform::WindowHandle game = 0;
};

TEST_F(SongShowTest, TheDesignIsASmallDarkBoxWithACentredWrappingLabel) {
    const platform::FormDesc design = FrmSongShow::Design();
    EXPECT_EQ(design.width, 4185);
    EXPECT_EQ(design.height, 870);
    EXPECT_EQ(design.backColour, 0x404040u);
    EXPECT_EQ(design.frame, platform::FrameKind::None);
    EXPECT_FALSE(design.showInTaskbar);
    EXPECT_FALSE(design.activateWhenShown);
    ASSERT_EQ(design.controls.size(), 1u);
    const platform::ControlDesc& label = design.controls[0];
    EXPECT_EQ(label.id, FrmSongShow::lblSong);
    EXPECT_EQ(label.kind, platform::ControlKind::Label);
    EXPECT_EQ(label.rect, (platform::TwipRect{60, 120, 4065, 675}));
    EXPECT_TRUE(label.transparent);
    EXPECT_EQ(label.foreColour, 0xFFFFFFu);
    EXPECT_EQ(label.font.face, "Arial");
    EXPECT_EQ(label.font.points, 9.75f);
    EXPECT_FALSE(label.font.bold);
    EXPECT_EQ(label.align, platform::TextAlign::Centre);
    EXPECT_TRUE(label.wrap);
    EXPECT_EQ(label.text, "");
}

TEST_F(SongShowTest, TheHotkeyShowsTheSongAtTheTopCentreAboveEverything) {
    ShowSongByHotkey();
    EXPECT_EQ(main->SongTitle, "Artist - Song");
    sim::SimForm* display = Display();
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(display->IsVisible());
    EXPECT_EQ(display->ControlText(FrmSongShow::lblSong), "Artist - Song");
    EXPECT_EQ(display->Bounds(), (platform::TwipRect{(15360 - 4185) / 2.0f, 75, 4185, 870}));
    EXPECT_TRUE(app.desktop.IsTopmost(display->Handle()));
    EXPECT_EQ(app.desktop.foreground, game) << "the game keeps the keyboard";
}

TEST_F(SongShowTest, ThePlaceFollowsThePrimaryScreenNotTheMainWindow) {
    app.desktop.screen = {1280, 1024, 12, 12};
    app.MainForm().Move(0, 9000, 2835, 4350);
    main->GetSongTitle();
    EXPECT_EQ(Display()->Bounds(), (platform::TwipRect{(15360 - 4185) / 2.0f, 60, 4185, 870}));
}

TEST_F(SongShowTest, TheDisplayUnloadsTwoSecondsAfterItWasShownLeavingTheTopmostBandFirst) {
    main->GetSongTitle();
    const auto handle = Display()->Handle();

    app.desktop.Advance(1999ms);
    ASSERT_NE(Display(), nullptr);
    EXPECT_TRUE(app.desktop.IsTopmost(handle));

    app.desktop.Advance(1ms);
    EXPECT_EQ(Display(), nullptr);
    const std::vector<std::pair<platform::WindowHandle, bool>> changes{{handle, true},
                                                                       {handle, false}};
    EXPECT_EQ(app.desktop.topmostChanges, changes) << "out of the band while it still existed";
    app.forms->ReleaseUnloaded();
    EXPECT_EQ(app.forms->frmSongShowIfLoaded(), nullptr);
}

TEST_F(SongShowTest, TwoShowingsWithinTheTimeReuseOneWindowWithTheSecondTitle) {
    ShowSongByHotkey();
    const auto handle = Display()->Handle();
    app.desktop.Other(player)->caption = "13. Other - Tune - Winamp";
    app.desktop.Advance(750ms);
    ShowSongByHotkey();

    sim::SimForm* display = Display();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->Handle(), handle);
    EXPECT_EQ(display->timesShown, 2);
    EXPECT_TRUE(display->IsVisible());
    EXPECT_EQ(display->ControlText(FrmSongShow::lblSong), "Other - Tune");
    EXPECT_EQ(main->SongTitle, "Other - Tune");

    app.desktop.Advance(2000ms);
    EXPECT_EQ(Display(), nullptr);
    ShowSongByHotkey();
    ASSERT_NE(Display(), nullptr) << "the next showing loads a new window";
    EXPECT_NE(Display()->Handle(), handle);
}

TEST_F(SongShowTest, TheFrameIsDrawnOnEveryShowing) {
    const std::vector<std::string> frame{
        "line 4170,0 4170,870 #000000 w1",
        "line 0,855 4185,855 #000000 w1",
        "line 0,0 4185,0 #FFFFFF w1",
        "line 0,0 0,870 #FFFFFF w1",
        "refresh",
    };
    main->GetSongTitle();
    auto& canvas = Display()->canvas(platform::kFormSurface);
    EXPECT_EQ(canvas.log, frame);

    main->GetSongTitle();
    std::vector<std::string> twice = frame;
    twice.insert(twice.end(), frame.begin(), frame.end());
    EXPECT_EQ(canvas.log, twice);
}

TEST_F(SongShowTest, TheDisplayIsPlacedWhileHiddenAndShownLast) {
    main->GetSongTitle();
    app.desktop.Advance(500ms);
    auto* display = Display();
    display->Move(0, 0, 4185, 870);  // as if dragged away
    main->GetSongTitle();
    EXPECT_EQ(display->Bounds().left, (15360 - 4185) / 2.0f);
    EXPECT_EQ(display->timesShown, 2);
    EXPECT_TRUE(display->IsVisible());
}

TEST_F(SongShowTest, WithoutAPlayerAnEmptyDisplayIsShownForTheSameTime) {
    ShowSongByHotkey();  // an earlier title, to see that it is replaced
    ASSERT_EQ(main->SongTitle, "Artist - Song");
    app.desktop.Advance(2000ms);
    app.desktop.RemoveWindow(player);
    ShowSongByHotkey();
    EXPECT_EQ(main->SongTitle, "");
    ASSERT_NE(Display(), nullptr);
    EXPECT_EQ(Display()->ControlText(FrmSongShow::lblSong), "");
    app.desktop.Advance(2000ms);
    EXPECT_EQ(Display(), nullptr);
}

TEST_F(SongShowTest, ACaptionWithoutTheMarkerShowsAnEmptyDisplay) {
    app.desktop.Other(player)->caption = "Winamp 2.91";
    ShowSongByHotkey();
    ASSERT_NE(Display(), nullptr);
    EXPECT_EQ(Display()->ControlText(FrmSongShow::lblSong), "");
}

TEST_F(SongShowTest, ThePreviousHotkeyShowsTheSongBeforeItSkipsBack) {
    app.desktop.Other(player)->captionOnCommand[40044] = "11. Earlier - Track - Winamp";
    app.desktop.Press(kControl);
    app.desktop.Press(97);
    app.desktop.Advance(250ms);

    EXPECT_EQ(app.desktop.CommandsTo(player), std::vector<std::uint32_t>{40044});
    ASSERT_NE(Display(), nullptr);
    EXPECT_EQ(Display()->ControlText(FrmSongShow::lblSong), "Artist - Song");
    EXPECT_EQ(app.desktop.foreground, game);
}

TEST_F(SongShowTest, OtherHotkeysShowNothing) {
    for (const int key : {96, 98, 99, 105, 107, 109}) {
        app.desktop.Press(kControl);
        app.desktop.Press(key);
        app.desktop.Advance(250ms);
        app.desktop.Release(key);
        app.desktop.Release(kControl);
    }
    EXPECT_EQ(Display(), nullptr);
}

}  // namespace
}  // namespace tw
