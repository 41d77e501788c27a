// The "-dock" start switches, read back from where the window really is on the screen.
#include "desktop_test.h"

namespace tw::e2e {
namespace {

using Docking = DesktopTest;

TEST_F(Docking, EachCornerSwitchPlacesTheMainWindowByTheArithmetic) {
    const std::optional<RECT> taskbar = TaskbarPosition();
    ASSERT_TRUE(taskbar.has_value())
        << "the test needs a taskbar position to compute the bottom corners";
    ASSERT_GT(taskbar->top, kMainHeight) << "the taskbar is not along the bottom";

    // The bottom corners rest on the top edge of the taskbar, whatever the work area says.
    // Under Wine on the 1024 x 768 test screen the taskbar is a one-pixel strip at row 767,
    // so "-dock BR" lands at (835, 477, 1024, 767) and "-dock TL" at (0, 0, 189, 290). Small
    // Mode (240 twips high) is applied first, so the strip is what docks.
    const struct {
        const wchar_t* corner;
        bool right, bottom, small;
    } corners[] = {{L"TR", true, false, false},
                   {L"TL", false, false, false},
                   {L"BL", false, true, false},
                   {L"BR", true, true, false},
                   {L"BR", true, true, true}};
    // Small Mode stores itself in the user's settings.
    const KeptSetting mode(L"Settings", L"Mode");
    for (const auto& dock : corners) {
        SCOPED_TRACE(testing::Message() << (dock.small ? "-mode 1 " : "") << "-dock "
                                        << std::filesystem::path(dock.corner).string());
        std::vector<std::wstring> switches{L"-dock", dock.corner};
        if (dock.small) {
            switches.insert(switches.begin(), {L"-mode", L"1"});
        }
        ASSERT_NO_FATAL_FAILURE(StartTunewarden(switches));
        const LONG height = dock.small ? kSmallHeight : kMainHeight;
        const LONG left = dock.right ? GetSystemMetrics(SM_CXSCREEN) - kMainWidth : 0;
        const LONG top = dock.bottom ? taskbar->top - height : 0;
        EXPECT_TRUE(RestsAt(mainWindow_, {left, top, left + kMainWidth, top + height}));
    }
}

}  // namespace
}  // namespace tw::e2e
