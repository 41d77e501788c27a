// The tooltips of one window: a tooltip control that the window owns, with one
// tool per control that has a tip.
#pragma once

#include <windows.h>

#include <set>
#include <string_view>

namespace tw::platform::win32 {

class ToolTips {
  public:
    // Gives a control its tip, changes it, or takes it away (empty text). A real
    // child window is its own tool and follows that window; any other control's
    // tool is an area of the owner's client rectangle.
    void Set(HWND owner, int id, HWND child, const RECT& area, std::string_view text);
    // A drawn control moved, or was hidden: an empty area shows its tip nowhere.
    void MoveArea(HWND owner, int id, const RECT& area);
    // The owner has been destroyed, and the tooltip control with it.
    void Forget();

  private:
    bool Create(HWND owner);

    HWND window_ = nullptr;
    std::set<int> tools_;  // the controls that have a tool
};

}  // namespace tw::platform::win32
