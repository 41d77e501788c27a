// The screen's resolution, the one thing about twips and pixels that only the
// system knows. Every conversion in the backend goes through these units.
#pragma once

#include <windows.h>

#include "platform/units.h"

namespace tw::platform::win32 {

// Read once: the program is system DPI aware, so the resolution stays what the
// session started with.
const platform::Units& ScreenUnits();

// A monitor in the logic's terms; the primary one when the system tells nothing
// of it (a monitor that has just gone).
platform::Monitor DescribeMonitor(HMONITOR monitor);

}  // namespace tw::platform::win32
