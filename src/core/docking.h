// Docking the main window to a screen corner, and the taskbar query it rests on.
#pragma once

#include <cstdint>

#include "core/module.h"
#include "platform/types.h"

namespace tw {

class Forms;

// Refreshes the module's taskbar rectangle and top edge. A query that gets no
// answer leaves both as they were (0 before any answer).
void ReadTaskbarPos(Forms& forms);

// True when the taskbar rectangle lies along the bottom of the screen: it spans
// the screen's full width, reaches the screen's bottom edge, and its top edge
// is in the lower half of the screen. Rectangles that overhang the screen by a
// few pixels, as some themes report them, still count. A taskbar along the
// top, left or right edge, and the all-zero rectangle of a query that never
// got an answer, do not.
bool TaskbarAlongBottom(const platform::PixelRect& taskbar, const platform::ScreenInfo& screen);

// The screen row, in pixels, that the bottom corners and the tray menu rest on:
// the top of a taskbar along the bottom, but never below the bottom of the work
// area, and the bottom of the work area when the taskbar is anywhere else. A
// taskbar may report itself smaller than it is (Wine's shell reports a one-pixel
// strip under its real one) or hide itself; the work area still keeps clear of it.
std::int32_t BottomRestRow(const Module& module, const platform::ScreenInfo& screen,
                           const platform::PixelRect& workArea);

// Moves the main window, when it is loaded, to a corner; a code outside the
// four only refreshes the taskbar data. The bottom corners rest the window on
// BottomRestRow, so that it never covers the taskbar nor ends up above the top
// of the screen.
void DockWindow(Forms& forms, DockCorner corner);

}  // namespace tw
