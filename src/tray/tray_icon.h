// The main window's notification-area icon: put up at start and after every
// mode switch, taken down first on every way out, and what its clicks do.
#pragma once

#include <cstdint>
#include <string>

#include "core/module.h"
#include "platform/types.h"

namespace tw {

class Forms;
class MainWindow;

// The menu's place for a menu of the given size on the monitor of the taskbar
// that holds the icon: its bottom edge on the row the bottom corners rest on
// (BottomRestRow), its right edge 100 twips in from the monitor's with the
// taskbar along the bottom and from the work area's otherwise, so that it opens
// on that monitor and clear of the taskbar.
platform::TwipRect TrayMenuPlace(const Module& module, const platform::ScreenInfo& screen,
                                 const platform::Monitor& monitor, float width, float height);

class TrayIcon {
  public:
    // The icon shows the main window's icon and reports its clicks as mouse
    // moves of the main window's control `control`.
    TrayIcon(Forms& forms, MainWindow& main, int control);

    // The shell's answer is not looked at: without an icon the program runs
    // on, and later removals and additions are sent all the same.
    void Add(const std::string& tip);
    void Remove();
    // A click on the icon: 1 the left action, which brings the bar forward; 2
    // the right one, which opens the menu above the taskbar.
    void Clicked(std::int16_t button);

  private:
    void OpenMenu();

    Forms& forms_;
    MainWindow& main_;
    int control_;
};

}  // namespace tw
