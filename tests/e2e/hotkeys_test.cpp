// Control + numeric keypad, pressed for real on the desktop: what the player receives, what
// Spotify does when it plays alone (and a browser's window of its class never), and the song
// display that Control + keypad 8 brings up over the program in front.
#include <algorithm>

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
    {"keypad 2 held: Pause once", true, VK_NUMPAD2, 4 * kTick, kPause, kOncePerPress},
    {"keypad 3: Next", true, VK_NUMPAD3, kShortHold, kNext, 1},
    {"keypad 4: Rewind", true, VK_NUMPAD4, kShortHold, kRewind, 1},
    {"keypad 6: Fast forward", true, VK_NUMPAD6, kShortHold, kFastForward, 1},
    {"keypad 7: Volume down x5", true, VK_NUMPAD7, kShortHold, kVolumeDown, 5},
    {"keypad 8: song title only", true, VK_NUMPAD8, kShortHold, 0, 0},
    {"keypad 9 held: Volume up x5 every tick", true, VK_NUMPAD9, 4 * kTick, kVolumeUp, 5},
    {"keypad plus: Next x10", true, VK_ADD, kShortHold, kNext, 10},
    {"keypad minus: Previous x10", true, VK_SUBTRACT, kShortHold, kPrevious, 10},
    {"keypad 0 without Control", false, VK_NUMPAD0, kShortHold, 0, 0},
    // Last: the dialog it opens is checked below.
    {"keypad 5: Jump to file", true, VK_NUMPAD5, kShortHold, kJumpToFile, 1},
};

TEST_F(Hotkeys, EachChordSendsItsCommandOnEveryTickItIsHeld) {
    SetMediaSession("status=Playing\ntitle=Song");
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
    // A Winamp-class player running beside Spotify and a media session gets every command.
    EXPECT_EQ(Log(kSpotify), kNothing);
    EXPECT_EQ(Log(kBrowser), kNothing);
    EXPECT_EQ(Log(kMediaSession), kNothing);
    EXPECT_TRUE(PollUntil(Millis(3000), [&] {
        const HWND dialog = jumpDialog();
        return dialog != nullptr && GetForegroundWindow() == dialog;
    })) << "Jump to file did not come up in front";
}

using Players = DesktopTest;

// Points on the bar's previous, play, pause, stop and next buttons, in the main window.
constexpr POINT kOnPrevious{41, 28}, kOnPlay{62, 28}, kOnPause{83, 28}, kOnStop{104, 28},
    kOnNext{125, 28};
constexpr char kPlaying[] = "status=Playing\ntitle=Song",
               kRefusing[] = "status=Playing\ntitle=Song\nrefuse=TryStopAsync";
using Sent = std::vector<std::uint64_t>;

const struct {
    const char* what;
    const wchar_t* caption;  // Spotify's caption from this step on; null: as it was
    const char* session;     // the media session from this step on (none at first)
    WORD key;                // 0: a click on the bar at `on`
    POINT on;
    bool toSession;  // the session gets it, not Spotify
    Sent sent;       // for a key, one tick's worth
} kSteps[] = {
    {"Play while a song plays", L"Artist - Song", nullptr, VK_NUMPAD0, {}, false, {}},
    {"Pause held: one toggle (pauses)", nullptr, nullptr, VK_NUMPAD2, {}, false, {kAppPlayPause}},
    {"Stop while a song plays", nullptr, nullptr, VK_DECIMAL, {}, false, {kAppPlayPause}},
    {"Next", nullptr, nullptr, VK_NUMPAD3, {}, false, {kAppNext}},
    {"Previous", nullptr, nullptr, VK_NUMPAD1, {}, false, {kAppPrevious}},
    {"ten tracks on", nullptr, nullptr, VK_ADD, {}, false, Sent(10, kAppNext)},
    {"Rewind", nullptr, nullptr, VK_NUMPAD4, {}, false, {}},
    {"Volume up", nullptr, nullptr, VK_NUMPAD9, {}, false, {}},
    {"Jump to file", nullptr, nullptr, VK_NUMPAD5, {}, false, {}},
    {"Stop while paused", L"Spotify Premium", nullptr, VK_DECIMAL, {}, false, {}},
    {"Play while paused", nullptr, nullptr, VK_NUMPAD0, {}, false, {kAppPlayPause}},
    // A session plays: Spotify paused leaves it the keys, Spotify playing takes them back.
    {"the session's Play", nullptr, kPlaying, VK_NUMPAD0, {}, true, {kTryPlay}},
    {"its Pause toggles", nullptr, nullptr, VK_NUMPAD2, {}, true, {kTryTogglePlayPause}},
    {"its Stop", nullptr, nullptr, VK_DECIMAL, {}, true, {kTryStop}},
    {"its Next", nullptr, nullptr, VK_NUMPAD3, {}, true, {kTrySkipNext}},
    {"its Previous", nullptr, nullptr, VK_NUMPAD1, {}, true, {kTrySkipPrevious}},
    {"its Rewind", nullptr, nullptr, VK_NUMPAD4, {}, true, {kTryRewind}},
    {"its Fast forward", nullptr, nullptr, VK_NUMPAD6, {}, true, {kTryFastForward}},
    {"ten tracks back", nullptr, nullptr, VK_SUBTRACT, {}, true, Sent(10, kTrySkipPrevious)},
    {"Volume down", nullptr, nullptr, VK_NUMPAD7, {}, true, {}},
    {"Spotify plays again", L"Artist - Song", nullptr, VK_NUMPAD3, {}, false, {kAppNext}},
    // Last: a click brings the bar forward.
    {"the bar's next", nullptr, nullptr, 0, kOnNext, false, {kAppNext}},
    {"the bar's previous", L"Spotify Free", nullptr, 0, kOnPrevious, true, {kTrySkipPrevious}},
    {"the bar's play", nullptr, nullptr, 0, kOnPlay, true, {kTryPlay}},
    {"the bar's pause", nullptr, nullptr, 0, kOnPause, true, {kTryTogglePlayPause}},
    {"the bar's next", nullptr, nullptr, 0, kOnNext, true, {kTrySkipNext}},
    // A session that refuses to stop is paused, never toggled.
    {"the bar's stop, refused", nullptr, kRefusing, 0, kOnStop, true, {kTryStop, kTryPause}},
};

