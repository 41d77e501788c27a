// The global hotkeys: Control with a keypad key, read by the main window's timer; and the song
// display they bring up, for two seconds at the top centre of the screen, above every window,
// without taking the keyboard from the game.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "songshow/frm_song_show.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Commands = std::vector<std::uint32_t>;
using test::kControl;

using platform::TwipRect;
using test::kJump;
using test::kNext;
using test::kPlay;
using test::kPrevious;
using test::kStop;

using HotkeyPollerTest = test::PlayerTest;

TEST_F(HotkeyPollerTest, RowsFiringTogetherActInTableOrder) {
    app.desktop.KeyDown(kControl);
    app.desktop.KeyDown(110);  // decimal point, tested second
    app.desktop.KeyDown(96);   // keypad 0, tested first
    app.desktop.KeyDown(109);  // minus, tested last
    app.desktop.Advance(250ms);
    Commands expected{kPlay, kStop};
    expected.resize(12, kPrevious);
    EXPECT_EQ(Received(), expected);
}

TEST_F(HotkeyPollerTest, ABriefChordFiresEveryRowOnceAHeldOneEachTickButPauseOncePerPress) {
    for (const int key : {107, kControl}) {  // without Control, then Control alone: nothing
        app.desktop.KeyDown(key);
        app.desktop.Advance(500ms);
        app.desktop.KeyUp(key);
        app.desktop.Advance(250ms);  // the key's low bit is spent
    }
    EXPECT_TRUE(Received().empty());
    // What the keys did: commands sent, and player lookups, one a firing (two for Jump To).
    const auto did = [&](const std::function<void()>& keys) {
        const auto sent = Received().size();
        const int lookups = app.desktop.windowLookups;
        keys();
        return std::pair(Received().size() - sent, app.desktop.windowLookups - lookups);
    };
    for (const int key : {96, 110, 97, 98, 99, 100, 101, 102, 103, 104, 105, 107, 109}) {
        SCOPED_TRACE(key);
        const int reads = app.desktop.keyStateReads;
        // Down and up between two ticks: only the keys' "pressed since" bits tell.
        const auto tapped = did([&] {
            app.desktop.KeyTap(kControl);
            app.desktop.KeyTap(key);
            app.desktop.Advance(500ms);
        });
        EXPECT_EQ(app.desktop.keyStateReads - reads, 2 * 14) << "Control once a tick";
        // Held for a second (four ticks), let go for a tick, then tapped between two ticks,
        // with Control held all along: the tap is a press of its own.
        const auto held = did([&] {
            app.desktop.KeyDown(kControl);
            app.desktop.KeyDown(key);
            app.desktop.Advance(1000ms);
            app.desktop.KeyUp(key);
            app.desktop.Advance(250ms);
            app.desktop.KeyTap(key);
            app.desktop.Advance(250ms);
            app.desktop.KeyUp(kControl);
        });
        const auto once = did([&] { app.Chord(key); });  // seen by one tick
        EXPECT_GT(once.second, 0);
        EXPECT_EQ(tapped, once);
        const int n = key == 98 ? 2 : 5;  // Pause, a toggle, once per press
        EXPECT_EQ(held, std::pair(n * once.first, n * once.second));
    }
}

// No player at first and one started later: the end-to-end test (lifecycle_test.cpp).
TEST_F(HotkeyPollerTest, APlayerClosingBetweenLookupAndSend) {
    app.desktop.Other(player)->closesWhenFound = true;
    for (const int key : {97, 101, 104, 107}) {
        app.Chord(key);
    }
    EXPECT_EQ(app.desktop.Other(player), nullptr);
    EXPECT_FALSE(app.desktop.processEnded);
    ASSERT_NE(app.Form("frmSongShow"), nullptr);
    EXPECT_EQ(app.forms.Loaded<FrmMain>()->SongTitle, "")
        << "the title of a vanished player is empty";
}

