// Control + numeric keypad, pressed for real on the desktop, as seen by the player.
#include "desktop_test.h"

namespace tw::e2e {
namespace {

using Hotkeys = DesktopTest;

struct KeyCase {
    const char* what;
    bool control;
    WORD key;
    Millis hold;
    std::uint64_t command;
    size_t perTick;  // 0: nothing may be sent
};

constexpr KeyCase kKeyCases[] = {
    {"keypad 0: Play", true, VK_NUMPAD0, kShortHold, kPlay, 1},
    {"keypad decimal: Stop", true, VK_DECIMAL, kShortHold, kStop, 1},
    {"keypad 1: Previous", true, VK_NUMPAD1, kShortHold, kPrevious, 1},
    {"keypad 2: Pause", true, VK_NUMPAD2, kShortHold, kPause, 1},
    {"keypad 3: Next", true, VK_NUMPAD3, kShortHold, kNext, 1},
    {"keypad 4: Rewind", true, VK_NUMPAD4, kShortHold, kRewind, 1},
    {"keypad 6: Fast forward", true, VK_NUMPAD6, kShortHold, kFastForward, 1},
    {"keypad 7: Volume down x5", true, VK_NUMPAD7, kShortHold, kVolumeDown, 5},
    {"keypad 8: song title only", true, VK_NUMPAD8, kShortHold, 0, 0},
    {"keypad 9: Volume up x5", true, VK_NUMPAD9, kShortHold, kVolumeUp, 5},
    {"keypad 9 held: Volume up x5 every tick", true, VK_NUMPAD9, 4 * kTick, kVolumeUp, 5},
    {"keypad plus: Next x10", true, VK_ADD, kShortHold, kNext, 10},
    {"keypad minus: Previous x10", true, VK_SUBTRACT, kShortHold, kPrevious, 10},
    {"keypad 0 without Control", false, VK_NUMPAD0, kShortHold, 0, 0},
    {"keypad 9 without Control", false, VK_NUMPAD9, kShortHold, 0, 0},
    {"keypad plus without Control", false, VK_ADD, kShortHold, 0, 0},
    {"keypad 5 without Control", false, VK_NUMPAD5, kShortHold, 0, 0},
    // Last: the dialog it opens is checked below.
    {"keypad 5: Jump to file", true, VK_NUMPAD5, kShortHold, kJumpToFile, 1},
};

TEST_F(Hotkeys, EachChordSendsItsCommandOnEveryTickItIsHeld) {
    ASSERT_NO_FATAL_FAILURE(StartSpotify(L"Artist - Song"));
    ASSERT_NO_FATAL_FAILURE(StartBrowser(L"Artist - Song"));
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    const auto jumpDialog = [&] {
        return FindTopLevel(kDialogClass, kJumpDialogTitle, player_.id());
    };
    // The stand-in must open its Jump to file dialog behind, or Tunewarden would not have to
    // bring it forward.
    SendMessageW(playerWindow_, WM_COMMAND, kJumpToFile, 0);
    std::this_thread::sleep_for(Millis(300));
    const HWND early = jumpDialog();
    ASSERT_NE(early, nullptr);
    EXPECT_NE(GetForegroundWindow(), early) << "the stand-in brought its dialog forward";
    SendMessageW(early, WM_CLOSE, 0, 0);
    ASSERT_EQ(jumpDialog(), nullptr);
    // The game is in front, where it keeps the keyboard.
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());

    for (const KeyCase& row : kKeyCases) {
        SCOPED_TRACE(row.what);
        ASSERT_NO_FATAL_FAILURE(ExpectChordSends(
            row.control ? std::vector<WORD>{VK_CONTROL, row.key} : std::vector<WORD>{row.key},
            row.command, row.perTick, row.hold));
    }
    // A Winamp-class player running beside Spotify gets every command.
    EXPECT_EQ(Log(kSpotify), kNothing);
    EXPECT_EQ(Log(kBrowser), kNothing);
    EXPECT_TRUE(PollUntil(Millis(3000), [&] {
        const HWND dialog = jumpDialog();
        return dialog != nullptr && GetForegroundWindow() == dialog;
    })) << "Jump to file did not come up in front";
}

}  // namespace
}  // namespace tw::e2e
