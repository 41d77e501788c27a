// Docking the main window to a screen corner, from the menu or the "-dock" switches.
#include "core/docking.h"

#include <gtest/gtest.h>

#include "test_app.h"

namespace tw {
namespace {

using platform::PixelRect;

// 1024 x 768 pixels at 15 twips per pixel: 15360 twips wide.
constexpr platform::ScreenInfo kScreen{1024, 768, 15, 15};
constexpr PixelRect kBottomBar{0, 738, 1024, 768}, kTopBar{0, 0, 1024, 30}, kLeftBar{0, 0, 60, 768},
    kRightBar{964, 0, 1024, 768};

TEST(DockingTest, PutsTheWindowInTheCorner) {
    constexpr auto kTR = DockCorner::TopRight, kBL = DockCorner::BottomLeft,
                   kBR = DockCorner::BottomRight;
    const struct {
        platform::ScreenInfo screen;
        PixelRect taskbar, workArea;
        float height;  // the main window's height at the time of the dock
        DockCorner corner;
        float left, top;
    } cases[] = {
        // The taskbar along the bottom, even drawn a little beyond the screen:
        // the window sits on its top edge.
        {kScreen, kBottomBar, {0, 0, 1024, 738}, 4350, kBR, 12525, 6720},
        {kScreen, {-2, 736, 1026, 770}, {0, 0, 1024, 738}, 4350, kBR, 12525, 6690},
        // 2835 x 4350 twips are 236 x 363 whole pixels at 12 twips a pixel.
        {{1280, 1024, 12, 12}, {0, 984, 1280, 1024}, {0, 0, 1280, 984}, 4350, kBR, 12528, 7452},
        // A taskbar that reports less than it covers (Wine's shell: a one-pixel
        // strip under a 20-pixel bar) is not covered: the work area still ends above it.
        {kScreen, {0, 767, 1024, 768}, {0, 0, 1024, 748}, 4350, kBR, 12525, 6870},
        // Elsewhere the bottom corners rest on the bottom of the work area.
        {kScreen, kTopBar, {0, 30, 1024, 768}, 4350, kBR, 12525, 7170},
        {kScreen, kLeftBar, {60, 0, 1024, 768}, 600, kBL, 0, 10920},
        // The screen width counts, not the work area's.
        {kScreen, kRightBar, {0, 0, 964, 768}, 4350, kTR, 12525, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.taskbar.left << "," << c.taskbar.top);
        test::TestApp app;
        app.desktop.screen = c.screen;
        app.desktop.taskbar = c.taskbar;
        app.desktop.workArea = c.workArea;
        app.Start();
        app.MainForm().Move(4000, 3000, 2835, c.height);
        DockWindow(app.forms, c.corner);
        EXPECT_EQ(app.MainForm().Bounds().left, c.left);
        EXPECT_EQ(app.MainForm().Bounds().top, c.top);
        EXPECT_EQ(app.forms.module().TaskbarTop, c.taskbar.top);
    }
}

TEST(DockingTest, OtherCornerCodesOnlyRefreshTheTaskbarAndTheLastAnswerStands) {
    test::TestApp app;
    app.Start();
    const auto before = app.MainForm().Bounds();
    for (const std::int16_t corner : {std::int16_t{-1}, std::int16_t{4}}) {
        app.desktop.taskbar = {0, 700 + corner, 1024, 768};
        DockWindow(app.forms, static_cast<DockCorner>(corner));
        EXPECT_EQ(app.MainForm().Bounds(), before);
        EXPECT_EQ(app.forms.module().TaskbarTop, 700 + corner);
    }

    app.desktop.taskbarAnswers = false;
    app.desktop.taskbar = kTopBar;  // moved, but the shell no longer says so
    app.desktop.workArea = {0, 0, 1024, 690};
    DockWindow(app.forms, DockCorner::BottomRight);
    EXPECT_EQ(app.forms.module().TaskbarTop, 704);
    EXPECT_EQ(app.MainForm().Bounds().top, 15 * 690 - 4350) << "never below the work area";
}

TEST(DockingTest, TheTaskbarLiesAlongTheBottomOnlyWhenItSpansItAndTouchesIt) {
    EXPECT_TRUE(TaskbarAlongBottom(kBottomBar, kScreen));
    EXPECT_TRUE(TaskbarAlongBottom({-2, 766, 1026, 770}, kScreen)) << "auto-hidden, overhanging";
    EXPECT_TRUE(TaskbarAlongBottom({0, 385, 1024, 768}, kScreen)) << "just below half the screen";
    for (const PixelRect& bar :
         {kTopBar, kLeftBar, kRightBar, PixelRect{}, PixelRect{0, 738, 1024, 760},
          PixelRect{0, 738, 800, 768}, PixelRect{0, 384, 1024, 768}}) {
        EXPECT_FALSE(TaskbarAlongBottom(bar, kScreen))
            << bar.left << "," << bar.top << " " << bar.right << "," << bar.bottom;
    }
}

TEST(DockingTest, TheLoadAppliesTheDockSwitchesInFixedOrder) {
    // Applied TR, BR, TL, BL, whatever the order on the line.
    const struct {
        const char* commandLine;
        float left, top;
    } cases[] = {{"-dock TL", 0, 0},
                 {"-dock BR", 12525, 6720},
                 {"-dock BL -dock TR", 0, 6720},
                 {"-dock TL -dock BR", 0, 0},
                 {"-dock BR -dock TR", 12525, 6720},
                 {"-dock BL -dock TL", 0, 6720}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        test::TestApp app;
        app.desktop.commandLine = c.commandLine;
        app.Start();
        EXPECT_EQ(app.MainForm().Bounds().left, c.left);
        EXPECT_EQ(app.MainForm().Bounds().top, c.top);
    }
}

}  // namespace
}  // namespace tw
