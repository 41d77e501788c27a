// The persistent image behind a window or a picture: drawing goes into a memory
// bitmap, and every repaint copies it out again, so what is drawn stays.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/win32/handles.h"
#include "platform/window.h"

namespace tw::platform::win32 {

// The window that shows an image.
class ImageOwner {
  public:
    // Shown at the next repaint.
    virtual void ImageChanged() = 0;
    // Shown before the call returns.
    virtual void RepaintNow() = 0;

  protected:
    ~ImageOwner() = default;
};

class SurfaceImage final : public Canvas {
  public:
    SurfaceImage(ImageOwner& owner, ScaleUnit scale, const Font& font, Colour back,
                 std::optional<Colour> fill, int widthPixels, int heightPixels);
    ~SurfaceImage() override;

    SurfaceImage(const SurfaceImage&) = delete;
    SurfaceImage& operator=(const SurfaceImage&) = delete;

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // Erases everything drawn, as changing a surface's back colour does.
    void Clear(Colour back);
    // Grows the image to at least this size; what is drawn stays.
    void EnsureSize(int widthPixels, int heightPixels);
    // Puts a bitmap resource at the top-left corner, as a picture's own image.
    void LoadBitmapResource(int resourceId);

    void SetDrawColour(Colour colour) override { drawColour_ = colour; }
    void SetDrawWidth(int pixels) override { drawWidth_ = std::max(1, pixels); }
    void SetFontBold(bool bold) override { bold_ = bold; }
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2, bool filled) override;
    void Print(std::string_view text) override;
    void Refresh() override { owner_.RepaintNow(); }

  private:
    int ToX(float value) const;
    int ToY(float value) const;
    void Changed() { owner_.ImageChanged(); }
    HFONT PrintFont();

    ImageOwner& owner_;
    ScaleUnit scale_;
    Colour back_;
    std::optional<Colour> fill_;
    Font fontDesign_;
    // Made on the first Print: most surfaces only ever draw shapes.
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;

    Colour drawColour_ = colours::kBlack;
    int drawWidth_ = 1;
    bool bold_ = false;
    POINT position_{0, 0};  // pixels
};

// Where drawing goes on a control that has no image of its own: nowhere.
class NullCanvas final : public Canvas {
  public:
    void SetDrawColour(Colour) override {}
    void SetDrawWidth(int) override {}
    void SetFontBold(bool) override {}
    void Line(float, float, float, float) override {}
    void Box(float, float, float, float, bool) override {}
    void Print(std::string_view) override {}
    void Refresh() override {}
};

}  // namespace tw::platform::win32
