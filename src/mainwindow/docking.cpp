#include "mainwindow/docking.h"

#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"

namespace tw {

void ReadTaskbarPos(Forms& forms) {
    Module& module = forms.module();
    // The answer is not looked at: without one the previous rectangle stands.
    forms.system().QueryTaskbarRect(module.TaskbarData);
    module.TaskbarTop = module.TaskbarData.top;
}

bool TaskbarAlongBottom(const platform::PixelRect& taskbar, const platform::ScreenInfo& screen) {
    return taskbar.left <= 0 && taskbar.right >= screen.widthPixels &&
           taskbar.bottom >= screen.heightPixels && taskbar.top > screen.heightPixels / 2;
}

void DockWindow(Forms& forms, std::int16_t corner) {
    ReadTaskbarPos(forms);
    if (corner < 0 || corner > 3) {
        return;
    }
    // The dock items are chosen from the menu: it goes before the window moves.
    forms.HideMenu();

    platform::System& system = forms.system();
    const Module& module = forms.module();
    platform::Form& window = forms.frmMain().window();
    const platform::ScreenInfo screen = system.Screen();
    const platform::TwipRect bounds = window.Bounds();

    const auto dock = static_cast<DockCorner>(corner);
    const bool bottom = dock == DockCorner::BottomLeft || dock == DockCorner::BottomRight;
    const bool right = dock == DockCorner::TopRight || dock == DockCorner::BottomRight;

    double top = 0;
    if (bottom) {
        const double twipsPerPixelY = screen.twipsPerPixelY;
        const std::int32_t restRow = TaskbarAlongBottom(module.TaskbarData, screen)
                                         ? module.TaskbarTop
                                         : system.WorkArea().bottom;
        top = twipsPerPixelY * restRow - static_cast<double>(bounds.height);
    }
    double left = 0;
    if (right) {
        const double screenWidth =
            static_cast<double>(screen.widthPixels) * static_cast<double>(screen.twipsPerPixelX);
        left = screenWidth - static_cast<double>(bounds.width);
    }

    // Top first, then Left, each a move of its own.
    window.Move(bounds.left, static_cast<float>(top), bounds.width, bounds.height);
    window.Move(static_cast<float>(left), static_cast<float>(top), bounds.width, bounds.height);
}

}  // namespace tw
