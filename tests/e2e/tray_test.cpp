// The notification-area icon in a real taskbar, clicked where the shell shows it. Under Wine
// these run in its desktop with the shell (the "shell" configuration of scripts/test.sh).
#include "desktop_test.h"

namespace tw::e2e {
namespace {

class Tray : public DesktopTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DesktopTest::SetUp());
        ASSERT_NE(taskbar_ = VisibleTaskbar(), nullptr)
            << "no taskbar on this desktop (under Wine, run these in its desktop with the shell)";
    }

    // A killed program leaves its icon behind until the pointer passes over it, on Windows as
    // under Wine: the next test would find two.
    void TearDown() override {
        RemoveIcon(mainWindow_);
        DesktopTest::TearDown();
    }

    HWND taskbar_ = nullptr;
};

TEST_F(Tray, RightClickOnTheIconOpensTheMenuOnTheTaskbarAndLeftClickBringsTheBarForward) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    ASSERT_NO_FATAL_FAILURE(ClickIcon(taskbar_, Button::kRight));
    const HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr) << "the icon's right click did not open the menu";
    ASSERT_TRUE(ComesForward(menu)) << "the menu did not take the focus";
    // Wine's taskbar reports itself as a one-pixel strip at the screen's foot; the work area
    // knows better.
    const LONG taskbarTop = WindowBox(taskbar_)[1];
    EXPECT_TRUE(PollUntil(Millis(2000), [&] { return WindowBox(menu)[3] == taskbarTop; }))
        << testing::PrintToString(WindowBox(menu)) << " does not rest on the taskbar at "
        << taskbarTop;

    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());
    ASSERT_NO_FATAL_FAILURE(ClickIcon(taskbar_, Button::kLeft));
    EXPECT_TRUE(ComesForward(mainWindow_)) << "the icon's left click did not bring the bar forward";
}

TEST_F(Tray, TheIconComesBackWhenTheShellStartsAgain) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    ASSERT_TRUE(PollUntil(Millis(5000), [&] {
        return FindIcon(mainWindow_, taskbar_).has_value();
    })) << "the icon never showed";
    // Under Wine the shell is the desktop's own process, and the desktop does not outlive it:
    // the restart is played as the program sees it. The shell comes back without the icon and
    // tells every top-level window so.
    ASSERT_TRUE(RemoveIcon(mainWindow_));
    ASSERT_TRUE(PollUntil(Millis(3000), [&] {
        return !FindIcon(mainWindow_, taskbar_).has_value();
    })) << "the shell still shows the icon";
    ASSERT_TRUE(
        SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
    ASSERT_NO_FATAL_FAILURE(ClickIcon(taskbar_, Button::kRight));
    EXPECT_NE(WaitForMenu(), nullptr) << "the icon's right click did not open the menu";
}

}  // namespace
}  // namespace tw::e2e
