// The one place where twips and pixels meet. A twip is 1/1440 inch; the
// screen's logical resolution says how many make a pixel (15 at 96 dpi).
#pragma once

#include "platform/types.h"

namespace tw::platform {

class Units {
  public:
    Units(float twipsPerPixelX, float twipsPerPixelY);
    explicit Units(const ScreenInfo& screen)
        : Units(screen.twipsPerPixelX, screen.twipsPerPixelY) {}
    static Units FromDpi(int dpiX, int dpiY);

    float twipsPerPixelX() const { return twipsPerPixelX_; }
    float twipsPerPixelY() const { return twipsPerPixelY_; }

    // Rounded to the nearest pixel.
    int XToPixels(float twips) const;
    int YToPixels(float twips) const;
    float XToTwips(float pixels) const { return pixels * twipsPerPixelX_; }
    float YToTwips(float pixels) const { return pixels * twipsPerPixelY_; }

    // Edges from the left/top corner, sizes converted on their own so that a
    // width given in whole pixels comes back as that many pixels.
    PixelRect ToPixels(const TwipRect& rect) const;
    TwipRect ToTwips(const PixelRect& rect) const;

    // A canvas or mouse coordinate in the given scale unit, and the screen's
    // pixels: the design's pixels are scaled by DPI/96, rounded to the nearest.
    int XToPixels(float value, ScaleUnit unit) const;
    int YToPixels(float value, ScaleUnit unit) const;
    float XFromPixels(int pixels, ScaleUnit unit) const;
    float YFromPixels(int pixels, ScaleUnit unit) const;

    // The height of a font of that many points, as the system's font call wants
    // it: negative, the character's height rather than the cell's.
    int FontHeight(float points) const;

  private:
    float twipsPerPixelX_;
    float twipsPerPixelY_;
};

}  // namespace tw::platform
