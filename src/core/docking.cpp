#include "core/docking.h"

#include <algorithm>

#include "core/forms.h"
#include "core/menu_seam.h"
#include "platform/units.h"

namespace tw {

namespace {

// The rectangle, in pixels, whose corners the main window docks to on a monitor.
platform::PixelRect DockArea(const Module& module, const platform::Monitor& monitor) {
    const platform::PixelRect& edges = monitor.primary ? monitor.bounds : monitor.workArea;
    return {edges.left, edges.top, edges.right, BottomRestRow(module, monitor)};
}

}  // namespace

void ReadTaskbarPos(Forms& forms) {
    Module& module = forms.module();
    // The answer is not looked at: without one the previous rectangle stands.
    forms.system().QueryTaskbarRect(module.TaskbarData);
    module.TaskbarTop = module.TaskbarData.top;
}

bool TaskbarAlongBottom(const platform::PixelRect& taskbar, const platform::PixelRect& monitor) {
    return taskbar.left <= monitor.left && taskbar.right >= monitor.right &&
           taskbar.bottom >= monitor.bottom && taskbar.top < monitor.bottom &&
           taskbar.top > monitor.top + (monitor.bottom - monitor.top) / 2;
}

std::int32_t BottomRestRow(const Module& module, const platform::Monitor& monitor) {
    if (TaskbarAlongBottom(module.TaskbarData, monitor.bounds)) {
        return std::min(module.TaskbarTop, monitor.workArea.bottom);
    }
    return monitor.workArea.bottom;
}

void DockWindow(Forms& forms, DockCorner corner) {
    ReadTaskbarPos(forms);
    // The dock items are chosen from the menu: it goes before the window moves.
    SetMenuVisible(forms, false);
    MainWindow* main = forms.Main();
    if (main == nullptr) {
        return;
    }

    platform::System& system = forms.system();
    platform::Form& window = main->MainForm();
    const platform::ScreenInfo screen = system.Screen();
    const platform::TwipRect bounds = window.Bounds();
    const platform::PixelRect area =
        DockArea(forms.module(), system.MonitorOf(platform::Units(screen).ToPixels(bounds)));

    const bool bottom = corner == DockCorner::BottomLeft || corner == DockCorner::BottomRight;
    const bool right = corner == DockCorner::TopRight || corner == DockCorner::BottomRight;

    const double twipsPerPixelX = screen.twipsPerPixelX;
    const double twipsPerPixelY = screen.twipsPerPixelY;
    const double top = bottom ? twipsPerPixelY * area.bottom - static_cast<double>(bounds.height)
                              : twipsPerPixelY * area.top;
    const double left = right ? twipsPerPixelX * area.right - static_cast<double>(bounds.width)
                              : twipsPerPixelX * area.left;

    // Top first, then Left, each a move of its own.
    window.Move(bounds.left, static_cast<float>(top), bounds.width, bounds.height);
    window.Move(static_cast<float>(left), static_cast<float>(top), bounds.width, bounds.height);
    main->dockedCorner = corner;
}

}  // namespace tw
