// Control + keypad 8: the song display at the top of the screen, over the program in front,
// without taking the keyboard from it.
#include <thread>

#include "fixture.h"

namespace tw::e2e {
namespace {

using SongDisplay = DesktopTest;

constexpr wchar_t kSongShowClass[] = L"Tunewarden_frmSongShow";
// 4185 x 870 twips at 15 twips per pixel.
constexpr LONG kDisplayWidth = 279;
constexpr LONG kDisplayHeight = 58;
constexpr LONG kDisplayTop = 5;
// The display lasts 2000 ms from its last showing; a held chord may show it on two ticks.
constexpr Millis kStillUpAt{1500};
constexpr Millis kGoneBy{3500};

HWND WaitForVisible(const wchar_t* windowClass, DWORD processId, Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const HWND window = FindTopLevel(windowClass, nullptr, processId);
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        if (Clock::now() >= deadline) {
            return nullptr;
        }
        std::this_thread::sleep_for(Millis(10));
    }
}

bool WaitUntilGone(const wchar_t* windowClass, DWORD processId, Clock::time_point deadline) {
    for (;;) {
        if (FindTopLevel(windowClass, nullptr, processId) == nullptr) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(Millis(25));
    }
}

TEST_F(SongDisplay, ShowsTopCentreAboveEverythingForTwoSecondsWithoutTakingTheFocus) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer(L"12. Artist - Song - Winamp"));
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // The stand-in plays the game in front, which must keep the keyboard.
    SetForegroundWindow(playerWindow_);
    std::this_thread::sleep_for(Millis(200));
    ASSERT_EQ(GetForegroundWindow(), playerWindow_) << "could not set up the foreground";
    ASSERT_EQ(FindTopLevel(kSongShowClass, nullptr, tunewarden_.id()), nullptr)
        << "the display was up before it was asked for";

    ASSERT_TRUE(HoldChord({kVkControl, VK_NUMPAD8}, kShortHold));
    const HWND display = WaitForVisible(kSongShowClass, tunewarden_.id(), Millis(2000));
    const auto shown = Clock::now();
    ASSERT_NE(display, nullptr) << "no song display came up";

    // Shown, then placed and made topmost: give those steps a moment to land.
    std::this_thread::sleep_for(Millis(200));
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(display, &rect));
    EXPECT_EQ(rect.right - rect.left, kDisplayWidth);
    EXPECT_EQ(rect.bottom - rect.top, kDisplayHeight);
    // (1024 - 279) / 2 = 372.5 on the test screen: either neighbour is centred.
    const LONG centredLeft = (GetSystemMetrics(SM_CXSCREEN) - kDisplayWidth) / 2;
    EXPECT_GE(rect.left, centredLeft);
    EXPECT_LE(rect.left, centredLeft + 1);
    EXPECT_EQ(rect.top, kDisplayTop);
    EXPECT_TRUE((GetWindowLongW(display, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        << "the display is not in the topmost band";
    EXPECT_EQ(GetForegroundWindow(), playerWindow_) << "the display took the foreground";

    std::this_thread::sleep_until(shown + kStillUpAt);
    EXPECT_TRUE(IsWindow(display) && IsWindowVisible(display))
        << "the display went before its two seconds were up";
    EXPECT_EQ(GetForegroundWindow(), playerWindow_) << "the display took the foreground";

    EXPECT_TRUE(WaitUntilGone(kSongShowClass, tunewarden_.id(), shown + kGoneBy))
        << "the display was still there " << kGoneBy.count() << " ms after it came up";
    EXPECT_EQ(GetForegroundWindow(), playerWindow_);
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
