#include "platform/win32/win32_form.h"

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text.h"
#include "platform/win32/units.h"

namespace tw::platform::win32 {

namespace {

constexpr wchar_t kClassPrefix[] = L"Tunewarden_";

// Informative windows the logic has not placed yet step down from the work
// area's corner so that two new ones never hide each other.
constexpr int kCascadeStep = 24;
constexpr int kCascadeSteps = 8;

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

RECT ToRect(const PixelRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

bool Contains(const PixelRect& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

POINT PointFrom(LPARAM lParam) {
    // Signed: a captured mouse reports positions left of and above the window.
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift = static_cast<std::int16_t>(shift | 1);
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift = static_cast<std::int16_t>(shift | 2);
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift = static_cast<std::int16_t>(shift | 4);
    }
    return shift;
}

std::int16_t ButtonsHeld(WPARAM wParam) {
    std::int16_t buttons = mouse::kNone;
    if ((wParam & MK_LBUTTON) != 0) {
        buttons = static_cast<std::int16_t>(buttons | mouse::kLeft);
    }
    if ((wParam & MK_RBUTTON) != 0) {
        buttons = static_cast<std::int16_t>(buttons | mouse::kRight);
    }
    if ((wParam & MK_MBUTTON) != 0) {
        buttons = static_cast<std::int16_t>(buttons | mouse::kMiddle);
    }
    return buttons;
}

UniqueFont MakeFont(const Font& font, bool bold) {
    const std::wstring face = Widen(font.face);
    LOGFONTW logFont{};
    logFont.lfHeight = Units::Screen().FontHeight(font.points);
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfUnderline = font.underline ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    for (std::size_t i = 0; i < length; ++i) {
        logFont.lfFaceName[i] = face[i];
    }
    return UniqueFont(CreateFontIndirectW(&logFont));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    // ExtTextOut with an opaque background fills without a brush to make and free.
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

class NullCanvas final : public Canvas {
  public:
    void SetDrawColour(Colour) override {}
    void SetDrawWidth(int) override {}
    void SetFontBold(bool) override {}
    void Line(float, float, float, float) override {}
    void Box(float, float, float, float, bool) override {}
    void Print(std::string_view) override {}
    void SetTextPosition(float, float) override {}
    void Refresh() override {}
};

}  // namespace

// --- The persistent image ---------------------------------------------------------

class SurfaceImage final : public Canvas {
  public:
    SurfaceImage(FormWindow& owner, ScaleUnit scale, const Font& font, Colour back,
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
    void SetTextPosition(float x, float y) override;
    void Refresh() override;

  private:
    int ToX(float value) const { return Units::Screen().XToPixels(value, scale_); }
    int ToY(float value) const { return Units::Screen().YToPixels(value, scale_); }
    void Changed();

    FormWindow& owner_;
    ScaleUnit scale_;
    Colour back_;
    std::optional<Colour> fill_;
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

// --- The window -------------------------------------------------------------------

class FormWindow final : public std::enable_shared_from_this<FormWindow> {
  public:
    FormWindow(const FormDesc& desc, FormEvents& events);
    ~FormWindow();

    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Makes the system window; separate from construction because the window
    // procedure needs a shared owner to lock.
    void Create();
    // Cuts the events object off, then destroys the window.
    void Destroy();

    HWND hwnd() const { return window_.get(); }
    void InvalidateImage();
    void RefreshNow();

    TwipRect Bounds() const;
    void Move(float left, float top, float width, float height);
    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetFocus();

    void SetControlText(int control, std::string_view text);
    std::string ControlText(int control) const;
    void SetControlForeColour(int control, Colour colour);
    void SetControlBackColour(int control, Colour colour);
    void SetToolTip(int control, std::string_view text);
    Canvas& Surface(int control);

    void StartTimer(int timerId, unsigned intervalMs);
    void StopTimer(int timerId);
    bool TimerRunning(int timerId) const;

  private:
    struct Control {
        ControlDesc desc;
        PixelRect rect;  // client pixels
        UniqueFont font;
        UniqueBrush backBrush;                  // edit boxes paint their background with it
        HWND child = nullptr;                   // edit boxes and push buttons
        std::unique_ptr<SurfaceImage> surface;  // pictures
        bool hasTool = false;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterClassFor(const std::wstring& className, int iconResource);

    LRESULT HandleMessage(HWND self, UINT message, WPARAM wParam, LPARAM lParam);

    template <class Call>
    void Fire(Call&& call) {
        if (events_ == nullptr) {
            return;
        }
        try {
            call(*events_);
        } catch (...) {
            // A failing handler must not unwind through the system's window code.
        }
    }

    void CreateChild(Control& control);
    void Paint();
    void PaintLabel(HDC dc, const Control& control) const;

    int HitTest(POINT client) const;
    std::pair<float, float> ToControl(int control, POINT client) const;
    void TakeFocus();
    void OnButtonDown(std::int16_t button, LPARAM lParam);
    void OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void OnDoubleClick(LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam);
    LRESULT OnControlColour(HDC dc, HWND child);

    Control* Find(int id);
    const Control* Find(int id) const;
    Control* FindChild(HWND child);

    FormDesc desc_;
    FormEvents* events_;
    std::vector<Control> controls_;
    std::unique_ptr<SurfaceImage> surface_;
    HWND toolTips_ = nullptr;  // owned by the window: the system destroys it with it
    std::set<int> timers_;
    std::wstring formToolTip_;

    std::optional<int> captured_;  // the control the held buttons went down on
    int clickControl_ = kFormSurface;
    bool suppressClick_ = false;
    HWND focusChild_ = nullptr;

    // Last, so that the window goes before the fonts and brushes its children use.
    UniqueWindow window_;
};

// --- SurfaceImage -----------------------------------------------------------------

SurfaceImage::SurfaceImage(FormWindow& owner, ScaleUnit scale, const Font& font, Colour back,
                           std::optional<Colour> fill, int widthPixels, int heightPixels)
    : owner_(owner),
      scale_(scale),
      back_(back),
      fill_(fill),
      font_(MakeFont(font, font.bold)),
      boldFont_(MakeFont(font, true)),
      width_(std::max(1, widthPixels)),
      height_(std::max(1, heightPixels)) {
    HDC screen = GetDC(nullptr);
    dc_.reset(CreateCompatibleDC(screen));
    bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
    ReleaseDC(nullptr, screen);
    if (!dc_ || !bitmap_) {
        ThrowLastError("cannot make a drawing surface");
    }
    originalBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    bold_ = font.bold;
    const RECT all{0, 0, width_, height_};
    FillSolid(dc_.get(), all, ToColorRef(back_));
}

SurfaceImage::~SurfaceImage() {
    // The bitmap can only be freed once it is out of the device context.
    if (dc_ && originalBitmap_ != nullptr) {
        SelectObject(dc_.get(), originalBitmap_);
    }
}

void SurfaceImage::Clear(Colour back) {
    back_ = back;
    const RECT all{0, 0, width_, height_};
    FillSolid(dc_.get(), all, ToColorRef(back_));
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
        const RECT all{0, 0, newWidth, newHeight};
        FillSolid(scratch.get(), all, ToColorRef(back_));
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
    BitBlt(dc_.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
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
    const int left = std::min(ToX(x1), ToX(x2));
    const int right = std::max(ToX(x1), ToX(x2));
    const int top = std::min(ToY(y1), ToY(y2));
    const int bottom = std::max(ToY(y1), ToY(y2));
    // Both corners belong to the box; GDI rectangles leave out the right and bottom edge.
    const RECT box{left, top, right + 1, bottom + 1};
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
    SelectedObject selectFont(dc, bold_ ? boldFont_.get() : font_.get());
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

void SurfaceImage::SetTextPosition(float x, float y) {
    position_ = POINT{ToX(x), ToY(y)};
}

void SurfaceImage::Refresh() {
    owner_.RefreshNow();
}

void SurfaceImage::Changed() {
    owner_.InvalidateImage();
}

// --- FormWindow -------------------------------------------------------------------

FormWindow::FormWindow(const FormDesc& desc, FormEvents& events) : desc_(desc), events_(&events) {
    const Units& units = Units::Screen();
    controls_.reserve(desc_.controls.size());
    for (const ControlDesc& controlDesc : desc_.controls) {
        Control control;
        control.desc = controlDesc;
        control.rect = units.ToPixels(controlDesc.rect);
        control.font = MakeFont(controlDesc.font, controlDesc.font.bold);
        if (controlDesc.kind == ControlKind::TextBox) {
            control.backBrush.reset(CreateSolidBrush(ToColorRef(controlDesc.backColour)));
        }
        if (controlDesc.kind == ControlKind::Picture) {
            control.surface = std::make_unique<SurfaceImage>(
                *this, controlDesc.scale, controlDesc.font, controlDesc.backColour, std::nullopt,
                control.rect.right - control.rect.left, control.rect.bottom - control.rect.top);
            if (controlDesc.bitmapResource != 0) {
                control.surface->LoadBitmapResource(controlDesc.bitmapResource);
            }
        }
        controls_.push_back(std::move(control));
    }
    surface_ = std::make_unique<SurfaceImage>(*this, ScaleUnit::Twips, desc_.font, desc_.backColour,
                                              desc_.fillColour, units.XToPixels(desc_.width),
                                              units.YToPixels(desc_.height));
}

FormWindow::~FormWindow() {
    Destroy();
}

void FormWindow::RegisterClassFor(const std::wstring& className, int iconResource) {
    const HINSTANCE instance = ProgramInstance();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, className.c_str(), &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &FormWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className.c_str();
    if (iconResource != 0) {
        windowClass.hIcon =
            static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, 0,
                                          0, LR_DEFAULTSIZE | LR_SHARED));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ThrowLastError("cannot register the window class");
    }
}

void FormWindow::Create() {
    const std::wstring className = kClassPrefix + Widen(desc_.name);
    RegisterClassFor(className, desc_.iconResource);

    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    if (desc_.frame == FrameKind::FixedDialog) {
        // The raised dialog frame alone: no title bar, caption or system menu.
        style |= WS_DLGFRAME;
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    exStyle |= desc_.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (!desc_.activateWhenShown) {
        exStyle |= WS_EX_NOACTIVATE;
    }

    const Units& units = Units::Screen();
    RECT outer{0, 0, units.XToPixels(desc_.width), units.YToPixels(desc_.height)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);

    // Popups have no default position from the system; the logic moves the
    // window where it belongs before it matters.
    static int cascade = 0;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int step = kCascadeStep * (1 + cascade++ % kCascadeSteps);

    const std::wstring caption = Widen(desc_.caption);
    HWND created =
        CreateWindowExW(exStyle, className.c_str(), caption.c_str(), style, work.left + step,
                        work.top + step, outer.right - outer.left, outer.bottom - outer.top,
                        nullptr, nullptr, ProgramInstance(), this);
    if (created == nullptr) {
        ThrowLastError("cannot create the window");
    }

    for (Control& control : controls_) {
        if (control.desc.kind == ControlKind::TextBox ||
            control.desc.kind == ControlKind::PushButton) {
            CreateChild(control);
        }
    }
    for (const Control& control : controls_) {
        if (!control.desc.toolTip.empty()) {
            SetToolTip(control.desc.id, control.desc.toolTip);
        }
    }
}

void FormWindow::CreateChild(Control& control) {
    const bool edit = control.desc.kind == ControlKind::TextBox;
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP |
        (edit ? static_cast<DWORD>(ES_LEFT | ES_AUTOHSCROLL) : static_cast<DWORD>(BS_PUSHBUTTON));
    const std::wstring text = Widen(control.desc.text);
    control.child = CreateWindowExW(
        edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", text.c_str(), style,
        control.rect.left, control.rect.top, control.rect.right - control.rect.left,
        control.rect.bottom - control.rect.top, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.desc.id)), ProgramInstance(), nullptr);
    if (control.child == nullptr) {
        ThrowLastError("cannot create a control");
    }
    SendMessageW(control.child, WM_SETFONT, reinterpret_cast<WPARAM>(control.font.get()), FALSE);
    // The first control that takes the keyboard has it when the window is activated.
    if (focusChild_ == nullptr) {
        focusChild_ = control.child;
    }
}

void FormWindow::Destroy() {
    events_ = nullptr;
    window_.reset();
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        self->window_.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Held for the whole dispatch: a handler may destroy its own form.
    std::shared_ptr<FormWindow> keepAlive =
        self != nullptr ? self->weak_from_this().lock() : nullptr;
    if (!keepAlive) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return keepAlive->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT FormWindow::HandleMessage(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
    // self, not hwnd(): while the window is being destroyed the owner has already let go.
    switch (message) {
        case WM_NCDESTROY: {
            // The window is gone for good: nothing may reach it or through it any more.
            SetWindowLongPtrW(self, GWLP_USERDATA, 0);
            static_cast<void>(window_.release());
            toolTips_ = nullptr;
            timers_.clear();
            captured_.reset();
            break;
        }
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole window
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            if (surface_) {
                surface_->EnsureSize(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(mouse::kLeft, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            OnButtonDown(mouse::kRight, lParam);
            return 0;
        case WM_MBUTTONDOWN:
            OnButtonDown(mouse::kMiddle, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(mouse::kLeft, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            OnButtonUp(mouse::kRight, wParam, lParam);
            return 0;
        case WM_MBUTTONUP:
            OnButtonUp(mouse::kMiddle, wParam, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            OnDoubleClick(lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != self) {
                captured_.reset();
            }
            return 0;
        case WM_MOUSEACTIVATE:
            if (!desc_.activateWhenShown) {
                return MA_NOACTIVATE;
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const auto keyCode = static_cast<std::int16_t>(wParam);
            const std::int16_t shift = ShiftState();
            Fire([&](FormEvents& events) { events.OnKeyUp(keyCode, shift); });
            if (message == WM_KEYUP) {
                return 0;
            }
            break;  // the system still handles Alt combinations
        }
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_SETFOCUS:
            if (focusChild_ != nullptr && IsWindow(focusChild_) && IsChild(self, focusChild_)) {
                ::SetFocus(focusChild_);
            }
            return 0;
        case WM_CLOSE:
            // The logic decides whether the window goes; it never goes by default.
            Fire([](FormEvents& events) { events.OnCloseRequest(); });
            return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                Fire([](FormEvents& events) { events.OnCloseRequest(); });
            }
            return 0;
        case WM_TIMER: {
            const int timerId = static_cast<int>(wParam);
            if (timers_.count(timerId) != 0) {
                Fire([timerId](FormEvents& events) { events.OnTimer(timerId); });
            }
            return 0;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
                if (Control* control = FindChild(reinterpret_cast<HWND>(lParam));
                    control != nullptr && control->desc.kind == ControlKind::PushButton) {
                    const int id = control->desc.id;
                    Fire([id](FormEvents& events) { events.OnClick(id); });
                    return 0;
                }
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (FindChild(reinterpret_cast<HWND>(lParam)) != nullptr) {
                return OnControlColour(reinterpret_cast<HDC>(wParam),
                                       reinterpret_cast<HWND>(lParam));
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(self, message, wParam, lParam);
}

void FormWindow::OnActivate(WPARAM wParam) {
    const HWND self = hwnd();
    if (LOWORD(wParam) == WA_INACTIVE) {
        // Where the keyboard was, so that it comes back there.
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(self, focus)) {
            focusChild_ = focus;
        }
        Fire([](FormEvents& events) { events.OnDeactivate(); });
        return;
    }
    Fire([](FormEvents& events) { events.OnActivate(); });
    if (hwnd() != nullptr && HIWORD(wParam) == 0) {
        ::SetFocus(self);
    }
}

LRESULT FormWindow::OnControlColour(HDC dc, HWND child) {
    Control* control = FindChild(child);
    SetTextColor(dc, ToColorRef(control->desc.foreColour));
    SetBkColor(dc, ToColorRef(control->desc.backColour));
    if (!control->backBrush) {
        control->backBrush.reset(CreateSolidBrush(ToColorRef(control->desc.backColour)));
    }
    return reinterpret_cast<LRESULT>(control->backBrush.get());
}

void FormWindow::Paint() {
    const HWND self = hwnd();
    // EndPaint whatever happens, or the window asks to be painted again for ever.
    struct PaintScope {
        HWND window;
        PAINTSTRUCT paint{};
        HDC dc;
        explicit PaintScope(HWND w) : window(w), dc(BeginPaint(w, &paint)) {}
        ~PaintScope() {
            if (dc != nullptr) {
                EndPaint(window, &paint);
            } else {
                ValidateRect(window, nullptr);
            }
        }
        PaintScope(const PaintScope&) = delete;
        PaintScope& operator=(const PaintScope&) = delete;
    } scope(self);
    HDC screen = scope.dc;
    const PAINTSTRUCT& paint = scope.paint;
    if (screen == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(self, &client);
    const int width = std::max<LONG>(1, client.right);
    const int height = std::max<LONG>(1, client.bottom);

    // Composed off screen first, so that labels never flicker over their background.
    UniqueMemoryDc compose(CreateCompatibleDC(screen));
    UniqueBitmap frame(CreateCompatibleBitmap(screen, width, height));
    if (compose && frame) {
        SelectedObject selectFrame(compose.get(), frame.get());
        HDC dc = compose.get();
        FillSolid(dc, client, ToColorRef(desc_.backColour));
        BitBlt(dc, 0, 0, std::min(width, surface_->width()), std::min(height, surface_->height()),
               surface_->dc(), 0, 0, SRCCOPY);
        for (const Control& control : controls_) {
            if (control.desc.kind == ControlKind::Label) {
                PaintLabel(dc, control);
            } else if (control.desc.kind == ControlKind::Picture && control.surface) {
                const int w =
                    std::min(control.rect.right - control.rect.left, control.surface->width());
                const int h =
                    std::min(control.rect.bottom - control.rect.top, control.surface->height());
                BitBlt(dc, control.rect.left, control.rect.top, w, h, control.surface->dc(), 0, 0,
                       SRCCOPY);
            }
        }
        const RECT& area = paint.rcPaint;
        BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
               area.left, area.top, SRCCOPY);
    }
}

void FormWindow::PaintLabel(HDC dc, const Control& control) const {
    RECT box = ToRect(control.rect);
    if (!control.desc.transparent) {
        FillSolid(dc, box, ToColorRef(control.desc.backColour));
    }
    if (control.desc.text.empty()) {
        return;
    }
    const std::wstring text = Widen(control.desc.text);
    SelectedObject selectFont(dc, control.font.get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, ToColorRef(control.desc.foreColour));
    UINT format = DT_NOPREFIX | DT_EXPANDTABS;
    format |= control.desc.align == TextAlign::Centre ? DT_CENTER : DT_LEFT;
    if (control.desc.wrap) {
        format |= DT_WORDBREAK;
    }
    // Without DT_NOCLIP the text stays inside the label's rectangle; a label
    // sized to its text has no rectangle of its own to stay in.
    if (control.desc.autoSize) {
        format |= DT_NOCLIP;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

void FormWindow::InvalidateImage() {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void FormWindow::RefreshNow() {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        UpdateWindow(hwnd());
    }
}

// --- Mouse --------------------------------------------------------------------------

int FormWindow::HitTest(POINT client) const {
    // Later controls lie on top of earlier ones.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const ControlKind kind = it->desc.kind;
        const bool drawnHere = kind == ControlKind::Label || kind == ControlKind::Picture ||
                               kind == ControlKind::ClickArea;
        if (drawnHere && Contains(it->rect, client)) {
            return it->desc.id;
        }
    }
    return kFormSurface;
}

std::pair<float, float> FormWindow::ToControl(int control, POINT client) const {
    const Units& units = Units::Screen();
    const Control* found = control == kFormSurface ? nullptr : Find(control);
    if (found == nullptr) {
        return {units.XToTwips(client.x), units.YToTwips(client.y)};
    }
    return {units.XFromPixels(client.x - found->rect.left, found->desc.scale),
            units.YFromPixels(client.y - found->rect.top, found->desc.scale)};
}

void FormWindow::TakeFocus() {
    // Clicking a window gives it the keyboard (F1 on the main window), unless it
    // is one that must never take the focus from the game.
    if (!desc_.activateWhenShown) {
        return;
    }
    const HWND self = hwnd();
    const HWND focus = GetFocus();
    if (focus != self && (focus == nullptr || !IsChild(self, focus))) {
        ::SetFocus(self);
    }
}

void FormWindow::OnButtonDown(std::int16_t button, LPARAM lParam) {
    const POINT point = PointFrom(lParam);
    TakeFocus();
    if (!captured_) {
        const int hit = HitTest(point);
        captured_ = hit;
        clickControl_ = hit;
        suppressClick_ = false;
        SetCapture(hwnd());
    }
    const int target = *captured_;
    const std::pair<float, float> at = ToControl(target, point);
    const std::int16_t shift = ShiftState();
    Fire([&](FormEvents& events) {
        events.OnMouseDown(target, button, shift, at.first, at.second);
    });
}

void FormWindow::OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    const POINT point = PointFrom(lParam);
    const int target = captured_ ? *captured_ : HitTest(point);
    const std::pair<float, float> at = ToControl(target, point);
    const std::int16_t shift = ShiftState();
    Fire([&](FormEvents& events) { events.OnMouseUp(target, button, shift, at.first, at.second); });

    if (!captured_ || ButtonsHeld(wParam) != mouse::kNone) {
        return;
    }
    const int downOn = clickControl_;
    const bool click = !suppressClick_ && HitTest(point) == downOn;
    captured_.reset();
    if (hwnd() != nullptr && GetCapture() == hwnd()) {
        ReleaseCapture();
    }
    if (click) {
        Fire([downOn](FormEvents& events) { events.OnClick(downOn); });
    }
}

void FormWindow::OnDoubleClick(LPARAM lParam) {
    // The second press of a double click reports DblClick instead of MouseDown and
    // Click: down, up, click, dblclick, up.
    const POINT point = PointFrom(lParam);
    TakeFocus();
    const int hit = HitTest(point);
    Fire([hit](FormEvents& events) { events.OnDblClick(hit); });
    if (!captured_) {
        captured_ = hit;
        clickControl_ = hit;
        if (hwnd() != nullptr) {
            SetCapture(hwnd());
        }
    }
    suppressClick_ = true;
}

void FormWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const POINT point = PointFrom(lParam);
    const int target = captured_ ? *captured_ : HitTest(point);
    const std::pair<float, float> at = ToControl(target, point);
    const std::int16_t buttons = ButtonsHeld(wParam);
    const std::int16_t shift = ShiftState();
    Fire([&](FormEvents& events) {
        events.OnMouseMove(target, buttons, shift, at.first, at.second);
    });
}

// --- Controls -----------------------------------------------------------------------

FormWindow::Control* FormWindow::Find(int id) {
    for (Control& control : controls_) {
        if (control.desc.id == id) {
            return &control;
        }
    }
    return nullptr;
}

const FormWindow::Control* FormWindow::Find(int id) const {
    for (const Control& control : controls_) {
        if (control.desc.id == id) {
            return &control;
        }
    }
    return nullptr;
}

FormWindow::Control* FormWindow::FindChild(HWND child) {
    if (child == nullptr) {
        return nullptr;
    }
    for (Control& control : controls_) {
        if (control.child == child) {
            return &control;
        }
    }
    return nullptr;
}

void FormWindow::SetControlText(int id, std::string_view text) {
    const std::wstring wide = Widen(text);
    if (id == kFormSurface) {
        desc_.caption = std::string(text);
        if (hwnd() != nullptr) {
            SetWindowTextW(hwnd(), wide.c_str());
        }
        return;
    }
    Control* control = Find(id);
    if (control == nullptr) {
        return;
    }
    control->desc.text = std::string(text);
    if (control->child != nullptr) {
        SetWindowTextW(control->child, wide.c_str());
    } else {
        InvalidateImage();
    }
}

std::string FormWindow::ControlText(int id) const {
    HWND source = nullptr;
    if (id == kFormSurface) {
        source = hwnd();
    } else if (const Control* control = Find(id)) {
        if (control->child == nullptr) {
            return control->desc.text;
        }
        source = control->child;
    }
    if (source == nullptr) {
        return id == kFormSurface ? desc_.caption : std::string();
    }
    return WindowText(source);
}

void FormWindow::SetControlForeColour(int id, Colour colour) {
    // A surface's fore colour is what it draws and prints with.
    if (id == kFormSurface) {
        surface_->SetDrawColour(colour);
        return;
    }
    Control* control = Find(id);
    if (control == nullptr) {
        return;
    }
    control->desc.foreColour = colour;
    if (control->surface) {
        control->surface->SetDrawColour(colour);
    } else if (control->child != nullptr) {
        InvalidateRect(control->child, nullptr, TRUE);
    } else {
        InvalidateImage();
    }
}

void FormWindow::SetControlBackColour(int id, Colour colour) {
    // As with the classic toolkit, a new back colour erases what the surface showed.
    if (id == kFormSurface) {
        desc_.backColour = colour;
        surface_->Clear(colour);
        return;
    }
    Control* control = Find(id);
    if (control == nullptr) {
        return;
    }
    control->desc.backColour = colour;
    if (control->surface) {
        control->surface->Clear(colour);
    } else if (control->child != nullptr) {
        control->backBrush.reset(CreateSolidBrush(ToColorRef(colour)));
        InvalidateRect(control->child, nullptr, TRUE);
    } else {
        InvalidateImage();
    }
}

void FormWindow::SetToolTip(int id, std::string_view text) {
    const HWND self = hwnd();
    if (self == nullptr) {
        return;
    }
    Control* control = id == kFormSurface ? nullptr : Find(id);
    if (id != kFormSurface && control == nullptr) {
        return;
    }
    if (control != nullptr) {
        control->desc.toolTip = std::string(text);
    }
    const bool hadTool = control != nullptr ? control->hasTool : !formToolTip_.empty();
    std::wstring wide = Widen(text);

    if (toolTips_ == nullptr) {
        if (text.empty()) {
            return;
        }
        // TTS_ALWAYSTIP: the main window is rarely the active one while the game runs.
        toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, self, nullptr,
                                    ProgramInstance(), nullptr);
        if (toolTips_ == nullptr) {
            return;
        }
        SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, 400);
    }

    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = self;
    if (control != nullptr && control->child != nullptr) {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.uId = reinterpret_cast<UINT_PTR>(control->child);
    } else {
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = static_cast<UINT_PTR>(id);
        if (control != nullptr) {
            tool.rect = ToRect(control->rect);
        } else {
            GetClientRect(self, &tool.rect);
        }
    }
    tool.lpszText = wide.data();

    bool hasTool = hadTool;
    if (text.empty()) {
        if (hadTool) {
            SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        hasTool = false;
    } else if (hadTool) {
        SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        hasTool = SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    }
    if (control != nullptr) {
        control->hasTool = hasTool;
    } else {
        formToolTip_ = hasTool ? wide : std::wstring();
    }
}

Canvas& FormWindow::Surface(int id) {
    if (id == kFormSurface) {
        return *surface_;
    }
    if (Control* control = Find(id); control != nullptr && control->surface) {
        return *control->surface;
    }
    // Only the window and its pictures have an image; drawing elsewhere shows nothing.
    static NullCanvas nowhere;
    return nowhere;
}

// --- Window ---------------------------------------------------------------------------

TwipRect FormWindow::Bounds() const {
    RECT outer{};
    if (hwnd() != nullptr) {
        GetWindowRect(hwnd(), &outer);
    }
    return Units::Screen().ToTwips(PixelRect{outer.left, outer.top, outer.right, outer.bottom});
}

void FormWindow::Move(float left, float top, float width, float height) {
    if (hwnd() == nullptr) {
        return;
    }
    const Units& units = Units::Screen();
    const PixelRect to = units.ToPixels(TwipRect{left, top, width, height});
    SetWindowPos(hwnd(), nullptr, to.left, to.top, to.right - to.left, to.bottom - to.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::SetVisible(bool visible) {
    if (hwnd() == nullptr) {
        return;
    }
    if (!visible) {
        ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    ShowWindow(hwnd(), desc_.activateWhenShown ? SW_SHOW : SW_SHOWNOACTIVATE);
}

bool FormWindow::IsVisible() const {
    return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE;
}

void FormWindow::SetFocus() {
    if (hwnd() != nullptr) {
        ::SetFocus(hwnd());  // WM_SETFOCUS passes it on to the window's focused control
    }
}

// --- Timers -----------------------------------------------------------------------------

void FormWindow::StartTimer(int timerId, unsigned intervalMs) {
    if (hwnd() == nullptr || timers_.count(timerId) != 0) {
        return;
    }
    if (SetTimer(hwnd(), static_cast<UINT_PTR>(timerId), intervalMs, nullptr) != 0) {
        timers_.insert(timerId);
    }
}

void FormWindow::StopTimer(int timerId) {
    if (timers_.erase(timerId) != 0 && hwnd() != nullptr) {
        KillTimer(hwnd(), static_cast<UINT_PTR>(timerId));
    }
}

bool FormWindow::TimerRunning(int timerId) const {
    return timers_.count(timerId) != 0;
}

// --- Win32Form ----------------------------------------------------------------------------

Win32Form::Win32Form(const FormDesc& desc, FormEvents& events)
    : window_(std::make_shared<FormWindow>(desc, events)) {
    window_->Create();
}

Win32Form::~Win32Form() {
    window_->Destroy();
}

WindowHandle Win32Form::Handle() const {
    return reinterpret_cast<WindowHandle>(window_->hwnd());
}
TwipRect Win32Form::Bounds() const {
    return window_->Bounds();
}
void Win32Form::Move(float left, float top, float width, float height) {
    window_->Move(left, top, width, height);
}
void Win32Form::SetVisible(bool visible) {
    window_->SetVisible(visible);
}
bool Win32Form::IsVisible() const {
    return window_->IsVisible();
}
void Win32Form::SetFocus() {
    window_->SetFocus();
}
void Win32Form::SetControlText(int control, std::string_view text) {
    window_->SetControlText(control, text);
}
std::string Win32Form::ControlText(int control) const {
    return window_->ControlText(control);
}
void Win32Form::SetControlForeColour(int control, Colour colour) {
    window_->SetControlForeColour(control, colour);
}
void Win32Form::SetControlBackColour(int control, Colour colour) {
    window_->SetControlBackColour(control, colour);
}
void Win32Form::SetToolTip(int control, std::string_view text) {
    window_->SetToolTip(control, text);
}
Canvas& Win32Form::Surface(int control) {
    return window_->Surface(control);
}
void Win32Form::StartTimer(int timerId, unsigned intervalMs) {
    window_->StartTimer(timerId, intervalMs);
}
void Win32Form::StopTimer(int timerId) {
    window_->StopTimer(timerId);
}
bool Win32Form::TimerRunning(int timerId) const {
    return window_->TimerRunning(timerId);
}

}  // namespace tw::platform::win32
