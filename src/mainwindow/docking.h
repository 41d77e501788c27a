// Docking the main window to a screen corner, and the taskbar query it rests on.
#pragma once

#include <cstdint>

namespace tw {

class Forms;

// Refreshes the module's taskbar rectangle and top edge.
void ReadTaskbarPos(Forms& forms);

// Moves the main window to a corner (0 top right, 1 top left, 2 bottom left,
// 3 bottom right); any other code only refreshes the taskbar data.
void DockWindow(Forms& forms, std::int16_t corner);

}  // namespace tw
