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

// True when the taskbar rectangle lies along the bottom of the monitor: it spans
// the monitor's full width, reaches its bottom edge, and its top edge is in the
// monitor's lower half. Rectangles that overhang the monitor by a few pixels, as
// some themes report them, still count. A taskbar along the top, left or right
// edge, one on another monitor, and the all-zero rectangle of a query that never
// got an answer, do not.
bool TaskbarAlongBottom(const platform::PixelRect& taskbar, const platform::PixelRect& monitor);

// The screen row, in pixels, that the bottom corners and the tray menu rest on
// on a monitor: the top of the shell's taskbar where it lies along that
// monitor's bottom, but never below the bottom of the work area, and the bottom
// of the work area otherwise (the shell tells of one taskbar only; the work area
// of a monitor keeps clear of the taskbar on it too). A taskbar may report
// itself smaller than it is (Wine's shell reports a one-pixel strip under its
// real one) or hide itself; the work area still keeps clear of it.
std::int32_t BottomRestRow(const Module& module, const platform::Monitor& monitor);

// Moves the main window, when it is loaded, to a corner of the work area of the
// monitor that holds the largest part of it, and remembers the corner
// (MainWindow), so that the window keeps it when the monitors change. The
// bottom corners rest the window on BottomRestRow, so that it never covers the
// taskbar nor ends up above the top of the screen. The primary monitor keeps
// the corners a single screen has always had: the screen's own edges at the
// top, left and right, whatever bars stand there.
void DockWindow(Forms& forms, DockCorner corner);

}  // namespace tw
