#include "platform/win32/units.h"

#include <windows.h>

namespace tw::platform::win32 {

namespace {

constexpr int kDefaultDpi = 96;

platform::Units ReadScreen() {
    int dpiX = kDefaultDpi;
    int dpiY = kDefaultDpi;
    if (HDC screen = GetDC(nullptr)) {
        dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return platform::Units::FromDpi(dpiX > 0 ? dpiX : kDefaultDpi, dpiY > 0 ? dpiY : kDefaultDpi);
}

}  // namespace

const platform::Units& ScreenUnits() {
    static const platform::Units screen = ReadScreen();
    return screen;
}

}  // namespace tw::platform::win32
