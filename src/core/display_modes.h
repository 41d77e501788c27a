// The main window's three heights, so that the user can fold it down to its
// title strip during a game.
#pragma once

#include <string>

#include "core/module.h"

namespace tw {

class Forms;

// The tray tip for a mode: "Tunewarden 1.4 - Small Mode".
std::string TrayTitle(DisplayMode mode);

// Steps the main window, while it is loaded, to its next mode: Normal,
// then Small, then Small Mouse, then Normal again. The window grows or shrinks
// at its bottom edge; the tray icon is put up anew with the new mode's name;
// the mode is written to the settings (and never read back: every run starts
// in Normal Mode); the popup menu is hidden.
void SwitchMode(Forms& forms);

}  // namespace tw
