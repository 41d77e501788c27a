#include "platform/win32/units.h"

#include <windows.h>

#include <cmath>

namespace tw::platform::win32 {

namespace {

constexpr float kTwipsPerInch = 1440.0f;
constexpr float kPointsPerInch = 72.0f;

int Round(float value) {
    return static_cast<int>(std::lround(value));
}

Units ReadScreen() {
    int dpiX = 96;
    int dpiY = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return Units(dpiX > 0 ? dpiX : 96, dpiY > 0 ? dpiY : 96);
}

}  // namespace

const Units& Units::Screen() {
    static const Units screen = ReadScreen();
    return screen;
}

Units::Units(int dpiX, int dpiY)
    : dpiX_(dpiX),
      dpiY_(dpiY),
      twipsPerPixelX_(kTwipsPerInch / static_cast<float>(dpiX)),
      twipsPerPixelY_(kTwipsPerInch / static_cast<float>(dpiY)) {}

int Units::XToPixels(float twips) const {
    return Round(twips / twipsPerPixelX_);
}
int Units::YToPixels(float twips) const {
    return Round(twips / twipsPerPixelY_);
}
float Units::XToTwips(int pixels) const {
    return static_cast<float>(pixels) * twipsPerPixelX_;
}
float Units::YToTwips(int pixels) const {
    return static_cast<float>(pixels) * twipsPerPixelY_;
}

PixelRect Units::ToPixels(const TwipRect& rect) const {
    const int left = XToPixels(rect.left);
    const int top = YToPixels(rect.top);
    return {left, top, left + XToPixels(rect.width), top + YToPixels(rect.height)};
}

TwipRect Units::ToTwips(const PixelRect& rect) const {
    return {XToTwips(rect.left), YToTwips(rect.top), XToTwips(rect.right - rect.left),
            YToTwips(rect.bottom - rect.top)};
}

int Units::XToPixels(float value, ScaleUnit unit) const {
    return unit == ScaleUnit::Twips ? XToPixels(value) : Round(value);
}

int Units::YToPixels(float value, ScaleUnit unit) const {
    return unit == ScaleUnit::Twips ? YToPixels(value) : Round(value);
}

float Units::XFromPixels(int pixels, ScaleUnit unit) const {
    return unit == ScaleUnit::Twips ? XToTwips(pixels) : static_cast<float>(pixels);
}

float Units::YFromPixels(int pixels, ScaleUnit unit) const {
    return unit == ScaleUnit::Twips ? YToTwips(pixels) : static_cast<float>(pixels);
}

int Units::FontHeight(float points) const {
    return -Round(points * static_cast<float>(dpiY_) / kPointsPerInch);
}

}  // namespace tw::platform::win32
