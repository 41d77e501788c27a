// The one place where twips and pixels meet. A twip is 1/1440 inch; the screen's
// logical resolution says how many make a pixel (15 at 96 dpi).
#pragma once

#include "platform/types.h"
#include "platform/window.h"

namespace tw::platform::win32 {

class Units {
  public:
    // The screen's resolution, read once: the program is system DPI aware, so it
    // stays what the session started with.
    static const Units& Screen();

    Units(int dpiX, int dpiY);

    int dpiX() const { return dpiX_; }
    int dpiY() const { return dpiY_; }
    float twipsPerPixelX() const { return twipsPerPixelX_; }
    float twipsPerPixelY() const { return twipsPerPixelY_; }

    // Rounded to the nearest pixel.
    int XToPixels(float twips) const;
    int YToPixels(float twips) const;
    float XToTwips(int pixels) const;
    float YToTwips(int pixels) const;

    // Edges from the left/top corner, sizes converted on their own so that a
    // width given in whole pixels comes back as that many pixels.
    PixelRect ToPixels(const TwipRect& rect) const;
    TwipRect ToTwips(const PixelRect& rect) const;

    // A canvas or mouse coordinate in the given scale unit.
    int XToPixels(float value, ScaleUnit unit) const;
    int YToPixels(float value, ScaleUnit unit) const;
    float XFromPixels(int pixels, ScaleUnit unit) const;
    float YFromPixels(int pixels, ScaleUnit unit) const;

    // The height of a font of that many points, as CreateFont wants it (negative:
    // character height, not cell height).
    int FontHeight(float points) const;

  private:
    int dpiX_;
    int dpiY_;
    float twipsPerPixelX_;
    float twipsPerPixelY_;
};

}  // namespace tw::platform::win32
