// The main window's title strip and surface: folding through the display
// modes, dragging, the close box, and where the popup menu opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/menu_seam.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using platform::TwipRect;
using platform::mouse::kLeft;
using platform::mouse::kMiddle;
using platform::mouse::kRight;

class TitleStripTest : public ::testing::Test {
  protected:
    void SetUp() override { main = &app.Start(); }

    std::string StoredMode() { return app.desktop.settings[{"Tunewarden", "Settings", "Mode"}]; }
    TwipRect Bounds() { return app.MainForm().Bounds(); }
    // Opens the menu from the help area, clear of the title.
    void OpenMenu() {
        app.desktop.Click(app.MainForm().At(platform::kFormSurface, 60, 150), kRight);
    }

    test::TestApp app;
    FrmMain* main = nullptr;
};

TEST_F(TitleStripTest, DoubleClicksFoldTheWindowThroughTheThreeModes) {
    app.MainForm().Move(1500, 3000, 2835, 4350);  // left and top differ: neither may move
    const TwipRect start = Bounds();
    EXPECT_EQ(app.TrayTips(), std::vector{test::IconTip("Normal Mode")});
    const struct {
        float height;
        std::string icon;
        const char* stored;
    } steps[] = {{240, test::IconTip("Small Mode"), "2"},
                 {600, test::IconTip("Small Mouse Mode"), "1"},
                 {4350, test::IconTip("Normal Mode"), "0"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.icon);
        app.desktop.DoubleClick(app.Title(20, 5));
        EXPECT_EQ(Bounds(), (TwipRect{start.left, start.top, start.width, step.height}));
        EXPECT_EQ(app.TrayTips(), std::vector{step.icon}) << "exactly one icon";
        EXPECT_EQ(StoredMode(), step.stored);
    }
}

