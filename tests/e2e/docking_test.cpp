// The "-dock" start switches, read back from where the window really is on the screen.
#include "desktop_test.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace tw::e2e {
namespace {

using Docking = DesktopTest;

// The main window in Normal Mode: 2835 x 4350 twips at 15 twips per pixel.
constexpr LONG kMainWidth = 189;
constexpr LONG kMainHeight = 290;

TEST_F(Docking, EachCornerSwitchPlacesTheMainWindowByTheArithmetic) {
    APPBARDATA taskbar{};
    taskbar.cbSize = sizeof(taskbar);
    ASSERT_NE(SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar), 0u)
        << "the test needs a taskbar position to compute the bottom corners";
    ASSERT_GT(taskbar.rc.top, kMainHeight) << "the taskbar is not along the bottom";

    // The bottom corners rest on the top edge of the taskbar, whatever the work area says.
    // Under Wine on the 1024 x 768 test screen the taskbar is a one-pixel strip at row 767,
    // so "-dock BR" lands at (835, 477, 1024, 767) and "-dock TL" at (0, 0, 189, 290).
    const struct {
        const wchar_t* corner;
        bool right, bottom;
    } corners[] = {
        {L"TR", true, false}, {L"TL", false, false}, {L"BL", false, true}, {L"BR", true, true}};
    for (const auto& dock : corners) {
        SCOPED_TRACE(testing::Message() << "-dock " << std::filesystem::path(dock.corner).string());
        ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", dock.corner}));
        const LONG left = dock.right ? GetSystemMetrics(SM_CXSCREEN) - kMainWidth : 0;
        const LONG top = dock.bottom ? taskbar.rc.top - kMainHeight : 0;
        const Box wanted{left, top, left + kMainWidth, top + kMainHeight};
        PollUntil(Millis(3000), [&] { return WindowBox(mainWindow_) == wanted; });
        EXPECT_EQ(WindowBox(mainWindow_), wanted);
    }
}

}  // namespace
}  // namespace tw::e2e
