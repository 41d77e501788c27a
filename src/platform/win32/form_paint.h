// Painting one of the program's windows: its persistent image, then the
// pictures and labels it draws itself, in z-order.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/form_model.h"
#include "platform/win32/surface_image.h"

namespace tw::platform::win32 {

// A visible control the window draws, with what GDI needs to draw it.
struct DrawnControl {
    const ControlState* state;
    HFONT font;                 // labels
    const SurfaceImage* image;  // pictures
};

// Answers WM_PAINT. Composed off screen first, so that labels never flicker
// over their background.
void PaintWindow(HWND window, Colour back, const SurfaceImage& surface,
                 const std::vector<DrawnControl>& controls);

}  // namespace tw::platform::win32
