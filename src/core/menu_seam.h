// The popup menu as the code below it reaches it (docking, the mode switch,
// the tray icon, the main window): its place, whether it shows, its handle.
// Nothing here loads the menu: while the program shuts down it stays gone.
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
