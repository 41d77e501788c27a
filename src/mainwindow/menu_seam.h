// The popup menu as the main window, docking and the mode switch reach it: its
// place, whether it shows, its handle.
//
// The menu window itself is not built yet. Until it is, these keep the place
// and visibility that its callers give it, at the menu's design size, with no
// window behind them: nothing appears on the screen and the handle is 0.
#pragma once

#include "platform/types.h"

namespace tw {

class Forms;

platform::TwipRect MenuBounds(Forms& forms);
bool MenuVisible(Forms& forms);
platform::WindowHandle MenuHandle(Forms& forms);
// Sets the menu's left and top; its size stays.
void MoveMenu(Forms& forms, float left, float top);
void SetMenuVisible(Forms& forms, bool visible);

}  // namespace tw
