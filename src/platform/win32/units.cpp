#include "platform/win32/units.h"

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

platform::Monitor DescribeMonitor(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) == FALSE) {
        info.cbSize = sizeof(info);
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    }
    const auto rect = [](const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; };
    return {rect(info.rcMonitor), rect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
}

}  // namespace tw::platform::win32
