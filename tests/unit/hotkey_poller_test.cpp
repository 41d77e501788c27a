// The global hotkeys: Control with a keypad key, read by the main window's timer.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "songshow/frm_song_show.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Commands = std::vector<std::uint32_t>;
using test::kControl;

using player::PlayerCommand;
using test::Id;
const std::uint32_t kPrevious = Id(PlayerCommand::Previous), kPlay = Id(PlayerCommand::Play),
                    kStop = Id(PlayerCommand::Stop), kNext = Id(PlayerCommand::Next),
                    kJump = Id(PlayerCommand::JumpToFile);

using HotkeyPollerTest = test::PlayerTest;

// That each chord sends its command its number of times in a tick, and a title row none, is
// the end-to-end test's (hotkeys_test.cpp), which checks the whole map.
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

TEST_F(HotkeyPollerTest, AHeldChordFiresEveryTickABriefOneOnlyForTheFirstRow) {
    for (const int key : {107, kControl}) {  // without Control, then Control alone: nothing
        app.desktop.KeyDown(key);
        app.desktop.Advance(500ms);
        app.desktop.KeyUp(key);
        app.desktop.Advance(250ms);  // the key's low bit is spent
    }
    EXPECT_TRUE(Received().empty());

    // The first row's query of Control consumes its low bit before later rows look.
    app.desktop.KeyTap(kControl);
    app.desktop.KeyTap(99);
    app.desktop.Advance(250ms);
    app.desktop.KeyTap(kControl);
    app.desktop.KeyTap(96);
    app.desktop.Advance(750ms);
    EXPECT_EQ(Received(), Commands{kPlay}) << "the low bits were consumed by the first tick";

    app.desktop.KeyDown(kControl);
    app.desktop.KeyDown(99);
    app.desktop.Advance(249ms);
    EXPECT_EQ(Received(), Commands{kPlay}) << "not before the tick";
    app.desktop.Advance(751ms);
    EXPECT_EQ(Received(), (Commands{kPlay, kNext, kNext, kNext, kNext}));
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

}  // namespace
}  // namespace tw
