// The transport bar of the main window: what it looks like on the screen, and real clicks.
#include <algorithm>
#include <sstream>
#include <string>
#include <utility>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

using ButtonBar = DesktopTest;

// Where the bar sits inside the main window, its size, and the rows and columns of each
// raised button on it.
constexpr POINT kBarOrigin{33, 20};
constexpr int kBarWidth = 123, kBarHeight = 19;
constexpr int kButtonTop = 1, kButtonBottom = 16;
constexpr struct {
    const char* name;
    int left, right;
} kButtons[] = {{"previous", 1, 16}, {"play", 21, 37},  {"pause", 42, 58},
                {"stop", 63, 79},    {"next", 84, 100}, {"information", 105, 121}};

// The symbols, '#' in the window-text colour. Each covers rows 4 to 12 and columns left + 3 to
// left + 13 of its button; the rest of the face is plain.
constexpr int kGlyphTop = 4, kGlyphLeft = 3, kGlyphWidth = 11;
constexpr const char* kGlyphs[] = {
    // previous  play        pause       stop        next        information
    "....#....#. ...#....... ..##...##.. ........... #....#....# ....##.....",
    "...##...##. ...##...... ..##...##.. ..#######.. ##...##...# ....##.....",
    "..###..###. ...###..... ..##...##.. ..#######.. ###..###..# ...........",
    ".####.####. ...####.... ..##...##.. ..#######.. ####.####.# ...###.....",
    "##########. ...#####... ..##...##.. ..#######.. ########### ....##.....",
    ".####.####. ...####.... ..##...##.. ..#######.. ####.####.# ....##.....",
    "..###..###. ...###..... ..##...##.. ..#######.. ###..###..# ....##.....",
    "...##...##. ...##...... ..##...##.. ..#######.. ##...##...# ....##.....",
    "....#....#. ...#....... ..##...##.. ........... #....#....# ...####....",
};

// The bar's pixel at (x, y): black bottom and right edges, which keep the two corners they
// share with the white top and left ones, around a light grey face.
COLORREF Expected(int x, int y) {
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const auto& button = kButtons[i];
        if (x < button.left || x > button.right || y < kButtonTop || y > kButtonBottom) {
            continue;
        }
        if (x == button.right || y == kButtonBottom) {
            return RGB(0, 0, 0);
        }
        if (x == button.left || y == kButtonTop) {
            return RGB(255, 255, 255);
        }
        const int column = x - button.left - kGlyphLeft, row = y - kGlyphTop;
        const bool glyph = column >= 0 && column < kGlyphWidth && row >= 0 &&
                           row < std::ssize(kGlyphs) &&
                           kGlyphs[row][i * (kGlyphWidth + 1) + column] == '#';
        return glyph ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0xCC, 0xCC, 0xCC);
    }
    return RGB(64, 64, 64);
}

// The first pixel that is off in each button, which answers for its columns and the gap to
// its left (the last one for the rest of the bar too), read from one copy of the screen.
std::vector<std::string> Differences(POINT bar) {
    const ScreenCopy copy(bar, kBarWidth, kBarHeight);
    std::vector<std::string> found;
    bool reported[std::size(kButtons)] = {};
    for (int y = 0; y < kBarHeight; ++y) {
        for (int x = 0; x < kBarWidth; ++x) {
            const auto button = std::min<size_t>(
                std::ranges::count_if(kButtons, [&](const auto& b) { return b.right < x; }),
                std::size(kButtons) - 1);
            const COLORREF shown = copy.At(x, y), wanted = Expected(x, y);
            if (shown != wanted && !std::exchange(reported[button], true)) {
                std::ostringstream out;
                out << kButtons[button].name << " button: bar pixel (" << x << ", " << y
                    << ") is 0x" << std::hex << shown << ", not 0x" << wanted;
                found.push_back(out.str());
            }
        }
    }
    return found;
}

TEST_F(ButtonBar, RaisedLightGreyButtonsWithTheirSymbolsOnDarkGreyThatDriveThePlayer) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // Docked top right, the bar is clear of the stand-in's window and of the tray window that
    // Wine opens at the screen's top-left on a desktop without a notification area when the
    // first program adds an icon: that one comes up over a bar docked top left.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TR"}));
    const auto bar = [&](int x, int y) {
        const Box window = WindowBox(mainWindow_);
        return POINT{window[0] + kBarOrigin.x + x, window[1] + kBarOrigin.y + y};
    };
    ASSERT_TRUE(PollUntil(Millis(3000), [&] { return WindowBox(mainWindow_)[0] > 0; }))
        << "not docked";
    wchar_t over[64] = {};
    GetClassNameW(GetAncestor(WindowFromPoint(bar(0, 0)), GA_ROOT), over, 64);
    ASSERT_EQ(std::wstring(over), kMainClass) << "a window covers the bar";

    std::vector<std::string> differences;
    // Painting lags behind the window's appearance, and docking may move it.
    PollUntil(Millis(5000), [&] { return (differences = Differences(bar(0, 0))).empty(); });
    EXPECT_EQ(differences, std::vector<std::string>{});

    // Inside the play button, then (a release of any mouse button acts) the next button.
    ASSERT_TRUE(Click(bar(29, 8), Button::kLeft));
    EXPECT_EQ(SentSince(0, 1), std::vector{kPlay});
    ASSERT_TRUE(Click(bar(92, 8), Button::kRight));
    EXPECT_EQ(SentSince(1, 1), std::vector{kNext});
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
