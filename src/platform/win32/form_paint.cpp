#include "platform/win32/form_paint.h"

#include <algorithm>
#include <string>

#include "platform/win32/gdi.h"
#include "platform/win32/text.h"

namespace tw::platform::win32 {

namespace {

// EndPaint whatever happens, or the window asks to be painted again for ever.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() {
        if (dc_ != nullptr) {
            EndPaint(window_, &paint_);
        } else {
            ValidateRect(window_, nullptr);
        }
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

UINT LabelFormat(const ControlDesc& label) {
    UINT format = DT_NOPREFIX | DT_EXPANDTABS;
    format |= label.align == TextAlign::Centre ? DT_CENTER : DT_LEFT;
    if (label.wrap) {
        format |= DT_WORDBREAK;
    }
    // Without DT_NOCLIP the text stays inside the label's rectangle; a label
    // sized to its text has no rectangle of its own to stay in.
    if (label.autoSize) {
        format |= DT_NOCLIP;
    }
    return format;
}

void PaintLabel(HDC dc, const ControlState& label, HFONT font) {
    RECT box = ToRect(label.rect);
    if (!label.desc.transparent) {
        FillSolid(dc, box, ToColorRef(label.desc.backColour));
    }
    if (label.desc.text.empty()) {
        return;
    }
    const std::wstring text = Widen(label.desc.text);
    SelectedObject selectFont(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, ToColorRef(label.desc.foreColour));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, LabelFormat(label.desc));
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

void PaintPicture(HDC dc, const ControlState& picture, const SurfaceImage& image) {
    const PixelRect& rect = picture.rect;
    const int width = std::min(rect.right - rect.left, image.width());
    const int height = std::min(rect.bottom - rect.top, image.height());
    BitBlt(dc, rect.left, rect.top, width, height, image.dc(), 0, 0, SRCCOPY);
}

void Compose(HDC dc, const RECT& client, Colour back, const SurfaceImage& surface,
             const std::vector<DrawnControl>& controls) {
    FillSolid(dc, client, ToColorRef(back));
    BitBlt(dc, 0, 0, std::min<int>(client.right, surface.width()),
           std::min<int>(client.bottom, surface.height()), surface.dc(), 0, 0, SRCCOPY);
    for (const DrawnControl& control : controls) {
        const ControlKind kind = control.state->desc.kind;
        if (kind == ControlKind::Label) {
            PaintLabel(dc, *control.state, control.font);
        } else if (kind == ControlKind::Picture && control.image != nullptr) {
            PaintPicture(dc, *control.state, *control.image);
        }
    }
}

}  // namespace

void PaintWindow(HWND window, Colour back, const SurfaceImage& surface,
                 const std::vector<DrawnControl>& controls) {
    const PaintScope scope(window);
    if (scope.dc() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    const int width = std::max<int>(1, client.right);
    const int height = std::max<int>(1, client.bottom);

    UniqueMemoryDc compose(CreateCompatibleDC(scope.dc()));
    UniqueBitmap frame(CreateCompatibleBitmap(scope.dc(), width, height));
    if (!compose || !frame) {
        return;
    }
    SelectedObject selectFrame(compose.get(), frame.get());
    Compose(compose.get(), client, back, surface, controls);
    const RECT& area = scope.area();
    BitBlt(scope.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           compose.get(), area.left, area.top, SRCCOPY);
}

}  // namespace tw::platform::win32
