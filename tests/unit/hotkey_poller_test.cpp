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

constexpr std::uint32_t kPrevious = 40044, kPlay = 40045, kPause = 40046, kStop = 40047,
                        kNext = 40048, kVolumeUp = 40058, kVolumeDown = 40059, kRewind = 40144,
                        kFastForward = 40148, kJump = 40194;

Commands Repeat(std::uint32_t id, int times) {
    return Commands(static_cast<std::size_t>(times), id);
}

class HotkeyPollerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = app.desktop.AddPlayer("3. Artist - Song - Winamp");
        app.Start();
    }
    Commands Received() { return app.desktop.CommandsTo(player); }

    test::TestApp app;
    platform::WindowHandle player = 0;
};

TEST_F(HotkeyPollerTest, ControlWithTheKeySendsItsCommandsInOneTick) {
    const struct {
        int key;
        std::uint32_t command;
        int times;
    } rows[] = {{96, kPlay, 1},      {110, kStop, 1},        {97, kPrevious, 1},
                {98, kPause, 1},     {99, kNext, 1},         {100, kRewind, 1},
                {101, kJump, 1},     {102, kFastForward, 1}, {103, kVolumeDown, 5},
                {104, 0, 0},         {105, kVolumeUp, 5},    {107, kNext, 10},
                {109, kPrevious, 10}};
    for (const auto& row : rows) {
        const auto before = Received().size();
        app.Chord(row.key);
        const auto all = Received();
        EXPECT_EQ(Commands(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()),
                  Repeat(row.command, row.times))
            << "key " << row.key;
    }
}

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

TEST_F(HotkeyPollerTest, AHeldChordFiresOnEveryTickFromTheFirst) {
    app.desktop.KeyDown(kControl);
    app.desktop.KeyDown(105);
    app.desktop.Advance(249ms);
    EXPECT_TRUE(Received().empty());
    app.desktop.Advance(751ms);
    EXPECT_EQ(Received(), Repeat(kVolumeUp, 20));
}

TEST_F(HotkeyPollerTest, ABriefPressBetweenTicksFiresOnlyForTheFirstRow) {
    // The first row's query of Control consumes its low bit before later rows look.
    app.desktop.KeyTap(kControl);
    app.desktop.KeyTap(99);
    app.desktop.Advance(250ms);
    EXPECT_TRUE(Received().empty());

    app.desktop.KeyTap(kControl);
    app.desktop.KeyTap(96);
    app.desktop.Advance(750ms);
    EXPECT_EQ(Received(), Commands{kPlay}) << "the low bits were consumed by the first tick";

    app.desktop.KeyDown(kControl);
    app.desktop.KeyTap(99);
    app.desktop.Advance(250ms);
    EXPECT_EQ(Received(), (Commands{kPlay, kNext})) << "Control really held";
}

TEST_F(HotkeyPollerTest, KeysWithoutControlOrControlAloneDoNothing) {
    app.desktop.KeyDown(107);
    app.desktop.Advance(500ms);
    app.desktop.KeyUp(107);
    app.desktop.Advance(250ms);  // the key's low bit is spent; now Control alone
    app.desktop.KeyDown(kControl);
    app.desktop.Advance(500ms);
    EXPECT_TRUE(Received().empty());
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
    Commands expected = Repeat(kNext, 11);
    expected.front() = kJump;
    EXPECT_EQ(Received(), expected) << "the next action tries again";
}

TEST_F(HotkeyPollerTest, AnIdleTickReadsTwentySixKeyStatesAndLooksUpNothing) {
    const int readsBefore = app.desktop.keyStateReads;
    const int lookupsBefore = app.desktop.windowLookups;
    app.desktop.Advance(250ms);
    EXPECT_EQ(app.desktop.keyStateReads - readsBefore, 26);
    EXPECT_EQ(app.desktop.windowLookups, lookupsBefore);
}

}  // namespace
}  // namespace tw
