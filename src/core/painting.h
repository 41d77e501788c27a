// Figures that more than one window paints alike.
#pragma once

#include "platform/units.h"
#include "platform/window.h"

namespace tw {

// The one-pixel raised edge of a window's surface, w x h twips: dark right and
// bottom, light top and left, drawn with the pen's width as it is. Leaves the
// pen white.
void DrawRaisedEdge(platform::Canvas& canvas, const platform::Units& units, float w, float h);

// A raised grey button with a black cross, 190 x 180 twips, its top-left
// corner at (left, top) of the canvas, which counts in twips. Leaves the pen
// black and two pixels wide.
void DrawCloseBox(platform::Canvas& canvas, float left, float top);

}  // namespace tw
