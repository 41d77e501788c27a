#include "platform/win32/surface_image.h"

#include <string>
#include <utility>

#include "platform/win32/gdi.h"
#include "platform/win32/text.h"
#include "platform/win32/units.h"

namespace tw::platform::win32 {

SurfaceImage::SurfaceImage(ImageOwner& owner, ScaleUnit scale, const Font& font, Colour back,
                           std::optional<Colour> fill, int widthPixels, int heightPixels)
    : owner_(owner),
      scale_(scale),
      back_(back),
      fill_(fill),
      fontDesign_(font),
      width_(std::max(1, widthPixels)),
      height_(std::max(1, heightPixels)),
      bold_(font.bold) {
    HDC screen = GetDC(nullptr);
    dc_.reset(CreateCompatibleDC(screen));
    bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
    ReleaseDC(nullptr, screen);
    if (!dc_ || !bitmap_) {
        ThrowLastError("cannot make a drawing surface");
    }
    originalBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    FillSolid(dc_.get(), RECT{0, 0, width_, height_}, ToColorRef(back_));
}

SurfaceImage::~SurfaceImage() {
    // The bitmap can only be freed once it is out of the device context.
    if (dc_ && originalBitmap_ != nullptr) {
        SelectObject(dc_.get(), originalBitmap_);
    }
}

int SurfaceImage::ToX(float value) const {
    return ScreenUnits().XToPixels(value, scale_);
}

int SurfaceImage::ToY(float value) const {
    return ScreenUnits().YToPixels(value, scale_);
}

void SurfaceImage::Clear(Colour back) {
    back_ = back;
    FillSolid(dc_.get(), RECT{0, 0, width_, height_}, ToColorRef(back_));
    Changed();
}

void SurfaceImage::EnsureSize(int widthPixels, int heightPixels) {
    if (widthPixels <= width_ && heightPixels <= height_) {
        return;
    }
    const int newWidth = std::max(widthPixels, width_);
    const int newHeight = std::max(heightPixels, height_);
    UniqueBitmap grown(CreateCompatibleBitmap(dc_.get(), newWidth, newHeight));
    UniqueMemoryDc scratch(CreateCompatibleDC(dc_.get()));
    if (!grown || !scratch) {
        return;  // the image keeps its old size; drawing beyond it is lost
    }
    {
        SelectedObject select(scratch.get(), grown.get());
        FillSolid(scratch.get(), RECT{0, 0, newWidth, newHeight}, ToColorRef(back_));
        BitBlt(scratch.get(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }
    SelectObject(dc_.get(), grown.get());
    bitmap_ = std::move(grown);
    width_ = newWidth;
    height_ = newHeight;
}

void SurfaceImage::LoadBitmapResource(int resourceId) {
    auto* loaded = static_cast<HBITMAP>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(resourceId),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    UniqueBitmap image(loaded);
    if (!image) {
        return;
    }
    BITMAP info{};
    GetObjectW(image.get(), sizeof(info), &info);
    UniqueMemoryDc source(CreateCompatibleDC(dc_.get()));
    if (!source) {
        return;
    }
    SelectedObject select(source.get(), image.get());
    // The artwork's pixels are the design's: at a higher scale each becomes a
    // block of whole device pixels, never a blend of its neighbours.
    const int width = ScreenUnits().XToPixels(static_cast<float>(info.bmWidth), ScaleUnit::Pixels);
    const int height =
        ScreenUnits().YToPixels(static_cast<float>(info.bmHeight), ScaleUnit::Pixels);
    const int previousMode = SetStretchBltMode(dc_.get(), COLORONCOLOR);
    StretchBlt(dc_.get(), 0, 0, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SetStretchBltMode(dc_.get(), previousMode);
    Changed();
}

void SurfaceImage::Line(float x1, float y1, float x2, float y2) {
    UniquePen pen(CreatePen(PS_SOLID, drawWidth_, ToColorRef(drawColour_)));
    SelectedObject select(dc_.get(), pen.get());
    const POINT to{ToX(x2), ToY(y2)};
    MoveToEx(dc_.get(), ToX(x1), ToY(y1), nullptr);
    LineTo(dc_.get(), to.x, to.y);
    position_ = to;
    Changed();
}

void SurfaceImage::Box(float x1, float y1, float x2, float y2, bool filled) {
    // Both corners belong to the box (GDI rectangles leave out the right and
    // bottom edge): all of the last twip's pixel, or all the device pixels of
    // the last design pixel, which is several wide at a higher scale.
    const float lowX = std::min(x1, x2);
    const float highX = std::max(x1, x2);
    const float lowY = std::min(y1, y2);
    const float highY = std::max(y1, y2);
    const bool design = scale_ == ScaleUnit::Pixels;
    const RECT box{ToX(lowX), ToY(lowY), design ? ToX(highX + 1) : ToX(highX) + 1,
                   design ? ToY(highY + 1) : ToY(highY) + 1};
    if (filled) {
        FillSolid(dc_.get(), box, ToColorRef(drawColour_));
    } else {
        UniquePen pen(CreatePen(PS_SOLID, drawWidth_, ToColorRef(drawColour_)));
        UniqueBrush interior(fill_ ? CreateSolidBrush(ToColorRef(*fill_)) : nullptr);
        HGDIOBJ brush =
            interior ? static_cast<HGDIOBJ>(interior.get()) : GetStockObject(NULL_BRUSH);
        SelectedObject selectPen(dc_.get(), pen.get());
        SelectedObject selectBrush(dc_.get(), brush);
        Rectangle(dc_.get(), box.left, box.top, box.right, box.bottom);
    }
    position_ = POINT{ToX(x2), ToY(y2)};
    Changed();
}

void SurfaceImage::Print(std::string_view text) {
    HDC dc = dc_.get();
    SelectedObject selectFont(dc, PrintFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, ToColorRef(drawColour_));

    std::string_view rest = text;
    for (;;) {
        const std::size_t end = rest.find("\r\n");
        const std::wstring line = Widen(rest.substr(0, end));
        if (!line.empty()) {
            TextOutW(dc, position_.x, position_.y, line.c_str(), static_cast<int>(line.size()));
        }
        position_.x = 0;
        position_.y += lineHeight;
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 2);
    }

    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    Changed();
}

HFONT SurfaceImage::PrintFont() {
    // As the design has it, or bold on request.
    if (bold_) {
        if (!boldFont_) {
            boldFont_ = MakeFont(fontDesign_, true);
        }
        return boldFont_.get();
    }
    if (!font_) {
        font_ = MakeFont(fontDesign_, fontDesign_.bold);
    }
    return font_.get();
}

}  // namespace tw::platform::win32
