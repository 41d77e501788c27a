// The popup menu as the main window, docking, the mode switch and the tray
// icon reach it: its place, whether it shows, its handle.
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
