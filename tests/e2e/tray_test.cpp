// The notification-area icon in a real taskbar, clicked where the shell shows it. Under Wine
// these run in its desktop with the shell (the "shell" configuration of scripts/test.sh).
#include <algorithm>
#include <optional>

#include "desktop_test.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace tw::e2e {
namespace {

constexpr wchar_t kMenuClass[] = L"Tunewarden_Menu";
constexpr UINT kIconId = 1;

class Tray : public DesktopTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DesktopTest::SetUp());
        taskbar_ = WaitForTopLevel(L"Shell_TrayWnd", nullptr, 0, Millis(10000));
        ASSERT_TRUE(PollUntil(Millis(5000), [&] { return IsWindowVisible(taskbar_) != FALSE; }))
            << "no taskbar on this desktop (under Wine, run these in its desktop with the shell)";
    }

    // A killed program leaves its icon behind until the pointer passes over it, on Windows as
    // under Wine: the next test would find two.
    void TearDown() override {
        RemoveIcon();
        DesktopTest::TearDown();
    }

    HWND Sink() const {
        return FindWindowExW(mainWindow_, nullptr, L"Tunewarden.IconSink", nullptr);
    }

    bool RemoveIcon() const {
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof(icon);
        icon.hWnd = Sink();
        icon.uID = kIconId;
        return Shell_NotifyIconW(NIM_DELETE, &icon) != FALSE;
    }

    // Where the program's icon is on the screen, if the shell shows it. Wine 8 does not say
    // (E_NOTIMPL): its taskbar paints the icons itself, right of its buttons (child windows),
    // on its own colour, and the test's icon is the only one there.
    std::optional<RECT> Icon() const {
        NOTIFYICONIDENTIFIER icon{};
        icon.cbSize = sizeof(icon);
        icon.hWnd = Sink();
        icon.uID = kIconId;
        RECT rect{};
        if (SUCCEEDED(Shell_NotifyIconGetRect(&icon, &rect))) {
            return rect;
        }
        const RECT bar = WindowRect(taskbar_).value_or(RECT{});
        LONG left = bar.left;
        for (HWND child = GetWindow(taskbar_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child)) {
                left = std::max(left, WindowRect(child).value_or(RECT{}).right);
            }
        }
        const int width = bar.right - left, height = bar.bottom - bar.top;
        if (width <= 0 || height <= 0) {
            return std::nullopt;
        }
        const ScreenCopy area({left, bar.top}, width, height);
        const COLORREF face = area.At(width - 1, 0);
        RECT box{width, height, 0, 0};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (area.At(x, y) != face) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        if (box.right == 0) {
            return std::nullopt;
        }
        OffsetRect(&box, left, bar.top);
        return box;
    }

    // Clicks the middle of the icon, once it shows.
    void ClickIcon(Button button) {
        std::optional<RECT> icon;
        ASSERT_TRUE(PollUntil(Millis(5000), [&] { return (icon = Icon()).has_value(); }))
            << "the icon is not in the notification area";
        ASSERT_TRUE(
            Click({(icon->left + icon->right) / 2, (icon->top + icon->bottom) / 2}, button));
    }

    // Leaves the menu in menu_, once it is up.
    void ExpectRightClickOpensMenu() {
        ASSERT_NO_FATAL_FAILURE(ClickIcon(Button::kRight));
        menu_ = FindTopLevel(kMenuClass, nullptr, tunewarden_.id());
        EXPECT_TRUE(PollUntil(Millis(3000), [&] { return IsWindowVisible(menu_) != FALSE; }))
            << "the icon's right click did not open the menu";
    }

    HWND taskbar_ = nullptr;
    HWND menu_ = nullptr;
};

TEST_F(Tray, RightClickOnTheIconOpensTheMenuOnTheTaskbarAndLeftClickBringsTheBarForward) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    ASSERT_NO_FATAL_FAILURE(ExpectRightClickOpensMenu());
    // Wine's taskbar reports itself as a one-pixel strip at the screen's foot; the work area
    // knows better.
    const LONG taskbarTop = WindowBox(taskbar_)[1];
    EXPECT_TRUE(PollUntil(Millis(2000), [&] { return WindowBox(menu_)[3] == taskbarTop; }))
        << testing::PrintToString(WindowBox(menu_)) << " does not rest on the taskbar at "
        << taskbarTop;

    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());
    ASSERT_NO_FATAL_FAILURE(ClickIcon(Button::kLeft));
    EXPECT_TRUE(PollUntil(Millis(2000), [&] { return GetForegroundWindow() == mainWindow_; }))
        << "the icon's left click did not bring the bar forward";
}

TEST_F(Tray, TheIconComesBackWhenTheShellStartsAgain) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    ASSERT_TRUE(PollUntil(Millis(5000), [&] { return Icon().has_value(); }))
        << "the icon never showed";
    // Under Wine the shell is the desktop's own process, and the desktop does not outlive it:
    // the restart is played as the program sees it. The shell comes back without the icon and
    // tells every top-level window so.
    ASSERT_TRUE(RemoveIcon());
    ASSERT_TRUE(PollUntil(Millis(3000), [&] { return !Icon().has_value(); }))
        << "the shell still shows the icon";
    ASSERT_TRUE(
        SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
    ASSERT_NO_FATAL_FAILURE(ExpectRightClickOpensMenu());
}

}  // namespace
}  // namespace tw::e2e
