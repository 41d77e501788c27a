// The global hotkeys: Control with a keypad key, read by the main window's timer; and the song
// display they bring up, for two seconds at the top centre of the screen, above every window,
// without taking the keyboard from the game.
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
using Commands = std::vector<std::uint32_t>;
using test::kControl;

using platform::TwipRect;
using player::PlayerCommand;
using test::Id;
using test::kJump;
using test::kNext;
using test::kPause;
using test::kPlay;
using test::kPrevious;
using test::kStop;
using test::Since;

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

// What one firing of each row sends to a Winamp-class player (the end-to-end test sends the
// chords for real), and the firings of a chord held for a second (four ticks): every row acts
// on each tick it is held but Pause, a toggle that would undo itself on the next tick.
const struct {
    int key;
    Commands sends;
    int heldFirings;
    bool showsSong = false;
} kRows[] = {
    {96, {kPlay}, 4},
    {110, {kStop}, 4},
    {97, {kPrevious}, 4, true},
    {98, {kPause}, 1},
    {99, {kNext}, 4},
    {100, {Id(PlayerCommand::Rewind)}, 4},
    {101, {kJump}, 4},
    {102, {Id(PlayerCommand::FastForward)}, 4},
    {103, Commands(5, Id(PlayerCommand::VolumeDown)), 4},
    {104, {}, 4, true},
    {105, Commands(5, Id(PlayerCommand::VolumeUp)), 4},
    {107, Commands(10, kNext), 4},
    {109, Commands(10, kPrevious), 4},
};

TEST_F(HotkeyPollerTest, ABriefChordFiresEveryRowOnceAHeldOneEachTickButPauseOncePerPress) {
    for (const int key : {107, kControl}) {  // without Control, then Control alone: nothing
        app.desktop.KeyDown(key);
        app.desktop.Advance(500ms);
        app.desktop.KeyUp(key);
        app.desktop.Advance(250ms);  // the key's low bit is spent
    }
    EXPECT_TRUE(Received().empty());
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.key);
        app.desktop.Advance(2000ms);  // the song display of the row before is gone
        const auto before = Received().size();
        const int reads = app.desktop.keyStateReads;
        // Down and up between two ticks: only the keys' "pressed since" bits tell.
        app.desktop.KeyTap(kControl);
        app.desktop.KeyTap(row.key);
        app.desktop.Advance(500ms);
        EXPECT_EQ(app.desktop.keyStateReads - reads, 2 * 14) << "Control once a tick";
        // Held for a second; the key let go for a tick, Control not; then held for a tick.
        app.desktop.KeyDown(kControl);
        app.desktop.KeyDown(row.key);
        app.desktop.Advance(1000ms);
        app.desktop.KeyUp(row.key);
        app.desktop.Advance(250ms);
        app.Chord(row.key);
        const int firings = 1 + row.heldFirings + 1;
        Commands expected;
        for (int i = 0; i < firings; ++i) {
            expected.insert(expected.end(), row.sends.begin(), row.sends.end());
        }
        EXPECT_EQ(Since(Received(), before), expected);
        EXPECT_EQ(app.Display() ? app.Display()->timesShown() : 0, row.showsSong ? firings : 0);
    }
}

TEST_F(HotkeyPollerTest, NoPlayerALaterOneOrOneClosingBetweenLookupAndSend) {
    app.desktop.RemoveWindow(player);
    for (const int key : {96, 101, 107}) {
        app.Chord(key);
    }
    player = app.desktop.AddPlayer();
    app.Chord(96);
    EXPECT_EQ(Received(), Commands{kPlay}) << "each action looks the player up afresh";
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
    EXPECT_FALSE(app.desktop.IsTopmost(dialog));
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

// Topmost, for two seconds, with the focus left to the game: also the end-to-end test
// (hotkeys_test.cpp). Here the exact place, which follows the screen, not the bar, and a second
// showing, which reuses the window.
TEST_F(SongShowTest, TheHotkeyShowsTheSongAtTheTopCentreAndASecondShowingReusesTheWindow) {
    app.MainForm().Move(0, 9000, 2835, 4350);
    app.Chord(104);
    auto* display = app.Display();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(Shown(), "Artist - Song");
    // 372.5 pixels from the left: Windows takes the next whole one.
    EXPECT_EQ(display->Bounds(), (TwipRect{373 * 15, 75, 4185, 870}));
    EXPECT_TRUE(app.desktop.IsTopmost(display->Handle()));
    EXPECT_FALSE(display->IsActive());
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

TEST_F(SongShowTest, PreviousShowsTheSongBeforeItSkipsBack) {
    app.desktop.Other(player)->captionOnCommand[kPrevious] = "2. Earlier - Track - Winamp";
    app.Chord(97);
    ASSERT_NE(app.Display(), nullptr);
    EXPECT_EQ(Shown(), "Artist - Song");
    EXPECT_EQ(app.desktop.Foreground(), game);
}

}  // namespace
}  // namespace tw
