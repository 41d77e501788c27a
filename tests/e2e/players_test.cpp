// Spotify as the player: with no Winamp-class player running, the hotkeys and the bar drive
// Spotify's window, and never a browser's window of the same class.
#include "desktop_test.h"

namespace tw::e2e {
namespace {

using Players = DesktopTest;

// The bar inside the main window, and a point on each button it takes.
constexpr POINT kBarOrigin{33, 20};
constexpr int kPlayX = 29, kStopX = 71, kNextX = 92, kButtonY = 8;

constexpr struct {
    const char* what;
    const wchar_t* caption;  // Spotify's caption from this step on; null: as it was
    WORD key;                // 0: a click on the bar at barX
    int barX;
    std::uint64_t command;
    size_t perTick;  // for a click: how many
} kSteps[] = {
    {"Play while a song plays", L"Artist - Song", VK_NUMPAD0, 0, 0, 0},
    {"Pause", nullptr, VK_NUMPAD2, 0, kAppPlayPause, 1},
    {"Stop while a song plays", nullptr, VK_DECIMAL, 0, kAppPlayPause, 1},
    {"Next", nullptr, VK_NUMPAD3, 0, kAppNext, 1},
    {"Previous", nullptr, VK_NUMPAD1, 0, kAppPrevious, 1},
    {"ten tracks on", nullptr, VK_ADD, 0, kAppNext, 10},
    {"Volume up", nullptr, VK_NUMPAD9, 0, 0, 0},
    {"Jump to file", nullptr, VK_NUMPAD5, 0, 0, 0},
    {"Stop while paused", L"Spotify Premium", VK_DECIMAL, 0, 0, 0},
    {"Play while paused", nullptr, VK_NUMPAD0, 0, kAppPlayPause, 1},
    // Last: a click brings the bar forward.
    {"the bar's stop while paused", nullptr, 0, kStopX, 0, 0},
    {"the bar's play while paused", nullptr, 0, kPlayX, kAppPlayPause, 1},
    {"the bar's next", nullptr, 0, kNextX, kAppNext, 1},
};

TEST_F(Players, SpotifyAloneTakesTheHotkeysAndTheBarAndABrowserNothing) {
    Process spotify, browser;
    HWND spotifyWindow = nullptr, browserWindow = nullptr;
    ASSERT_NO_FATAL_FAILURE(
        StartChromium(spotify, L"Spotify.exe", L"Artist - Song", spotifyWindow));
    // Docked top right, the bar is clear of the stand-ins' windows and of the window that
    // Wine without a desktop shows the notification area in, top left.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TR"}));
    // In front of Spotify, with a caption that reads like a song.
    ASSERT_NO_FATAL_FAILURE(StartChromium(browser, L"chrome.exe", L"Other - Tune", browserWindow));
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward(browserWindow));

    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.what);
        if (step.caption != nullptr) {
            ASSERT_TRUE(SetWindowTextW(spotifyWindow, step.caption));
        }
        const size_t before = Log(L"Spotify.exe").size();
        if (step.key != 0) {
            ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, step.key}));
            ExpectEachTick(SentSince(before, step.perTick, L"Spotify.exe"), step.command,
                           step.perTick, kShortHold);
            continue;
        }
        const Box window = WindowBox(mainWindow_);
        ASSERT_TRUE(
            Click({window[0] + kBarOrigin.x + step.barX, window[1] + kBarOrigin.y + kButtonY},
                  Button::kLeft));
        EXPECT_EQ(SentSince(before, step.perTick, L"Spotify.exe"),
                  std::vector<std::uint64_t>(step.perTick, step.command));
    }
    EXPECT_EQ(Log(L"chrome.exe"), std::vector<std::uint64_t>{});
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
