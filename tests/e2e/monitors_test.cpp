// Two monitors side by side, as the twomonitors configuration gives them to Wine: the primary
// (0, 0)-(1024, 768) and a second one (1024, 0)-(1824, 600), without taskbars.
#include "desktop_test.h"

namespace tw::e2e {
namespace {

using TwoMonitors = DesktopTest;

TEST_F(TwoMonitors, TheSongShowsWhereTheGameIsAndTheBarDocksAndComesBackOnItsMonitor) {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "not the two-monitor configuration";
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // The game in front on the second monitor: the display 260.5 pixels into its top, rounded up.
    ASSERT_TRUE(MoveWindowTo(playerWindow_, {1200, 100}));
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD8}));
    const HWND display = WaitForShown(L"Tunewarden_frmSongShow", tunewarden_.id(), Millis(2000));
    EXPECT_TRUE(RestsAt(display, {1285, 5, 1285 + 279, 5 + 58}, Millis(1000)));

    // The title's menu opens on the second monitor, and docks the bar in that one's corner.
    ASSERT_TRUE(MoveWindowTo(mainWindow_, {1100, 100}));
    ASSERT_TRUE(RestsAt(mainWindow_, {1100, 100, 1100 + kMainWidth, 100 + kMainHeight}));
    ASSERT_TRUE(Click({1180, 108}, Button::kRight));
    const HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    const Box row = WindowBox(menu);
    ASSERT_TRUE(Click({row[0] + 110, row[1] + (1020 + 127) / 15}, Button::kLeft));  // Bottom Right
    const Box corner{1824 - kMainWidth, 600 - kMainHeight, 1824, 600};
    EXPECT_TRUE(RestsAt(mainWindow_, corner));

    // Left off every monitor: docked, it keeps its corner; moved by the user, it comes onto
    // the nearest monitor, as little moved as it can be.
    ASSERT_TRUE(LeaveAfterADisplayChange(mainWindow_, {1100, 650}));
    EXPECT_TRUE(RestsAt(mainWindow_, corner));
    ASSERT_TRUE(
        Drag({corner[0] + 80, corner[1] + 8}, {corner[0] + 70, corner[1]}, Button::kLeft, 3));
    // The drag's last move lands before the window is taken away, or it would bring it back.
    ASSERT_TRUE(
        RestsAt(mainWindow_, {corner[0] - 10, corner[1] - 8, corner[2] - 10, corner[3] - 8}));
    ASSERT_TRUE(LeaveAfterADisplayChange(mainWindow_, {1100, 650}));
    EXPECT_TRUE(RestsAt(mainWindow_, {1100, 600 - kMainHeight, 1100 + kMainWidth, 600}));
}

}  // namespace
}  // namespace tw::e2e
