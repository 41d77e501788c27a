// Small GDI helpers shared by the persistent images and the painting of windows.
#pragma once

#include <windows.h>

#include "platform/types.h"
#include "platform/win32/handles.h"

namespace tw::platform::win32 {

// A font of the program's description at the screen's resolution.
UniqueFont MakeFont(const Font& font, bool bold);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

inline RECT ToRect(const PixelRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace tw::platform::win32