TEST_F(HotkeyPollerTest, JumpToBringsTheDialogForwardUnlessThePlayerHangs) {
    app.Chord(101);
    const auto dialog = app.desktop.FindTopLevelWindow("#32770", std::string_view("Jump to file"));
    ASSERT_NE(dialog, 0u) << "the player opens its dialog while handling the command";
    EXPECT_EQ(app.desktop.Foreground(), dialog);

    app.desktop.BringToForeground(player);
    // The player hangs with its dialog still open, both on its one thread.
    app.desktop.Other(player)->hung = true;
    app.desktop.Other(dialog)->hung = true;
    const auto bandChanges = app.desktop.topmostChanges.size();
    const int lookups = app.desktop.windowLookups;
    app.Chord(107);
    app.Chord(101);
    EXPECT_EQ(app.desktop.Other(player)->sendAttempts, 3) << "one per action, not per repetition";
    EXPECT_EQ(app.desktop.windowLookups - lookups, 2) << "no dialog looked for after the timeout";
    EXPECT_EQ(app.desktop.topmostChanges.size(), bandChanges);
    EXPECT_EQ(app.desktop.Foreground(), player);

    app.desktop.Other(player)->hung = false;
    app.Chord(107);
    Commands expected(11, kNext);
    expected.front() = kJump;
    EXPECT_EQ(Received(), expected) << "the next action tries again";
}

class SongShowTest : public test::PlayerTest {
  protected:
    std::string Shown() { return app.Display()->ControlText(FrmSongShow::lblSong); }
};

// Topmost, for two seconds, with the focus left to the game: the end-to-end test
// (hotkeys_test.cpp), and on the game's monitor, not the bar's (monitors_test.cpp). Here the
// exact place, and a second showing, which reuses the window.
TEST_F(SongShowTest, TheHotkeyShowsTheSongAtTheTopCentreAndASecondShowingReusesTheWindow) {
    app.MainForm().Move(0, 9000, 2835, 4350);
    app.Chord(104);
    auto* display = app.Display();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(Shown(), "Artist - Song");
    // 372.5 pixels from the left: Windows takes the next whole one.
    EXPECT_EQ(display->Bounds(), (TwipRect{373 * 15, 75, 4185, 870}));
    const std::vector<std::string> frame = display->canvas(platform::kFormSurface).log;
    ASSERT_FALSE(frame.empty());
    display->Move(0, 0, 4185, 870);  // as if dragged away
    app.desktop.Other(player)->caption = "4. Other - Tune - Winamp";
    app.desktop.Advance(750ms);
    app.Chord(104);

    ASSERT_EQ(app.Display(), display);
    EXPECT_EQ(display->timesHidden(), 0) << "shown again without flashing";
    EXPECT_EQ(display->Bounds().left, 373 * 15);
    EXPECT_EQ(Shown(), "Other - Tune");
    std::vector<std::string> twice = frame;
    twice.insert(twice.end(), frame.begin(), frame.end());
    EXPECT_EQ(display->canvas(platform::kFormSurface).log, twice);

    app.desktop.Advance(1999ms);
    ASSERT_EQ(app.Display(), display) << "two seconds from the second showing";
    const auto handle = display->Handle();
    app.desktop.Advance(1ms);
    EXPECT_EQ(app.Display(), nullptr);
    EXPECT_EQ(app.desktop.topmostChanges.back(), std::pair(handle, false))
        << "out of the band while it still existed";
    app.desktop.RemoveWindow(player);
    app.Chord(104);
    ASSERT_NE(app.Display(), nullptr) << "the next showing loads a new window";
    EXPECT_EQ(Shown(), "No song is playing") << "no player: a notice, not an empty box";
}

// The hotkey and the bar's button alike.
TEST_F(SongShowTest, PreviousShowsTheSongBeforeItSkipsBack) {
    auto& captions = app.desktop.Other(player)->captionOnCommand;
    captions[kPrevious] = "2. Earlier - Track - Winamp";
    app.Chord(97);
    EXPECT_EQ(Shown(), "Artist - Song");
    EXPECT_EQ(app.desktop.Foreground(), game);
    captions[kPrevious] = "1. First - Track - Winamp";
    app.desktop.Click(app.Bar(8, 8));
    EXPECT_EQ(Shown(), "Earlier - Track");
    EXPECT_EQ(Received(), (Commands{kPrevious, kPrevious}));
}

}  // namespace
}  // namespace tw
