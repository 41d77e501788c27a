// What the shared routines and the windows lower in the stack may do with the
// two windows above them: the main window and the popup menu. Each of those
// implements its interface, and the owner of the windows hands it down, so that
// nothing below includes a window above it.
#pragma once

#include <optional>
#include <string>

#include "core/module.h"
#include "platform/types.h"
#include "platform/window.h"

namespace tw {

class MainWindow {
  public:
    // Only SwitchMode changes it.
    DisplayMode mode = DisplayMode::Normal;
    // The corner the window was last docked to, until the user moves it: the
    // window keeps it when the monitors change.
    std::optional<DockCorner> dockedCorner;

    virtual platform::Form& MainForm() = 0;
    virtual void MakeNormal(platform::WindowHandle handle) = 0;
    // The notification-area icon with its tip, and its removal.
    virtual void StartIcon(const std::string& title) = 0;
    virtual void stopIcon() = 0;

  protected:
    MainWindow() = default;
    ~MainWindow() = default;
    MainWindow(const MainWindow&) = default;
    MainWindow& operator=(const MainWindow&) = default;
};

class PopupMenu {
  public:
    virtual platform::Form& MenuForm() = 0;
    // Five seconds from now, unless they run already, the menu hides itself.
    virtual void StartHideTimer() = 0;

  protected:
    PopupMenu() = default;
    ~PopupMenu() = default;
    PopupMenu(const PopupMenu&) = default;
    PopupMenu& operator=(const PopupMenu&) = default;
};

}  // namespace tw
