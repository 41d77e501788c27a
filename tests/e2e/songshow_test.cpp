// Control + keypad 8: the song display at the top of the screen, over the program in front,
// without taking the keyboard from it.
#include <algorithm>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

using SongDisplay = DesktopTest;

constexpr wchar_t kSongShowClass[] = L"Tunewarden_frmSongShow";
// 4185 x 870 twips at 15 twips per pixel, 5 pixels below the top of the screen.
constexpr LONG kDisplayWidth = 279;
constexpr LONG kDisplayHeight = 58;
constexpr LONG kDisplayTop = 5;
// The display lasts 2000 ms from its last showing; a held chord may show it on two ticks.
constexpr Millis kStillUpAt{1500};
constexpr Millis kGoneBy{3500};

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
    EXPECT_EQ(GetForegroundWindow(), playerWindow_) << "the display took the foreground";
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