TEST_F(Players, SpotifyHiddenThenTheMediaSessionTakeTheHotkeysAndTheBarAndABrowserNothing) {
    ASSERT_NO_FATAL_FAILURE(StartSpotify(L"Artist - Song"));
    // Minimised or closed to the tray, Spotify's window is hidden.
    ShowWindow(spotifyWindow_, SW_HIDE);
    ASSERT_TRUE(PollUntil(Millis(3000), [&] { return !IsWindowVisible(spotifyWindow_); }));
    // Docked top right, the bar is clear of the stand-ins' windows and of the window that
    // Wine without a desktop shows the notification area in, top left.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TR"}));
    // In front of Spotify, with a caption that reads like a song.
    ASSERT_NO_FATAL_FAILURE(StartBrowser(L"Other - Tune"));
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward(browserWindow_));

    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.what);
        if (step.caption != nullptr) {
            ASSERT_TRUE(SetWindowTextW(spotifyWindow_, step.caption));
        }
        if (step.session != nullptr) {
            SetMediaSession(step.session);
            std::this_thread::sleep_for(Millis(700));  // Tunewarden reads it every 500 ms
        }
        const std::wstring to = step.toSession ? kMediaSession : kSpotify,
                           other = step.toSession ? kSpotify : kMediaSession;
        const size_t before = Log(to).size(), otherBefore = Log(other).size();
        if (step.key != 0) {
            // Pause is a toggle: held over several ticks it still acts once.
            const size_t perTick = step.key == VK_NUMPAD2 ? kOncePerPress : step.sent.size();
            ASSERT_NO_FATAL_FAILURE(ExpectChordSends({VK_CONTROL, step.key},
                                                     step.sent.empty() ? 0 : step.sent[0], perTick,
                                                     kShortHold, to));
        } else {
            const Box window = WindowBox(mainWindow_);
            ASSERT_TRUE(Click({window[0] + step.on.x, window[1] + step.on.y}, Button::kLeft));
            EXPECT_EQ(SentSince(before, step.sent.size(), to), step.sent);
        }
        EXPECT_EQ(Log(other).size(), otherBefore) << "the other one got it too";
    }
    EXPECT_EQ(Log(kBrowser), kNothing);
    EXPECT_TRUE(tunewarden_.Running());
}

using SongDisplay = DesktopTest;

constexpr wchar_t kSongShowClass[] = L"Tunewarden_frmSongShow";
// 4185 x 870 twips at 15 twips per pixel, 5 pixels below the top of the screen.
constexpr LONG kDisplayWidth = 279, kDisplayHeight = 58, kDisplayTop = 5;
// The display lasts 2000 ms from its last showing; a held chord may show it on two ticks.
constexpr Millis kStillUpAt{1500}, kGoneBy{3500};

TEST_F(SongDisplay, ShowsTopCentreAboveEverythingForTwoSecondsWithoutTakingTheFocus) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // The stand-in plays the game in front, which must keep the keyboard.
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());
    const auto find = [&] { return FindTopLevel(kSongShowClass, nullptr, tunewarden_.id()); };
    ASSERT_EQ(find(), nullptr) << "the display was up before it was asked for";

    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD8}));
    const HWND display = WaitForShown(kSongShowClass, tunewarden_.id(), Millis(2000), Millis(10));
    ASSERT_NE(display, nullptr) << "no song display came up";
    const auto shown = Clock::now();

    // (1024 - 279) / 2 = 372.5 on the test screen: either neighbour is centred.
    const LONG centred = (GetSystemMetrics(SM_CXSCREEN) - kDisplayWidth) / 2;
    Box box{};
    const auto placed = [&] {
        box = WindowBox(display);
        const LONG left = std::clamp(box[0], centred, centred + 1);
        return box == Box{left, kDisplayTop, left + kDisplayWidth, kDisplayTop + kDisplayHeight} &&
               (GetWindowLongW(display, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    // Shown first, then placed and made topmost.
    EXPECT_TRUE(PollUntil(Millis(1000), placed))
        << "not a topmost " << kDisplayWidth << " x " << kDisplayHeight << " window centred "
        << kDisplayTop << " pixels from the top: " << testing::PrintToString(box);
    EXPECT_EQ(GetForegroundWindow(), playerWindow_) << "the display took the foreground";

    std::this_thread::sleep_until(shown + kStillUpAt);
    EXPECT_TRUE(IsWindowVisible(display)) << "the display went before its two seconds were up";
    EXPECT_TRUE(PollUntil(kGoneBy - kStillUpAt, [&] { return find() == nullptr; }))
        << "the display was still there " << kGoneBy.count() << " ms after it came up";
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
