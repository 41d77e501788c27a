// The "-dock" start switches, read back from where the window really is on the screen.
#include <ostream>
#include <thread>

#include "fixture.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace tw::e2e {
namespace {

using Docking = DesktopTest;

// The main window in Normal Mode: 2835 x 4350 twips at 15 twips per pixel.
constexpr LONG kMainWidth = 189;
constexpr LONG kMainHeight = 290;

struct DockCase {
    const wchar_t* corner;
    bool right;
    bool bottom;
};

constexpr DockCase kDockCases[] = {
    {L"TR", true, false},
    {L"TL", false, false},
    {L"BL", false, true},
    {L"BR", true, true},
};

// A window rectangle that GoogleTest can compare and print.
struct Box {
    LONG left, top, right, bottom;
    bool operator==(const Box&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& box) {
        return out << "(" << box.left << ", " << box.top << ", " << box.right << ", "
                   << box.bottom << ")";
    }
};

Box WindowBox(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The bottom corners rest on the top edge of the taskbar, whatever the work area says. Under
// Wine on the 1024 x 768 test screen the taskbar is a one-pixel strip at row 767, so "-dock BR"
// lands at (835, 477, 1024, 767) and "-dock TL" at (0, 0, 189, 290).
Box ExpectedBox(const DockCase& dock, LONG taskbarTop) {
    const LONG left = dock.right ? GetSystemMetrics(SM_CXSCREEN) - kMainWidth : 0;
    const LONG top = dock.bottom ? taskbarTop - kMainHeight : 0;
    return {left, top, left + kMainWidth, top + kMainHeight};
}

Box WaitForBox(HWND window, const Box& wanted, Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const Box box = WindowBox(window);
        if (box == wanted || Clock::now() >= deadline) {
            return box;
        }
        std::this_thread::sleep_for(Millis(25));
    }
}

TEST_F(Docking, EachCornerSwitchPlacesTheMainWindowByTheArithmetic) {
    APPBARDATA taskbar{};
    taskbar.cbSize = sizeof(taskbar);
    ASSERT_NE(SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar), 0u)
        << "the test needs a taskbar position to compute the bottom corners";
    ASSERT_GT(taskbar.rc.top, kMainHeight) << "the taskbar is not along the bottom";

    for (const DockCase& dock : kDockCases) {
        SCOPED_TRACE(testing::Message() << "-dock " << std::filesystem::path(dock.corner).string());
        ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", dock.corner}));
        const Box wanted = ExpectedBox(dock, taskbar.rc.top);
        EXPECT_EQ(WaitForBox(mainWindow_, wanted, Millis(3000)), wanted);
        tunewarden_.Kill();
    }
}

}  // namespace
}  // namespace tw::e2e
