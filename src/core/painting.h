// Figures that more than one window paints alike.
#pragma once

#include "platform/window.h"

namespace tw {

// A raised grey button with a black cross, 190 x 180 twips, its top-left
// corner at (left, top) of the canvas, which counts in twips. Leaves the pen
// black and two pixels wide.
void DrawCloseBox(platform::Canvas& canvas, float left, float top);

}  // namespace tw
