// Plain value types shared by the window logic and the platform layer.
// Nothing here names a Win32 type: handles are integers, geometry is twips or
// pixels as each caller states, text is UTF-8 in std::string.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace tw::platform {

// A window of any program; 0 means "no window".
using WindowHandle = std::uintptr_t;

// A colour written 0x00BBGGRR. A value with the top bit set names a system
// colour by its index (0x80000008 window text, 0x8000000F button face).
using Colour = std::uint32_t;

constexpr Colour SystemColour(std::uint32_t index) {
    return 0x80000000u | index;
}

namespace colours {
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kDarkGrey = 0x404040;
inline constexpr Colour kGrey = 0x808080;
inline constexpr Colour kLightGrey = 0xCCCCCC;
inline constexpr Colour kWindowText = SystemColour(8);
inline constexpr Colour kButtonFace = SystemColour(15);
}  // namespace colours

// A point in pixels: on the screen, or inside a window's client area.
struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Screen pixels, edges as Win32 reports them (right and bottom exclusive).
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Contains(PixelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Whether the two share a pixel.
    bool Overlaps(const PixelRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// One monitor of the desktop, in screen pixels: all of it, and the part left for
// windows once the taskbar and other desktop bars on it have taken theirs. The
// primary monitor's top left is (0, 0); the others lie anywhere around it.
struct Monitor {
    PixelRect bounds;
    PixelRect workArea;
    bool primary = false;

    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// A window's or control's place in twips (1/1440 inch), single precision as
// the program stores it.
struct TwipRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    // The same size, moved no further than it takes to lie wholly within the
    // area; against the area's left or top edge where it does not fit.
    TwipRect MovedInto(const TwipRect& area) const {
        const auto within = [](float at, float size, float low, float room) {
            return std::max(low, std::min(at, low + room - size));
        };
        return {within(left, width, area.left, area.width),
                within(top, height, area.top, area.height), width, height};
    }

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// What a surface's coordinates and its mouse positions count in.
// Pixels are the design's: pixels at 96 DPI, 15 twips each, which the screen
// shows DPI/96 device pixels wide.
enum class ScaleUnit { Twips, Pixels };

// Twips in one of the design's pixels (one pixel at 96 DPI).
inline constexpr float kTwipsPerDesignPixel = 15;

struct ScreenInfo {
    std::int32_t widthPixels = 0;
    std::int32_t heightPixels = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
};

struct Font {
    std::string face = "Arial";
    float points = 9.75f;
    bool bold = false;
    bool underline = false;
};

// Mouse button codes as the handlers receive them; on a move the sum of the
// buttons held.
namespace mouse {
inline constexpr std::int16_t kNone = 0;
inline constexpr std::int16_t kLeft = 1;
inline constexpr std::int16_t kRight = 2;
inline constexpr std::int16_t kMiddle = 4;
}  // namespace mouse

}  // namespace tw::platform
