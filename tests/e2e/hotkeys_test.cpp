// Control + numeric keypad, pressed for real on the desktop, as seen by the player.
#include <algorithm>
#include <cstdint>
#include <thread>

#include "fixture.h"

namespace tw::e2e {
namespace {

constexpr std::uint64_t kPrevious = 40044;
constexpr std::uint64_t kPlay = 40045;
constexpr std::uint64_t kPause = 40046;
constexpr std::uint64_t kStop = 40047;
constexpr std::uint64_t kNext = 40048;
constexpr std::uint64_t kVolumeUp = 40058;
constexpr std::uint64_t kVolumeDown = 40059;
constexpr std::uint64_t kRewind = 40144;
constexpr std::uint64_t kFastForward = 40148;
constexpr std::uint64_t kJumpToFile = 40194;

std::vector<std::uint64_t> Since(const std::vector<std::uint64_t>& log, size_t start) {
    return {log.begin() + static_cast<std::ptrdiff_t>(std::min(start, log.size())), log.end()};
}

using Hotkeys = DesktopTest;

struct CommandKey {
    WORD key;
    const char* what;
    std::uint64_t command;
    size_t timesPerTick;
};

// Held for kShortHold, a chord is seen by one tick or by two, so a key that sends its
// command n times per tick must leave n or 2n entries: a single Play proves "once per
// tick" without depending on where the ticks fall. More than 2n means it repeats faster
// than the tick; fewer than n, or a count that is not a multiple of n, means sends were lost.
constexpr CommandKey kCommandKeys[] = {
    {VK_NUMPAD0, "keypad 0: Play", kPlay, 1},
    {VK_DECIMAL, "keypad decimal: Stop", kStop, 1},
    {VK_NUMPAD1, "keypad 1: Previous", kPrevious, 1},
    {VK_NUMPAD2, "keypad 2: Pause", kPause, 1},
    {VK_NUMPAD3, "keypad 3: Next", kNext, 1},
    {VK_NUMPAD4, "keypad 4: Rewind", kRewind, 1},
    {VK_NUMPAD6, "keypad 6: Fast forward", kFastForward, 1},
    {VK_NUMPAD7, "keypad 7: Volume down x5", kVolumeDown, 5},
    {VK_NUMPAD8, "keypad 8: song title only, no command", 0, 0},
    {VK_NUMPAD9, "keypad 9: Volume up x5", kVolumeUp, 5},
    {VK_ADD, "keypad plus: Next x10", kNext, 10},
    {VK_SUBTRACT, "keypad minus: Previous x10", kPrevious, 10},
};

TEST_F(Hotkeys, EachKeySendsItsCommandPerTick) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    for (const CommandKey& row : kCommandKeys) {
        SCOPED_TRACE(row.what);
        const size_t before = Log().size();
        ASSERT_NO_FATAL_FAILURE(Chord({kVkControl, row.key}));
        const std::vector<std::uint64_t> sent = Since(Log(), before);
        EXPECT_EQ(CountOf(sent, row.command), sent.size()) << "other commands were sent";
        if (row.timesPerTick == 0) {
            EXPECT_TRUE(sent.empty());
            continue;
        }
        EXPECT_GE(sent.size(), row.timesPerTick);
        EXPECT_LE(sent.size(), 2 * row.timesPerTick);
        EXPECT_EQ(sent.size() % row.timesPerTick, 0u);
    }
}

TEST_F(Hotkeys, HeldChordRepeatsEveryTick) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // Four periods: four ticks on a steady timer, three to five when it jitters.
    ASSERT_NO_FATAL_FAILURE(Chord({kVkControl, VK_NUMPAD9}, 4 * kTick));
    const std::vector<std::uint64_t> sent = Log();
    EXPECT_EQ(CountOf(sent, kVolumeUp), sent.size());
    EXPECT_EQ(sent.size() % 5, 0u) << "volume steps come in fives";
    EXPECT_GE(sent.size(), 15u);
    EXPECT_LE(sent.size(), 25u);
}

TEST_F(Hotkeys, JumpToFileBringsThePlayersDialogForward) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // The stand-in opens the dialog without activating it, so only Tunewarden can bring it
    // to the front.
    SetForegroundWindow(playerWindow_);
    std::this_thread::sleep_for(Millis(200));
    ASSERT_EQ(GetForegroundWindow(), playerWindow_) << "could not set up the foreground";
    ASSERT_EQ(FindTopLevel(kDialogClass, kJumpDialogTitle, player_.id()), nullptr);

    ASSERT_NO_FATAL_FAILURE(Chord({kVkControl, VK_NUMPAD5}));

    const std::vector<std::uint64_t> sent = Log();
    EXPECT_GE(sent.size(), 1u);
    EXPECT_EQ(CountOf(sent, kJumpToFile), sent.size());
    const HWND dialog = FindTopLevel(kDialogClass, kJumpDialogTitle, player_.id());
    ASSERT_NE(dialog, nullptr) << "the player never got Jump to file";
    EXPECT_EQ(GetForegroundWindow(), dialog);
}

TEST_F(Hotkeys, KeypadWithoutControlSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    constexpr WORD kAlone[] = {VK_NUMPAD0, VK_NUMPAD9, VK_ADD, VK_NUMPAD5};
    for (const WORD key : kAlone) {
        ASSERT_NO_FATAL_FAILURE(Chord({key}));
    }
    std::this_thread::sleep_for(Millis(500));
    EXPECT_TRUE(Log().empty());

    // Tunewarden was listening all along: the same key with Control does reach the player.
    ASSERT_NO_FATAL_FAILURE(Chord({kVkControl, VK_NUMPAD0}));
    const std::vector<std::uint64_t> sent = Log();
    EXPECT_GE(sent.size(), 1u);
    EXPECT_EQ(CountOf(sent, kPlay), sent.size());
}

}  // namespace
}  // namespace tw::e2e
