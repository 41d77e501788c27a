#include "tray/tray_icon.h"

#include "core/docking.h"
#include "core/forms.h"
#include "core/menu_seam.h"
#include "platform/units.h"

namespace tw {

namespace {

constexpr std::uint32_t kIconId = 1;
// Between the menu's right edge and the screen's.
constexpr float kMenuInset = 100;

}  // namespace

platform::TwipRect TrayMenuPlace(const Module& module, const platform::ScreenInfo& screen,
                                 const platform::Monitor& monitor, float width, float height) {
    const platform::Units units(screen);
    const float top = units.YToTwips(static_cast<float>(BottomRestRow(module, monitor))) - height;
    const std::int32_t right = TaskbarAlongBottom(module.TaskbarData, monitor.bounds)
                                   ? monitor.bounds.right
                                   : monitor.workArea.right;
    return {units.XToTwips(static_cast<float>(right)) - (width + kMenuInset), top, width, height};
}

TrayIcon::TrayIcon(Forms& forms, MainWindow& main, int control)
    : forms_(forms), main_(main), control_(control) {}

void TrayIcon::Add(const std::string& tip) {
    main_.MainForm().AddNotifyIcon(control_, kIconId, tip);
}

void TrayIcon::Remove() {
    main_.MainForm().DeleteNotifyIcon(kIconId);
}

void TrayIcon::Clicked(std::int16_t button) {
    if (button == platform::mouse::kLeft) {
        main_.MainForm().SetVisible(true);
        main_.MainForm().SetFocus();
    }
    if (button == platform::mouse::kRight) {
        OpenMenu();
    }
}

void TrayIcon::OpenMenu() {
    ReadTaskbarPos(forms_);
    platform::System& system = forms_.system();
    const platform::TwipRect menu = MenuBounds(forms_);
    // The icon sits on the taskbar the shell tells of; its middle is on that
    // taskbar's monitor even where the rectangle overhangs the edges.
    const platform::PixelRect& taskbar = forms_.module().TaskbarData;
    const platform::Monitor monitor =
        system.MonitorAt({(taskbar.left + taskbar.right) / 2, (taskbar.top + taskbar.bottom) / 2});
    const platform::TwipRect place =
        TrayMenuPlace(forms_.module(), system.Screen(), monitor, menu.width, menu.height);
    ShowMenuAt(forms_, place.left, place.top);
    // Also when it was open already: its five seconds run from the first opening.
    if (PopupMenu* popup = forms_.Menu()) {
        popup->StartHideTimer();
    }
}

}  // namespace tw
