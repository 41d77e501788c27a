#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "songshow/frm_song_show.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Commands = std::vector<std::uint32_t>;

constexpr int kControl = 17;
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

    // Holds Control with the key through exactly one tick.
    void Chord(int key) {
        app.desktop.Press(kControl);
        app.desktop.Press(key);
        app.desktop.Advance(250ms);
        app.desktop.Release(key);
        app.desktop.Release(kControl);
    }

    Commands Received() { return app.desktop.CommandsTo(player); }

    test::TestApp app;
    platform::WindowHandle player = 0;
};

struct RowCase {
    int key;
    Commands expected;
};

void PrintTo(const RowCase& c, std::ostream* out) {
    *out << "key " << c.key;
}

class HotkeyRowTest : public HotkeyPollerTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(HotkeyRowTest, ControlWithTheKeySendsItsCommandsInOneTick) {
    Chord(GetParam().key);
    EXPECT_EQ(Received(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HotkeyRowTest,
                         ::testing::Values(RowCase{96, {kPlay}}, RowCase{110, {kStop}},
                                           RowCase{97, {kPrevious}}, RowCase{98, {kPause}},
                                           RowCase{99, {kNext}}, RowCase{100, {kRewind}},
                                           RowCase{101, {kJump}}, RowCase{102, {kFastForward}},
                                           RowCase{103, Repeat(kVolumeDown, 5)}, RowCase{104, {}},
                                           RowCase{105, Repeat(kVolumeUp, 5)},
                                           RowCase{107, Repeat(kNext, 10)},
                                           RowCase{109, Repeat(kPrevious, 10)}));

TEST_F(HotkeyPollerTest, RowsFiringTogetherActInTableOrder) {
    app.desktop.Press(kControl);
    app.desktop.Press(110);  // decimal point, tested second
    app.desktop.Press(96);   // keypad 0, tested first
    app.desktop.Press(109);  // minus, tested last
    app.desktop.Advance(250ms);

    Commands expected{kPlay, kStop};
    const auto back = Repeat(kPrevious, 10);
    expected.insert(expected.end(), back.begin(), back.end());
    EXPECT_EQ(Received(), expected);
}

TEST_F(HotkeyPollerTest, AHeldChordFiresOnEveryTick) {
    app.desktop.Press(kControl);
    app.desktop.Press(105);
    app.desktop.Advance(1000ms);
    EXPECT_EQ(Received(), Repeat(kVolumeUp, 20));
}

TEST_F(HotkeyPollerTest, NothingFiresBeforeTheFirstTick) {
    app.desktop.Press(kControl);
    app.desktop.Press(96);
    app.desktop.Advance(249ms);
    EXPECT_TRUE(Received().empty());
    app.desktop.Advance(1ms);
    EXPECT_EQ(Received(), Commands{kPlay});
}

TEST_F(HotkeyPollerTest, ABriefPressBetweenTicksFiresOnceOnlyForTheFirstRow) {
    app.desktop.Tap(kControl);
    app.desktop.Tap(96);
    app.desktop.Advance(250ms);
    EXPECT_EQ(Received(), Commands{kPlay});

    app.desktop.Advance(500ms);
    EXPECT_EQ(Received(), Commands{kPlay}) << "the low bits were consumed by the first tick";
}

TEST_F(HotkeyPollerTest, ABriefPressWithALaterRowDoesNotFire) {
    // The first row's query of Control consumes its low bit before row 5 looks.
    app.desktop.Tap(kControl);
    app.desktop.Tap(99);
    app.desktop.Advance(250ms);
    EXPECT_TRUE(Received().empty());
}

TEST_F(HotkeyPollerTest, ALaterRowFiresWhileControlIsReallyHeld) {
    app.desktop.Press(kControl);
    app.desktop.Tap(99);
    app.desktop.Advance(250ms);
    EXPECT_EQ(Received(), Commands{kNext});
}

TEST_F(HotkeyPollerTest, KeysWithoutControlOrControlAloneDoNothing) {
    app.desktop.Press(96);
    app.desktop.Press(107);
    app.desktop.Advance(1000ms);
    app.desktop.Release(96);
    app.desktop.Release(107);
    app.desktop.Advance(250ms);  // the keys' low bits are spent; now Control alone
    app.desktop.Press(kControl);
    app.desktop.Advance(1000ms);
    EXPECT_TRUE(Received().empty());
}

TEST_F(HotkeyPollerTest, WithNumLockOffOnlyPlusAndMinusFire) {
    // Without Num Lock the digit and decimal keys report the navigation keys.
    const int navigationKeys[] = {45, 46, 35, 40, 34, 37, 12, 39, 36, 38, 33};
    app.desktop.Press(kControl);
    for (const int key : navigationKeys) {
        app.desktop.Press(key);
    }
    app.desktop.Advance(250ms);
    EXPECT_TRUE(Received().empty());

    app.desktop.Press(107);
    app.desktop.Advance(250ms);
    EXPECT_EQ(Received(), Repeat(kNext, 10));
}

TEST_F(HotkeyPollerTest, JumpToBringsThePlayersDialogForwardOutOfTheTopmostBand) {
    Chord(101);
    const auto dialog = app.desktop.FindTopLevelWindow("#32770", std::string_view("Jump to file"));
    ASSERT_NE(dialog, 0u) << "the player opens its dialog while handling the command";
    EXPECT_EQ(Received(), Commands{kJump});
    EXPECT_FALSE(app.desktop.IsTopmost(dialog));
    EXPECT_EQ(app.desktop.foreground, dialog);
}

TEST_F(HotkeyPollerTest, JumpToWithoutADialogRequestsNothingUseful) {
    app.desktop.Other(player)->opensJumpDialog = false;
    Chord(101);
    EXPECT_EQ(Received(), Commands{kJump});
    EXPECT_EQ(app.desktop.foregroundRequests, std::vector<platform::WindowHandle>{0});
}

TEST_F(HotkeyPollerTest, AllSendsOfOneActionGoToTheOnePlayerFound) {
    const auto second = app.desktop.AddPlayer("9. Other - Winamp");
    Chord(107);
    EXPECT_EQ(Received(), Repeat(kNext, 10));
    EXPECT_TRUE(app.desktop.CommandsTo(second).empty());
}

TEST_F(HotkeyPollerTest, APlayerStartedLaterIsFoundByTheNextAction) {
    app.desktop.RemoveWindow(player);
    Chord(96);
    player = app.desktop.AddPlayer();
    Chord(96);
    EXPECT_EQ(Received(), Commands{kPlay});
}

TEST_F(HotkeyPollerTest, WithNoPlayerTheHotkeysRunHarmlessly) {
    app.desktop.RemoveWindow(player);
    for (const int key : {96, 97, 101, 104, 107}) {
        Chord(key);
    }
    EXPECT_FALSE(app.desktop.processEnded);
    EXPECT_NE(app.desktop.FindForm("frmMain"), nullptr);
}

TEST_F(HotkeyPollerTest, APlayerClosingBetweenLookupAndSendIsHarmless) {
    app.desktop.Other(player)->closesWhenFound = true;
    for (const int key : {97, 101, 104, 107}) {
        Chord(key);
    }
    EXPECT_EQ(app.desktop.Other(player), nullptr);
    EXPECT_FALSE(app.desktop.processEnded);
    ASSERT_NE(app.desktop.FindForm("frmSongShow"), nullptr);
    EXPECT_EQ(app.desktop.FindForm("frmSongShow")->ControlText(FrmSongShow::lblSong), "")
        << "the title of a vanished player is empty";
}

TEST_F(HotkeyPollerTest, AHungPlayerCostsOneSendPerActionNotOnePerRepetition) {
    app.desktop.Other(player)->hung = true;
    Chord(107);
    EXPECT_EQ(app.desktop.Other(player)->sendAttempts, 1);

    app.desktop.Other(player)->hung = false;
    Chord(107);
    EXPECT_EQ(Received(), Repeat(kNext, 10)) << "the next action tries again";
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
