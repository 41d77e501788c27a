// The transport bar of the main window: what it looks like on the screen, and real clicks.
#include <algorithm>
#include <ostream>

#include "fixture.h"

namespace tw::e2e {
namespace {

using ButtonBar = DesktopTest;

// Where the bar sits inside the main window, its height, and each button's columns in it.
constexpr POINT kBarOrigin{33, 20};
constexpr int kBarHeight = 19;
constexpr struct {
    int left, right;
} kButtons[] = {{1, 16}, {21, 37}, {42, 58}, {63, 79}, {84, 100}, {105, 121}};
constexpr int kFaceTop = 1;
constexpr int kFaceBottom = 16;

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Rgb& rgb) {
        return out << "(" << rgb.red << ", " << rgb.green << ", " << rgb.blue << ")";
    }
};
constexpr Rgb kFace{0xCC, 0xCC, 0xCC};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBackground{64, 64, 64};

struct PixelCheck {
    int x, y;
    Rgb colour;
    const char* what;
};

// Pixels the symbols never reach (rows 4 to 12, columns L + 3 to L + 13 of each button), and
// no corners, where which edge is drawn last is a detail of the line primitive.
std::vector<PixelCheck> ExpectedPixels() {
    std::vector<PixelCheck> checks;
    for (const auto& b : kButtons) {
        const int middle = (b.left + b.right) / 2;
        checks.insert(checks.end(), {{b.left + 2, kFaceTop + 1, kFace, "face, top"},
                                     {b.right - 2, kFaceBottom - 1, kFace, "face, bottom right"},
                                     {middle, kFaceTop, kWhite, "top edge"},
                                     {b.left, 8, kWhite, "left edge"},
                                     {middle, kFaceBottom, kBlack, "bottom edge"},
                                     {b.right, 8, kBlack, "right edge"},
                                     {middle, 0, kBackground, "above the button"},
                                     {middle, kBarHeight - 1, kBackground, "below the button"},
                                     {b.left - 1, 8, kBackground, "left of the button"}});
    }
    return checks;
}

TEST_F(ButtonBar, RaisedLightGreyButtonsOnDarkGreyThatDriveThePlayer) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // Docked top left, the bar is clear of the stand-in's window.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TL"}));
    ASSERT_TRUE(PollUntil(Millis(3000), [&] {
        const RECT rect = WindowRect(mainWindow_).value_or(RECT{-1, -1, 0, 0});
        return rect.left == 0 && rect.top == 0;
    })) << "the main window did not dock";
    const auto bar = [&](int x, int y) {
        const RECT window = WindowRect(mainWindow_).value_or(RECT{});
        return POINT{window.left + kBarOrigin.x + x, window.top + kBarOrigin.y + y};
    };

    const HDC screen = GetDC(nullptr);
    const auto colour = [&](const PixelCheck& check) {
        const POINT at = bar(check.x, check.y);
        const COLORREF pixel = GetPixel(screen, at.x, at.y);
        return Rgb{GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
    };
    const std::vector<PixelCheck> checks = ExpectedPixels();
    // Painting lags behind the window's appearance.
    PollUntil(Millis(5000), [&] {
        return std::all_of(checks.begin(), checks.end(),
                           [&](const PixelCheck& check) { return colour(check) == check.colour; });
    });
    for (const PixelCheck& check : checks) {
        EXPECT_EQ(colour(check), check.colour)
            << check.what << " at bar pixel (" << check.x << ", " << check.y << ")";
    }
    ReleaseDC(nullptr, screen);

    // Inside the play button, then (a release of any mouse button acts) the next button.
    ASSERT_TRUE(Click(bar(29, 8), Button::kLeft));
    EXPECT_EQ(SentSince(0, 1), std::vector{kPlay});
    ASSERT_TRUE(Click(bar(92, 8), Button::kRight));
    EXPECT_EQ(SentSince(1, 1), std::vector{kNext});
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
