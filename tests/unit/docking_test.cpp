#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "mainwindow/docking.h"
#include "test_app.h"

namespace tw {
namespace {

using platform::PixelRect;

// 1024 x 768 pixels at 15 twips per pixel: 15360 twips wide.
constexpr PixelRect kBottomBar{0, 738, 1024, 768};
constexpr PixelRect kTopBar{0, 0, 1024, 30};
constexpr PixelRect kLeftBar{0, 0, 60, 768};
constexpr PixelRect kRightBar{964, 0, 1024, 768};

struct DockCase {
    std::string name;
    PixelRect taskbar;
    PixelRect workArea;
    float height;  // the main window's height at the time of the dock
    std::int16_t corner;
    float left;
    float top;
};

void PrintTo(const DockCase& c, std::ostream* out) {
    *out << c.name;
}

class DockTableTest : public ::testing::TestWithParam<DockCase> {};

TEST_P(DockTableTest, PutsTheWindowInTheCorner) {
    const DockCase& c = GetParam();
    test::TestApp app;
    app.desktop.taskbar = c.taskbar;
    app.desktop.workArea = c.workArea;
    app.Start();
    auto& form = app.MainForm();
    form.Move(4000, 3000, 2835, c.height);

    DockWindow(*app.forms, c.corner);

    const platform::TwipRect expected{c.left, c.top, 2835, c.height};
    EXPECT_EQ(form.Bounds(), expected);
    EXPECT_EQ(app.forms->module().TaskbarTop, c.taskbar.top) << "kept as the taskbar reports it";
    EXPECT_EQ(app.forms->module().TaskbarData, c.taskbar);
}

constexpr PixelRect kBottomWork{0, 0, 1024, 738};
constexpr PixelRect kTopWork{0, 30, 1024, 768};
constexpr PixelRect kLeftWork{60, 0, 1024, 768};
constexpr PixelRect kRightWork{0, 0, 964, 768};

INSTANTIATE_TEST_SUITE_P(
    Corners, DockTableTest,
    ::testing::Values(
        // The taskbar along the bottom: the window sits on its top edge.
        DockCase{"NormalBottomRight", kBottomBar, kBottomWork, 4350, 3, 12525, 6720},
        DockCase{"NormalTopRight", kBottomBar, kBottomWork, 4350, 0, 12525, 0},
        DockCase{"NormalTopLeft", kBottomBar, kBottomWork, 4350, 1, 0, 0},
        DockCase{"NormalBottomLeft", kBottomBar, kBottomWork, 4350, 2, 0, 6720},
        DockCase{"SmallMouseBottomLeft", kBottomBar, kBottomWork, 600, 2, 0, 10470},
        DockCase{"SmallMouseBottomRight", kBottomBar, kBottomWork, 600, 3, 12525, 10470},
        DockCase{"SmallBottomLeft", kBottomBar, kBottomWork, 240, 2, 0, 10830},
        DockCase{"SmallTopRight", kBottomBar, kBottomWork, 240, 0, 12525, 0},
        // A taskbar drawn a little beyond the screen still lies along the bottom.
        DockCase{"OverhangingBottomBar", PixelRect{-2, 736, 1026, 770}, kBottomWork, 4350, 3, 12525,
                 6690},
        // Elsewhere the bottom corners rest on the bottom of the work area.
        DockCase{"TopBarBottomRight", kTopBar, kTopWork, 4350, 3, 12525, 7170},
        DockCase{"TopBarBottomLeftSmall", kTopBar, kTopWork, 240, 2, 0, 11280},
        DockCase{"TopBarTopLeft", kTopBar, kTopWork, 4350, 1, 0, 0},
        DockCase{"LeftBarBottomLeft", kLeftBar, kLeftWork, 4350, 2, 0, 7170},
        DockCase{"LeftBarTopRight", kLeftBar, kLeftWork, 600, 0, 12525, 0},
        DockCase{"RightBarBottomRight", kRightBar, kRightWork, 600, 3, 12525, 10920},
        // The screen width counts, not the work area's.
        DockCase{"RightBarTopRight", kRightBar, kRightWork, 4350, 0, 12525, 0}),
    [](const ::testing::TestParamInfo<DockCase>& c) { return c.param.name; });

TEST(DockingTest, AtOtherScalesTheArithmeticUsesTheScreensTwipsPerPixel) {
    test::TestApp app;
    app.desktop.screen = {1280, 1024, 12, 12};
    app.desktop.taskbar = {0, 984, 1280, 1024};
    app.desktop.workArea = {0, 0, 1280, 984};
    app.Start();
    auto& form = app.MainForm();

    DockWindow(*app.forms, 3);
    EXPECT_EQ(form.Bounds().left, 15360 - 2835);
    EXPECT_EQ(form.Bounds().top, 12 * 984 - 4350);
}

TEST(DockingTest, ACornerCodeOutsideTheFourOnlyRefreshesTheTaskbarData) {
    test::TestApp app;
    app.Start();
    auto& form = app.MainForm();
    form.Move(4000, 3000, 2835, 4350);
    const auto before = form.Bounds();

    for (const std::int16_t corner : {std::int16_t{-1}, std::int16_t{4}, std::int16_t{32767}}) {
        app.desktop.taskbar = {0, 700 + corner % 10, 1024, 768};
        DockWindow(*app.forms, corner);
        EXPECT_EQ(form.Bounds(), before) << "corner " << corner;
        EXPECT_EQ(app.forms->module().TaskbarData, app.desktop.taskbar) << "corner " << corner;
        EXPECT_EQ(app.forms->module().TaskbarTop, app.desktop.taskbar.top) << "corner " << corner;
    }
}

TEST(DockingTest, AQueryWithoutAnswerBeforeAnyOtherRestsOnTheWorkArea) {
    test::TestApp app;
    app.desktop.taskbarAnswers = false;
    app.Start();

    DockWindow(*app.forms, 2);
    EXPECT_EQ(app.forms->module().TaskbarTop, 0);
    EXPECT_EQ(app.MainForm().Bounds().left, 0);
    EXPECT_EQ(app.MainForm().Bounds().top, 15 * 738 - 4350);
}

TEST(DockingTest, AQueryWithoutAnswerKeepsTheLastTaskbarSeen) {
    test::TestApp app;
    app.Start();
    ReadTaskbarPos(*app.forms);
    app.desktop.taskbarAnswers = false;
    app.desktop.taskbar = kTopBar;  // moved, but the shell no longer says so

    DockWindow(*app.forms, 3);
    EXPECT_EQ(app.forms->module().TaskbarTop, 738);
    EXPECT_EQ(app.MainForm().Bounds().top, 6720);
}

TEST(DockingTest, ReadingTheTaskbarFollowsItWhereverItMoves) {
    test::TestApp app;
    app.Start();
    for (const PixelRect& bar : {kBottomBar, kTopBar, kLeftBar, kRightBar}) {
        app.desktop.taskbar = bar;
        ReadTaskbarPos(*app.forms);
        EXPECT_EQ(app.forms->module().TaskbarData, bar);
        EXPECT_EQ(app.forms->module().TaskbarTop, bar.top);
    }
}

TEST(DockingTest, TheTaskbarLiesAlongTheBottomOnlyWhenItSpansItAndTouchesIt) {
    const platform::ScreenInfo screen{1024, 768, 15, 15};
    EXPECT_TRUE(TaskbarAlongBottom(kBottomBar, screen));
    EXPECT_TRUE(TaskbarAlongBottom({-2, 766, 1026, 770}, screen)) << "auto-hidden, overhanging";
    EXPECT_FALSE(TaskbarAlongBottom(kTopBar, screen));
    EXPECT_FALSE(TaskbarAlongBottom(kLeftBar, screen));
    EXPECT_FALSE(TaskbarAlongBottom(kRightBar, screen));
    EXPECT_FALSE(TaskbarAlongBottom({}, screen)) << "never answered";
    EXPECT_FALSE(TaskbarAlongBottom({0, 738, 1024, 760}, screen)) << "short of the bottom";
    EXPECT_FALSE(TaskbarAlongBottom({0, 738, 800, 768}, screen)) << "not the full width";
    EXPECT_FALSE(TaskbarAlongBottom({0, 0, 1024, 768}, screen)) << "the whole screen";
}

struct SwitchCase {
    std::string commandLine;
    float left;
    float top;
};

void PrintTo(const SwitchCase& c, std::ostream* out) {
    *out << '"' << c.commandLine << '"';
}

class DockSwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(DockSwitchTest, TheLoadAppliesTheCornersInFixedOrder) {
    test::TestApp app;
    app.desktop.commandLine = GetParam().commandLine;
    app.Start();
    EXPECT_EQ(app.MainForm().Bounds().left, GetParam().left);
    EXPECT_EQ(app.MainForm().Bounds().top, GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, DockSwitchTest,
    ::testing::Values(SwitchCase{"-dock TL", 0, 0}, SwitchCase{"-dock TR", 12525, 0},
                      SwitchCase{"-dock BR", 12525, 6720}, SwitchCase{"-dock BL", 0, 6720},
                      // Bottom left is applied last, whatever the order on the line.
                      SwitchCase{"-dock BL -dock TR", 0, 6720},
                      SwitchCase{"-dock TR -dock BL", 0, 6720},
                      SwitchCase{"-dock TL -dock BR", 0, 0},
                      SwitchCase{"-dock BR -dock TR", 12525, 6720}));

TEST(DockingTest, WithoutASwitchTheWindowStaysWhereTheSystemOpenedIt) {
    test::TestApp app;
    app.Start();
    EXPECT_EQ(app.MainForm().Bounds().left, 90 * 15);
    EXPECT_EQ(app.MainForm().Bounds().top, 90 * 15);
}

}  // namespace
}  // namespace tw
