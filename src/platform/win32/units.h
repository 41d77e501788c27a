// The screen's resolution, the one thing about twips and pixels that only the
// system knows. Every conversion in the backend goes through these units.
#pragma once

#include "platform/units.h"

namespace tw::platform::win32 {

// Read once: the program is system DPI aware, so the resolution stays what the
// session started with.
const platform::Units& ScreenUnits();

}  // namespace tw::platform::win32
