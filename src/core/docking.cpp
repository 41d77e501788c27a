#include "core/docking.h"

#include <algorithm>

#include "core/forms.h"
#include "core/menu_seam.h"

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

std::int32_t BottomRestRow(const Module& module, const platform::ScreenInfo& screen,
                           const platform::PixelRect& workArea) {
    if (TaskbarAlongBottom(module.TaskbarData, screen)) {
        return std::min(module.TaskbarTop, workArea.bottom);
    }
    return workArea.bottom;
}

void DockWindow(Forms& forms, DockCorner corner) {
    ReadTaskbarPos(forms);
    const auto code = static_cast<std::int16_t>(corner);
    if (code < 0 || code > 3) {
        return;
    }
    // The dock items are chosen from the menu: it goes before the window moves.
    SetMenuVisible(forms, false);
    MainWindow* main = forms.Main();
    if (main == nullptr) {
        return;
    }

    platform::System& system = forms.system();
    const Module& module = forms.module();
    platform::Form& window = main->MainForm();
    const platform::ScreenInfo screen = system.Screen();
    const platform::TwipRect bounds = window.Bounds();

    const bool bottom = corner == DockCorner::BottomLeft || corner == DockCorner::BottomRight;
    const bool right = corner == DockCorner::TopRight || corner == DockCorner::BottomRight;

    double top = 0;
    if (bottom) {
        const double twipsPerPixelY = screen.twipsPerPixelY;
        const std::int32_t restRow = BottomRestRow(module, screen, system.WorkArea());
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
