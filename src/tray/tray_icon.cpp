// The main window's notification-area icon: put up at start and after every
// mode switch, taken down first on every way out, and what its clicks do.
#include "tray/tray_icon.h"

#include <cstdint>

#include "mainwindow/docking.h"
#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/menu_seam.h"
#include "menu/frm_menu.h"
#include "platform/units.h"

namespace tw {

namespace {

constexpr std::uint32_t kIconId = 1;
// Between the menu's right edge and the screen's.
constexpr float kMenuInset = 100;

}  // namespace

platform::TwipRect TrayMenuPlace(const Module& module, const platform::ScreenInfo& screen,
                                 const platform::PixelRect& workArea, float width, float height) {
    const platform::Units units(screen);
    const float top =
        units.YToTwips(static_cast<float>(BottomRestRow(module, screen, workArea))) - height;
    if (TaskbarAlongBottom(module.TaskbarData, screen)) {
        return {screen.WidthTwips() - (width + kMenuInset), top, width, height};
    }
    return {units.XToTwips(static_cast<float>(workArea.right)) - (width + kMenuInset), top, width,
            height};
}

// The shell's answer is not looked at: without an icon the program runs on,
// and later removals and additions are sent all the same.
void FrmMain::StartIcon(const std::string& title) {
    window().AddNotifyIcon(picSysTray, kIconId, title);
}

void FrmMain::stopIcon() {
    window().DeleteNotifyIcon(kIconId);
}

// The icon's clicks arrive as moves of picSysTray: 1 the left action, 2 the right.
void FrmMain::picSysTray_MouseMove(std::int16_t button, std::int16_t /*shift*/, float /*x*/,
                                   float /*y*/) {
    if (button == platform::mouse::kLeft) {
        window().SetVisible(true);
        window().SetFocus();
    }
    if (button == platform::mouse::kRight) {
        ReadTaskbarPos(forms_);
        const platform::TwipRect menu = MenuBounds(forms_);
        const platform::TwipRect place = TrayMenuPlace(
            forms_.module(), system().Screen(), system().WorkArea(), menu.width, menu.height);
        MoveMenu(forms_, place.left, place.top);
        MakeTopMost(MenuHandle(forms_));
        SetMenuVisible(forms_, true);
        // Also when it was open already: its five seconds run from the first opening.
        forms_.Load<FrmMenu>().window().StartTimer(FrmMenu::Timer1, FrmMenu::kHideMs);
    }
}

}  // namespace tw
