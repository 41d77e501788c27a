#include "platform/units.h"

#include <cmath>

namespace tw::platform {

namespace {

constexpr float kTwipsPerInch = 1440.0f;
constexpr float kTwipsPerPoint = 20.0f;

int Round(float value) {
    return static_cast<int>(std::lround(value));
}

float InTwips(float value, ScaleUnit unit) {
    return unit == ScaleUnit::Twips ? value : value * kTwipsPerDesignPixel;
}

float FromTwips(float twips, ScaleUnit unit) {
    return unit == ScaleUnit::Twips ? twips : twips / kTwipsPerDesignPixel;
}

}  // namespace

Units::Units(float twipsPerPixelX, float twipsPerPixelY)
    : twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY) {}

Units Units::FromDpi(int dpiX, int dpiY) {
    return Units(kTwipsPerInch / static_cast<float>(dpiX),
                 kTwipsPerInch / static_cast<float>(dpiY));
}

int Units::XToPixels(float twips) const {
    return Round(twips / twipsPerPixelX_);
}
int Units::YToPixels(float twips) const {
    return Round(twips / twipsPerPixelY_);
}

PixelRect Units::ToPixels(const TwipRect& rect) const {
    const int left = XToPixels(rect.left);
    const int top = YToPixels(rect.top);
    return {left, top, left + XToPixels(rect.width), top + YToPixels(rect.height)};
}

TwipRect Units::ToTwips(const PixelRect& rect) const {
    return {XToTwips(static_cast<float>(rect.left)), YToTwips(static_cast<float>(rect.top)),
            XToTwips(static_cast<float>(rect.right - rect.left)),
            YToTwips(static_cast<float>(rect.bottom - rect.top))};
}

int Units::XToPixels(float value, ScaleUnit unit) const {
    return XToPixels(InTwips(value, unit));
}

int Units::YToPixels(float value, ScaleUnit unit) const {
    return YToPixels(InTwips(value, unit));
}

float Units::XFromPixels(int pixels, ScaleUnit unit) const {
    return FromTwips(XToTwips(static_cast<float>(pixels)), unit);
}

float Units::YFromPixels(int pixels, ScaleUnit unit) const {
    return FromTwips(YToTwips(static_cast<float>(pixels)), unit);
}

int Units::FontHeight(float points) const {
    return -Round(points * kTwipsPerPoint / twipsPerPixelY_);
}

}  // namespace tw::platform
