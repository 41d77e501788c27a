#include "core/painting.h"

namespace tw {

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
