// Where the taskbar leaves room: the main window docked to a corner of its monitor (the "-dock"
// switches: title_strip_test.cpp), the menu opened from the notification-area icon, and the bar
// when the monitors change.
#include "core/docking.h"

#include <gtest/gtest.h>

#include "core/menu_seam.h"
#include "menu/frm_about.h"
#include "menu/frm_menu.h"
#include "test_app.h"

namespace tw {
namespace {

using platform::PixelRect;
using platform::TwipRect;

// 1024 x 768 pixels at 15 twips per pixel: 15360 twips wide.
constexpr platform::ScreenInfo kScreen{1024, 768, 15, 15}, k120{1280, 1024, 12, 12};
constexpr PixelRect kBottomBar{0, 738, 1024, 768}, kTopBar{0, 0, 1024, 30}, kLeftBar{0, 0, 60, 768},
    kRightBar{964, 0, 1024, 768};

TEST(DockingTest, TheCornersAndTheTrayMenuRestOnTheTaskbarOrTheWorkArea) {
    constexpr auto kTR = DockCorner::TopRight, kTL = DockCorner::TopLeft,
                   kBL = DockCorner::BottomLeft, kBR = DockCorner::BottomRight;
    // The menu is 1890 x 3000 twips and stands 100 twips in from the work area's right, to
    // the whole pixel; the docked window goes by the screen's width.
    // Second monitors: right of the screen, taller, and with the shell's taskbar; left of it,
    // with a bar along its top.
    constexpr PixelRect kWork{0, 0, 1024, 738}, kSecondBar{1024, 994, 2304, 1024};
    constexpr platform::Monitor kRight{{1024, 0, 2304, 1024}, {1024, 0, 2304, 1024}},
        kRightBar2{{1024, 0, 2304, 1024}, {1024, 0, 2304, 994}},
        kLeft{{-1280, 0, 0, 1024}, {-1280, 40, 0, 1024}};
    const struct {
        platform::ScreenInfo screen;
        PixelRect taskbar, workArea;
        float height;  // the main window's height at the time of the dock
        DockCorner corner;
        float left, top, menuLeft, menuTop;
        platform::Monitor other{};  // a second monitor
        float barLeft = 4000;       // where the bar is before the dock
    } cases[] = {
        // The taskbar along the bottom, even drawn a little beyond the screen: both sit on
        // its top edge.
        {kScreen, kBottomBar, {0, 0, 1024, 738}, 4350, kBR, 12525, 6720, 13365, 8070},
        {kScreen, {-2, 736, 1026, 770}, {0, 0, 1024, 738}, 4350, kBR, 12525, 6690, 13365, 8040},
        // 2835 x 4350 twips are 236 x 363 whole pixels at 12 twips a pixel.
        {k120, {0, 984, 1280, 1024}, {0, 0, 1280, 984}, 4350, kBR, 12528, 7452, 13368, 8808},
        // A taskbar that reports less than it covers (Wine's shell: a one-pixel strip under a
        // 20-pixel bar) is not covered: the work area still ends above it.
        {kScreen, {0, 767, 1024, 768}, {0, 0, 1024, 748}, 4350, kBR, 12525, 6870, 13365, 8220},
        // Elsewhere both rest on the bottom of the work area.
        {kScreen, kTopBar, {0, 30, 1024, 768}, 4350, kBR, 12525, 7170, 13365, 8520},
        {kScreen, kLeftBar, {60, 0, 1024, 768}, 600, kBL, 0, 10920, 13365, 8520},
        {kScreen, kRightBar, {0, 0, 964, 768}, 4350, kTR, 12525, 0, 12465, 8520},
        // With a second monitor the bar docks on the one that holds most of it, in its work area,
        // away from the primary's taskbar; the menu stays on the taskbar's monitor, even when the
        // taskbar is drawn a little into the neighbouring one.
        {kScreen, kBottomBar, kWork, 4350, kBR, 34560 - 2835, 11010, 13365, 8070, kRight, 15000},
        {kScreen, {-2, 736, 1026, 770}, kWork, 4350, kTL, -19200, 600, 13365, 8040, kLeft, -15000},
        // The shell's taskbar on the second monitor: the menu goes there.
        {kScreen, kSecondBar, {0, 0, 1024, 768}, 4350, kBR, 12525, 7170, 32565, 11910, kRightBar2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.widthPixels << ": " << c.taskbar.left << ","
                                        << c.taskbar.top << " " << c.taskbar.right);
        test::TestApp app;
        app.desktop.screen = c.screen;
        app.desktop.taskbar = c.taskbar;
        app.desktop.workArea = c.workArea;
        if (c.other.bounds != PixelRect{}) {
            app.desktop.otherMonitors = {c.other};
        }
        app.Start();
        // Each asks the shell where the taskbar is: neither may count on the other.
        app.NotifyIcon();
        EXPECT_EQ(MenuBounds(app.forms).left, c.menuLeft);
        EXPECT_EQ(MenuBounds(app.forms).top, c.menuTop);
        app.MainForm().Move(c.barLeft, 3000, 2835, c.height);
        DockWindow(app.forms, c.corner);
        EXPECT_EQ(app.MainForm().Bounds().left, c.left);
        EXPECT_EQ(app.MainForm().Bounds().top, c.top);
        EXPECT_EQ(app.forms.module().TaskbarTop, c.taskbar.top);
    }
}

TEST(DockingTest, WhenTheShellNoLongerAnswersTheLastAnswerStands) {
    test::TestApp app;
    app.Start();
    app.desktop.taskbar = {0, 704, 1024, 768};
    DockWindow(app.forms, DockCorner::TopLeft);
    app.desktop.taskbarAnswers = false;
    app.desktop.taskbar = kTopBar;  // moved, but the shell no longer says so
    app.desktop.workArea = {0, 0, 1024, 690};
    DockWindow(app.forms, DockCorner::BottomRight);
    EXPECT_EQ(app.forms.module().TaskbarTop, 704);
    EXPECT_EQ(app.MainForm().Bounds().top, 15 * 690 - 4350) << "never below the work area";
}

// As WM_DISPLAYCHANGE tells it: the second monitor goes, and comes back. Every window left on
// no monitor comes onto the nearest, as little moved as it can be; one still on a monitor stays
// where it is, even partly off it.
TEST(DockingTest, WhenTheMonitorsChangeADockedBarKeepsItsCornerAndOneLeftOffThemComesBack) {
    const platform::Monitor second{{1024, 0, 1824, 600}, {1024, 0, 1824, 600}};
    test::TestApp app;
    app.desktop.otherMonitors = {second};
    const auto game = app.desktop.AddWindow("Valve001", "Counter-Strike");
    app.desktop.Other(game)->rect = {1100, 0, 1800, 500};
    app.Start();
    app.MainForm().Move(20000, 3000, 2835, 4350);
    DockWindow(app.forms, DockCorner::BottomRight);
    app.forms.Load<FrmAnnounce>().window().Move(20000, 3000, 3495, 1920);
    app.NotifyIcon();
    app.Form("Menu")->Move(20000, 600, 1890, 3000);
    app.desktop.Click(app.Form("Menu")->At(FrmMenu::lblTitle, 10, 5));  // About, over the bar
    ASSERT_NE(app.Form("About"), nullptr);
    app.desktop.BringToForeground(game);
    app.Chord(104);  // the song, on the game's monitor
    app.desktop.otherMonitors.clear();
    app.desktop.ChangeDisplays();
    EXPECT_EQ(app.MainForm().Bounds(), (TwipRect{12525, 6720, 2835, 4350}));
    EXPECT_EQ(app.Announcer().Bounds(), (TwipRect{15360 - 3495, 3000, 3495, 1920}));
    EXPECT_EQ(app.Form("About")->Bounds(), (TwipRect{15360 - 5880, 4650 + 885, 5880, 2580}));
    EXPECT_EQ(app.Display()->Bounds(), (TwipRect{15360 - 4185, 75, 4185, 870}));
    EXPECT_EQ(app.Form("Menu")->Bounds(), (TwipRect{15360 - 1890, 600, 1890, 3000}));

    // Dragged to (1100, 650), below where the second monitor was: docked no more, it comes
    // onto the nearest monitor, the second one back again. The announcer, partly below the
    // screen, stays.
    app.Announcer().Move(3000, 15 * 733, 3495, 1920);
    app.desktop.Click(app.Form("About")->At(FrmAbout::lblOk, 10, 5));
    const auto grab = app.Title(20, 10);
    app.desktop.Press(grab);
    app.desktop.Move({grab.x + 265, grab.y + 202});
    app.desktop.Release({grab.x + 265, grab.y + 202});
    app.desktop.otherMonitors = {second};
    app.desktop.ChangeDisplays();
    EXPECT_EQ(app.MainForm().Bounds(), (TwipRect{16500, 9000 - 4350, 2835, 4350}));
    EXPECT_EQ(app.Announcer().Bounds(), (TwipRect{3000, 15 * 733, 3495, 1920}));
}

TEST(DockingTest, TheTaskbarLiesAlongTheBottomOnlyWhenItSpansItAndTouchesIt) {
    constexpr PixelRect kMonitor{0, 0, 1024, 768};
    EXPECT_TRUE(TaskbarAlongBottom({-2, 766, 1026, 770}, kMonitor)) << "auto-hidden, overhanging";
    EXPECT_TRUE(TaskbarAlongBottom({0, 385, 1024, 768}, kMonitor)) << "just below half the screen";
    EXPECT_TRUE(TaskbarAlongBottom({1024, 570, 1824, 600}, {1024, 0, 1824, 600}));
    for (const PixelRect& bar :
         {kTopBar, PixelRect{}, PixelRect{0, 738, 1024, 760}, PixelRect{0, 738, 800, 768},
          PixelRect{0, 384, 1024, 768},
          PixelRect{0, 1506, 1024, 1536}}) {  // along the bottom of a monitor below
        EXPECT_FALSE(TaskbarAlongBottom(bar, kMonitor))
            << bar.left << "," << bar.top << " " << bar.right << "," << bar.bottom;
    }
}

}  // namespace
}  // namespace tw
