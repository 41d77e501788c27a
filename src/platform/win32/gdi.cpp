#include "platform/win32/gdi.h"

#include <algorithm>
#include <string>

#include "platform/win32/text.h"
#include "platform/win32/units.h"

namespace tw::platform::win32 {

UniqueFont MakeFont(const Font& font, bool bold) {
    const std::wstring face = Widen(font.face);
    LOGFONTW logFont{};
    logFont.lfHeight = ScreenUnits().FontHeight(font.points);
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfUnderline = font.underline ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    for (std::size_t i = 0; i < length; ++i) {
        logFont.lfFaceName[i] = face[i];
    }
    return UniqueFont(CreateFontIndirectW(&logFont));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    // ExtTextOut with an opaque background fills without a brush to make and free.
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

}  // namespace tw::platform::win32
