// Spotify as the player: with no Winamp-class player running, the hotkeys and the bar drive
// Spotify's window, and never a browser's window of the same class.
#include "desktop_test.h"

namespace tw::e2e {
namespace {

using Players = DesktopTest;

// A point on the bar's play, stop and next buttons, in the main window.
constexpr POINT kOnPlay{62, 28}, kOnStop{104, 28}, kOnNext{125, 28};

constexpr struct {
    const char* what;
    const wchar_t* caption;  // Spotify's caption from this step on; null: as it was
    WORD key;                // 0: a click on the bar at `on`
    POINT on;
    std::uint64_t command;
    size_t perTick;  // for a click: how many
} kSteps[] = {
    {"Play while a song plays", L"Artist - Song", VK_NUMPAD0, {}, 0, 0},
    {"Pause", nullptr, VK_NUMPAD2, {}, kAppPlayPause, 1},
    {"Stop while a song plays", nullptr, VK_DECIMAL, {}, kAppPlayPause, 1},
    {"Next", nullptr, VK_NUMPAD3, {}, kAppNext, 1},
    {"Previous", nullptr, VK_NUMPAD1, {}, kAppPrevious, 1},
    {"ten tracks on", nullptr, VK_ADD, {}, kAppNext, 10},
    {"Volume up", nullptr, VK_NUMPAD9, {}, 0, 0},
    {"Jump to file", nullptr, VK_NUMPAD5, {}, 0, 0},
    {"Stop while paused", L"Spotify Premium", VK_DECIMAL, {}, 0, 0},
    {"Play while paused", nullptr, VK_NUMPAD0, {}, kAppPlayPause, 1},
    // Last: a click brings the bar forward.
    {"the bar's stop while paused", nullptr, 0, kOnStop, 0, 0},
    {"the bar's play while paused", nullptr, 0, kOnPlay, kAppPlayPause, 1},
    {"the bar's next", nullptr, 0, kOnNext, kAppNext, 1},
};

TEST_F(Players, SpotifyAloneTakesTheHotkeysAndTheBarAndABrowserNothing) {
    ASSERT_NO_FATAL_FAILURE(StartSpotify(L"Artist - Song"));
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
        if (step.key != 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectChordSends({VK_CONTROL, step.key}, step.command,
                                                     step.perTick, kShortHold, kSpotify));
            continue;
        }
        const size_t before = Log(kSpotify).size();
        const Box window = WindowBox(mainWindow_);
        ASSERT_TRUE(Click({window[0] + step.on.x, window[1] + step.on.y}, Button::kLeft));
        EXPECT_EQ(SentSince(before, step.perTick, kSpotify),
                  std::vector<std::uint64_t>(step.perTick, step.command));
    }
    EXPECT_EQ(Log(kBrowser), kNothing);
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
