// The transport bar of the main window: what it looks like on the screen, and real clicks.
#include <algorithm>
#include <string>

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

// The bar's pixel at (x, y) on the display: one-pixel black bottom and right edges, which
// keep the two corners they share with the white top and left ones, around a light grey
// face, all at the display's scale.
COLORREF Expected(int x, int y) {
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const auto& button = kButtons[i];
        const LONG left = Scaled(button.left), right = Scaled(button.right + 1) - 1;
        const LONG top = Scaled(kButtonTop), bottom = Scaled(kButtonBottom + 1) - 1;
        if (x < left || x > right || y < top || y > bottom) {
            continue;
        }
        if (x == right || y == bottom) {
            return kBlack;
        }
        if (x == left || y == top) {
            return kWhite;
        }
        const int column = DesignPixel(x) - button.left - kGlyphLeft;
        const int row = DesignPixel(y) - kGlyphTop;
        const bool glyph = column >= 0 && column < kGlyphWidth && row >= 0 &&
                           row < std::ssize(kGlyphs) &&
                           kGlyphs[row][i * (kGlyphWidth + 1) + column] == '#';
        return glyph ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0xCC, 0xCC, 0xCC);
    }
    return kDarkGrey;
}

// Each button answers for its columns and the gap to its left, the last one for the rest.
std::string ButtonAt(int x, int) {
    const auto i =
        std::ranges::count_if(kButtons, [&](auto& b) { return b.right < DesignPixel(x); });
    return kButtons[std::min<size_t>(i, std::size(kButtons) - 1)].name + std::string(" button");
}

TEST_F(ButtonBar, RaisedLightGreyButtonsWithTheirSymbolsOnDarkGreyThatDriveThePlayer) {
    // Spotify running too changes nothing while a Winamp-class player runs.
    ASSERT_NO_FATAL_FAILURE(StartSpotify(L"A - B"));
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // Docked top right, the bar is clear of the stand-in's window and of the tray window that
    // Wine opens at the screen's top-left on a desktop without a notification area when the
    // first program adds an icon: that one comes up over a bar docked top left.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TR"}));
    // A pixel of the bar on the display, counted from the bar's corner.
    const auto bar = [&](int x, int y) {
        const Box window = WindowBox(mainWindow_);
        return POINT{window[0] + Scaled(kBarOrigin.x) + x, window[1] + Scaled(kBarOrigin.y) + y};
    };
    ASSERT_TRUE(PollUntil(Millis(3000), [&] { return WindowBox(mainWindow_)[0] > 0; }))
        << "not docked";
    ASSERT_EQ(RootClassAt(bar(0, 0)), kMainClass) << "a window covers the bar";

    std::vector<std::string> differences;
    // Painting lags behind the window's appearance, and docking may move it.
    PollUntil(Millis(5000), [&] {
        const ScreenCopy copy(bar(0, 0), Scaled(kBarWidth), Scaled(kBarHeight));
        return (differences = Differences(copy, Expected, ButtonAt)).empty();
    });
    EXPECT_EQ(differences, std::vector<std::string>{});

    // Each button's middle (a release of any mouse button acts); the last sends nothing.
    const std::uint64_t sends[] = {kPrevious, kPlay, kPause, kStop, kNext};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const double middle = (kButtons[i].left + kButtons[i].right + 1) / 2.0;
        ASSERT_TRUE(
            Click(bar(Scaled(middle), Scaled(8.5)), i % 2 ? Button::kRight : Button::kLeft));
    }
    EXPECT_EQ(SentSince(0, std::size(sends)), std::vector(std::begin(sends), std::end(sends)));
    EXPECT_EQ(Log(kSpotify), kNothing);
    EXPECT_TRUE(tunewarden_.Running());
}

}  // namespace
}  // namespace tw::e2e
