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
void SetMenuVisible(Forms& forms, bool visible);
// Opens the menu with its top-left corner at (left, top), screen twips, in the
// topmost band, so that no other window hides it.
void ShowMenuAt(Forms& forms, float left, float top);

}  // namespace tw