// The dock switches apply TR, BR, TL, BL, whatever their order on the line.
TEST(TitleStripStartTest, EveryRunStartsInNormalModeModeOneFoldsItAndTheDocksFollowInOrder) {
    const struct {
        const char* commandLine;
        TwipRect bounds;
    } cases[] = {
        {"", {1350, 1350, 2835, 4350}},  // the stored Small Mode is not read back
        {"-dock BL -mode 1", {0, 15 * 738 - 240, 2835, 240}},
        {"-dock TL -dock BR", {0, 0, 2835, 4350}},
        {"-dock BR -dock TR", {12525, 6720, 2835, 4350}},
        {"-dock BL -dock TL", {0, 6720, 2835, 4350}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        test::TestApp app;
        app.desktop.settings[{"Tunewarden", "Settings", "Mode"}] = "2";
        app.desktop.commandLine = c.commandLine;
        app.Start();
        EXPECT_EQ(app.MainForm().Bounds(), c.bounds);
    }
}

TEST(TitleStripCloseTest, AReleaseInTheCloseBoxEndsTheProgramWhateverTheButton) {
    // At 5 twips a pixel, W = 2835: the box spans 2595..2785 across and 30..210 down, edges
    // included; given here in the surface's pixels.
    const struct {
        int x, y;
        std::int16_t button;
        bool closes;
    } cases[] = {{519, 24, kLeft, true},  {557, 24, kLeft, true},  {540, 6, kLeft, true},
                 {540, 42, kLeft, true},  {518, 24, kLeft, false}, {558, 24, kLeft, false},
                 {540, 5, kLeft, false},  {540, 43, kLeft, false}, {540, 24, kRight, true},
                 {540, 24, kMiddle, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " button " << c.button);
        test::TestApp app;
        app.desktop.screen = {3072, 2304, 5, 5};
        app.Start();
        app.desktop.Click(app.MainForm().At(platform::kFormSurface, c.x, c.y), c.button);
        EXPECT_EQ(app.desktop.processEnded, c.closes);
    }
}

TEST_F(TitleStripTest, TheMenuOpensAtThePointerFlippedAtTheRightAndBottomEdges) {
    // The screen is 15360 x 11520 twips, the menu 1890 x 3000: it flips past
    // 13470 across and 8520 down. Title picture positions count from its own
    // corner, surface positions from the window's. A second monitor lies right
    // of the screen, 12000 x 9000 twips: the menu flips at its edges, and comes
    // onto it from a point below it.
    app.desktop.otherMonitors = {{{1024, 0, 1824, 600}, {1024, 0, 1824, 600}}};
    const struct {
        bool onTitle;
        float windowLeft, windowTop;
        int x, y;  // pixels of the title picture or of the window
        float menuLeft, menuTop;
    } cases[] = {
        {true, 1350, 1350, 20, 8, 1650, 1470},
        {true, 13380, 8400, 6, 8, 13470, 8520},     // exactly at both flip points
        {true, 13395, 8415, 6, 8, 11595, 5535},     // one pixel past them
        {true, 12525, 6720, 133, 13, 12630, 6915},  // past the right edge only
        {false, 1350, 1350, 66, 200, 2340, 4350},
        {false, 12525, 6720, 133, 200, 12630, 6720},  // past both edges
        {true, 25005, 6000, 6, 8, 25095, 3120},
        {true, 20010, 9510, 6, 8, 20100, 9000 - 3000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.windowLeft << ", " << c.windowTop);
        app.desktop.Click({0, 767});  // elsewhere: the last row's menu closes
        app.MainForm().Move(c.windowLeft, c.windowTop, 2835, 4350);
        app.desktop.Click(
            c.onTitle ? app.Title(c.x, c.y) : app.MainForm().At(platform::kFormSurface, c.x, c.y),
            kRight);
        EXPECT_TRUE(MenuVisible(app.forms));
        EXPECT_TRUE(app.desktop.IsTopmost(MenuHandle(app.forms)));
        EXPECT_EQ(MenuBounds(app.forms), (TwipRect{c.menuLeft, c.menuTop, 1890, 3000}));
    }
    // The pointer's place in the picture: the menu lands the picture's offset up and left.
    app.MainForm().Move(1500, 1500, 2835, 4350);
    app.desktop.Click(app.Title(10, 5), kMiddle);
    EXPECT_FALSE(MenuVisible(app.forms)) << "other buttons open nothing";
    app.desktop.Click(app.Title(10, 5), kRight);
    EXPECT_EQ(MenuBounds(app.forms).left, 1500 + 10 * 15);
    EXPECT_EQ(MenuBounds(app.forms).top, 1500 + 5 * 15);
    // Opened here, it counts its five seconds from its activation (from the icon, see
    // menu_test.cpp).
    app.desktop.Advance(4999ms);
    EXPECT_TRUE(MenuVisible(app.forms));
    app.desktop.Advance(1ms);
    EXPECT_FALSE(MenuVisible(app.forms)) << "it hides itself after five seconds";
}

TEST_F(TitleStripTest, TheLeftButtonAloneDragsAndTheDropClosesTheMenu) {
    OpenMenu();
    const TwipRect before = Bounds();
    app.desktop.Press(app.Title(20, 5), kMiddle);
    app.desktop.Move(app.Title(40, 40));
    app.desktop.Release(app.Title(40, 40), kMiddle);
    // With the right button held too the window stays, and that press takes no new grab point.
    app.desktop.Press(app.Title(20, 5));
    app.desktop.Press(app.Title(30, 9), kRight);
    app.desktop.Move(app.Title(40, 40));
    EXPECT_EQ(Bounds(), before);
    app.desktop.Release(app.Title(40, 40), kRight);
    // The grab point stays under the pointer, also off the strip, and left of and above the
    // window, where the pointer's place in it is negative.
    app.desktop.Move(app.Title(20 + 7, 5 + 30));
    EXPECT_EQ(Bounds(), (TwipRect{before.left + 105, before.top + 450, 2835, 4350}));
    app.desktop.Move(app.Title(-40, -30));
    app.desktop.Release(app.Title(-40, -30));
    EXPECT_EQ(Bounds(), (TwipRect{before.left + 105 - 900, before.top + 450 - 525, 2835, 4350}));
    EXPECT_FALSE(MenuVisible(app.forms));
}

}  // namespace
}  // namespace tw
