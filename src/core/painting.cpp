#include "core/painting.h"

namespace tw {

// Each line starts a pixel before the surface or ends a pixel past it, so that
// the corners are covered whatever the system does with a line's end point.
void DrawRaisedEdge(platform::Canvas& canvas, const platform::Units& units, float w, float h) {
    const float px = units.XToTwips(1);
    const float py = units.YToTwips(1);
    canvas.SetDrawColour(platform::colours::kBlack);
    canvas.Line(w - px, -py, w - px, h);
    canvas.Line(-px, h - py, w, h - py);
    canvas.SetDrawColour(platform::colours::kWhite);
    canvas.Line(0, 0, w + px, 0);
    canvas.Line(0, 0, 0, h);
}

void DrawCloseBox(platform::Canvas& canvas, float left, float top) {
    namespace colours = platform::colours;
    const float right = left + 190;
    const float bottom = top + 180;
    canvas.SetDrawWidth(1);
    canvas.SetDrawColour(colours::kWhite);
    canvas.Box(left, top, right, bottom, true);
    canvas.SetDrawColour(colours::kDarkGrey);
    canvas.Box(left + 10, top + 10, right, bottom, true);
    canvas.SetDrawColour(colours::kButtonFace);
    canvas.Box(left + 10, top + 10, right - 10, bottom - 10, true);
    canvas.SetDrawWidth(2);
    canvas.SetDrawColour(colours::kBlack);
    canvas.Line(left + 40, top + 30, right - 40, bottom - 40);
    canvas.Line(left + 40, bottom - 40, right - 40, top + 30);
}

}  // namespace tw
