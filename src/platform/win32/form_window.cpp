#include "platform/win32/form_window.h"

#include <cstdint>
#include <vector>

#include "platform/win32/form_paint.h"
#include "platform/win32/gdi.h"
#include "platform/win32/notify_icon.h"
#include "platform/win32/text.h"
#include "platform/win32/units.h"
#include "platform/win32/window_class.h"
#include "platform/win32_rules.h"

namespace tw::platform::win32 {

namespace {

// Informative windows the logic has not placed yet step down from the work
// area's corner so that two new ones never hide each other.
constexpr int kCascadeStep = 24;
constexpr int kCascadeSteps = 8;

// A lost activation reaches the logic only once the system has finished moving
// it. A window that hides itself while it is still the active one (the menu
// does, on losing the focus) makes the system activate another of the program's
// windows, which takes the foreground back from the window the user chose.
constexpr UINT kDeactivatedMessage = WM_APP + 1;

// The portable rules spell the system's numbers out; they must be the header's.
static_assert(win32_rules::kPopup == WS_POPUP && win32_rules::kClipChildren == WS_CLIPCHILDREN &&
              win32_rules::kDialogFrame == WS_DLGFRAME);
static_assert(win32_rules::kDialogModalFrame == WS_EX_DLGMODALFRAME &&
              win32_rules::kToolWindow == WS_EX_TOOLWINDOW &&
              win32_rules::kAppWindow == WS_EX_APPWINDOW &&
              win32_rules::kNoActivate == WS_EX_NOACTIVATE);
static_assert(win32_rules::kMouseMove == WM_MOUSEMOVE && win32_rules::kLeftDown == WM_LBUTTONDOWN &&
              win32_rules::kLeftUp == WM_LBUTTONUP &&
              win32_rules::kLeftDoubleClick == WM_LBUTTONDBLCLK &&
              win32_rules::kRightDown == WM_RBUTTONDOWN && win32_rules::kRightUp == WM_RBUTTONUP &&
              win32_rules::kRightDoubleClick == WM_RBUTTONDBLCLK &&
              win32_rules::kMiddleDown == WM_MBUTTONDOWN &&
              win32_rules::kMiddleUp == WM_MBUTTONUP &&
              win32_rules::kMiddleDoubleClick == WM_MBUTTONDBLCLK);
static_assert(win32_rules::kHeldLeft == MK_LBUTTON && win32_rules::kHeldRight == MK_RBUTTON &&
              win32_rules::kHeldMiddle == MK_MBUTTON);

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

bool IsPointerMessage(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK;
}

// Popups have no default position from the system; the logic moves the window
// where it belongs before it matters.
POINT NextCascadePosition() {
    static int cascade = 0;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int step = kCascadeStep * (1 + cascade++ % kCascadeSteps);
    return POINT{work.left + step, work.top + step};
}

}  // namespace

// --- Binding ----------------------------------------------------------------------

FormWindow::FormWindow(const FormDesc& desc, FormEvents& events)
    : model_(desc, ScreenUnits(), events) {
    ImageOwner& owner = *this;
    for (const ControlState& control : model_.controls()) {
        const ControlDesc& design = control.desc;
        ControlParts& parts = parts_[design.id];
        // Pictures print with their surface's fonts; click areas show nothing.
        if (design.kind == ControlKind::Label || design.kind == ControlKind::TextBox ||
            design.kind == ControlKind::PushButton) {
            parts.font = MakeFont(design.font, design.font.bold);
        }
        if (design.kind == ControlKind::TextBox) {
            parts.backBrush.reset(CreateSolidBrush(ToColorRef(design.backColour)));
        }
        if (design.kind == ControlKind::Picture) {
            const PixelRect& rect = control.rect;
            parts.surface = std::make_unique<SurfaceImage>(
                owner, design.scale, design.font, design.backColour, std::nullopt,
                rect.right - rect.left, rect.bottom - rect.top);
            if (design.bitmapResource != 0) {
                parts.surface->LoadBitmapResource(design.bitmapResource);
            }
        }
    }
    const FormDesc& form = model_.desc();
    surface_ = std::make_unique<SurfaceImage>(owner, ScaleUnit::Twips, form.font, form.backColour,
                                              form.fillColour, ScreenUnits().XToPixels(form.width),
                                              ScreenUnits().YToPixels(form.height));
}

FormWindow::~FormWindow() {
    Destroy();
}

void FormWindow::Create() {
    const FormDesc& desc = model_.desc();
    const std::wstring className = Widen(WindowClassName(desc.name));
    if (!RegisterWindowClass(className.c_str(), &FormWindow::WindowProc, desc.iconResource)) {
        ThrowLastError("cannot register the window class");
    }

    const win32_rules::WindowStyles style =
        win32_rules::StylesFor(desc, model_.ActivatesWhenShown());
    RECT outer{0, 0, ScreenUnits().XToPixels(desc.width), ScreenUnits().YToPixels(desc.height)};
    AdjustWindowRectEx(&outer, style.style, FALSE, style.exStyle);
    const POINT at = NextCascadePosition();
    const std::wstring caption = Widen(desc.caption);
    if (CreateWindowExW(style.exStyle, className.c_str(), caption.c_str(), style.style, at.x, at.y,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                        ProgramInstance(), this) == nullptr) {
        ThrowLastError("cannot create the window");
    }
    AcceptFromShell(hwnd(), TaskbarCreatedMessage());
    for (const ControlState& control : model_.controls()) {
        if (control.desc.kind == ControlKind::TextBox ||
            control.desc.kind == ControlKind::PushButton) {
            CreateChild(control.desc.id, parts_.at(control.desc.id));
        }
    }
    AddToolTips();
}

void FormWindow::CreateChild(int id, ControlParts& parts) {
    const ControlState& control = *model_.Find(id);
    const bool edit = control.desc.kind == ControlKind::TextBox;
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP |
        (edit ? static_cast<DWORD>(ES_LEFT | ES_AUTOHSCROLL) : static_cast<DWORD>(BS_PUSHBUTTON));
    const std::wstring text = Widen(control.desc.text);
    const PixelRect& rect = control.rect;
    parts.child = CreateWindowExW(
        edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", text.c_str(), style, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
    if (parts.child == nullptr) {
        ThrowLastError("cannot create a control");
    }
    SendMessageW(parts.child, WM_SETFONT, reinterpret_cast<WPARAM>(parts.font.get()), FALSE);
    // The first control that takes the keyboard has it when the window is activated.
    if (focusChild_ == nullptr) {
        focusChild_ = parts.child;
    }
}

void FormWindow::Destroy() {
    // Before the window goes, so that the activation returns to the owner.
    ReleaseModalOwner();
    TakeIconsDown();
    model_.Detach();
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

LRESULT CALLBACK FormWindow::IconSinkProc(HWND sink, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kIconNoticeMessage) {
        return DefWindowProcW(sink, message, wParam, lParam);
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(sink, GWLP_USERDATA));
    // Held for the whole notice: a handler may unload the form, and the sink with it.
    const std::shared_ptr<FormWindow> keepAlive =
        self != nullptr ? self->weak_from_this().lock() : nullptr;
    if (keepAlive) {
        keepAlive->OnIconNotice(wParam, lParam);
    }
    return 0;
}

// --- Decoding -----------------------------------------------------------------------

template <class Input>
void FormWindow::Feed(Input&& input) {
    const bool wasCapturing = model_.Capturing();
    try {
        input(model_);
    } catch (...) {
        // A failing handler must not unwind through the system's window code.
    }
    // Asking the system who holds the capture is a trip to the window server under Wine;
    // with no capture before or after (every timer tick), there is nothing to bring in step.
    if (wasCapturing || model_.Capturing()) {
        SyncCapture();
    }
}

void FormWindow::SyncCapture() {
    // The handlers may have destroyed the window, and the capture with it.
    const HWND self = hwnd();
    if (self == nullptr) {
        return;
    }
    const bool held = GetCapture() == self;
    if (model_.Capturing() && !held) {
        SetCapture(self);
    } else if (!model_.Capturing() && held) {
        ReleaseCapture();
    }
}

LRESULT FormWindow::HandleMessage(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
    // self, not hwnd(): while the window is being destroyed the owner has already let go.
    if (IsPointerMessage(message)) {
        OnPointer(message, wParam, lParam);
        return 0;
    }
    // Registered at run time, so no case label; zero only if registering failed.
    if (message == TaskbarCreatedMessage() && message != 0) {
        PutIconsUpAgain();
        return 0;
    }
    switch (message) {
        case WM_NCDESTROY:
            OnDestroyed(self);
            break;
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole window
        case WM_PAINT:
            Paint(self);
            return 0;
        case WM_SIZE:
            OnSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(self, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_MOUSEACTIVATE:
            return model_.ActivatesWhenShown() ? DefWindowProcW(self, message, wParam, lParam)
                                               : MA_NOACTIVATE;
        case WM_KEYUP:
            OnKeyUp(wParam);
            return 0;
        case WM_SYSKEYUP:
            OnKeyUp(wParam);
            break;  // the system still handles Alt combinations
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case kDeactivatedMessage:
            // Unless the window was activated again meanwhile.
            if (GetActiveWindow() != self) {
                Feed([](FormModel& model) { model.Deactivated(); });
            }
            return 0;
        case WM_SETFOCUS:
            PassFocusOn(self);
            return 0;
        case WM_CLOSE:
        case WM_ENDSESSION:
            // The logic decides whether the window goes; it never goes by default.
            if (message == WM_CLOSE || wParam != FALSE) {
                Feed([](FormModel& model) { model.CloseRequested(); });
            }
            return 0;
        case WM_TIMER:
            Feed([wParam](FormModel& model) { model.TimerFired(static_cast<int>(wParam)); });
            return 0;
        case WM_DISPLAYCHANGE:
            Feed([](FormModel& model) { model.DisplayChanged(); });
            return 0;
        case WM_COMMAND:
            if (OnCommand(wParam, lParam)) {
                return 0;
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (const auto id = ControlOfChild(reinterpret_cast<HWND>(lParam))) {
                return OnControlColour(reinterpret_cast<HDC>(wParam), *id);
            }
            break;
    }
    return DefWindowProcW(self, message, wParam, lParam);
}

void FormWindow::OnPointer(UINT message, WPARAM wParam, LPARAM lParam) {
    const PixelPoint at = win32_rules::PointFrom(lParam);
    const std::int16_t shift = ShiftState();
    const std::int16_t button = win32_rules::ButtonOf(message);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            TakeFocus();
            Feed([&](FormModel& model) { model.PointerDown(button, shift, at); });
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const std::int16_t held = win32_rules::ButtonsHeld(wParam);
            Feed([&](FormModel& model) { model.PointerUp(button, held, shift, at); });
            break;
        }
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            TakeFocus();
            Feed([&](FormModel& model) { model.DoubleClick(at); });
            break;
        default:  // WM_MOUSEMOVE
            Feed([&](FormModel& model) {
                model.PointerMove(win32_rules::ButtonsHeld(wParam), shift, at);
            });
            break;
    }
}

void FormWindow::TakeFocus() {
    // Clicking a window gives it the keyboard (F1 on the main window), unless it
    // is one that must never take the focus from the game.
    if (!model_.ActivatesWhenShown()) {
        return;
    }
    const HWND self = hwnd();
    const HWND focus = GetFocus();
    if (focus != self && (focus == nullptr || !IsChild(self, focus))) {
        ::SetFocus(self);
    }
}

void FormWindow::OnKeyUp(WPARAM wParam) {
    const auto keyCode = static_cast<std::int16_t>(wParam);
    const std::int16_t shift = ShiftState();
    Feed([&](FormModel& model) { model.KeyUp(keyCode, shift); });
}

void FormWindow::OnCaptureChanged(HWND self, HWND to) {
    // Taking it again for this same window loses nothing.
    if (to != self) {
        model_.CaptureLost();
    }
}

void FormWindow::PassFocusOn(HWND self) {
    // To the control that had the keyboard last, or the first one that takes it.
    if (focusChild_ != nullptr && IsWindow(focusChild_) && IsChild(self, focusChild_) &&
        IsWindowVisible(focusChild_)) {
        ::SetFocus(focusChild_);
    }
}

void FormWindow::OnActivate(WPARAM wParam) {
    const HWND self = hwnd();
    if (LOWORD(wParam) == WA_INACTIVE) {
        // Where the keyboard was, so that it comes back there.
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(self, focus)) {
            focusChild_ = focus;
        }
        PostMessageW(self, kDeactivatedMessage, 0, 0);
        return;
    }
    Feed([](FormModel& model) { model.Activated(); });
    if (hwnd() != nullptr && HIWORD(wParam) == 0) {
        ::SetFocus(self);
    }
}

void FormWindow::OnSize(int width, int height) {
    surface_->EnsureSize(width, height);
    toolTips_.MoveArea(hwnd(), kFormSurface, ToolArea(kFormSurface));
}

void FormWindow::OnDestroyed(HWND self) {
    // The window is gone for good: nothing may reach it or through it any more.
    SetWindowLongPtrW(self, GWLP_USERDATA, 0);
    static_cast<void>(window_.release());
    ReleaseModalOwner();
    TakeIconsDown();
    model_.Detach();
    toolTips_.Forget();
}

void FormWindow::OnIconNotice(WPARAM wParam, LPARAM lParam) {
    const auto id = static_cast<std::uint32_t>(wParam);
    const auto shellMessage = static_cast<std::uint32_t>(LOWORD(lParam));
    Feed([&](FormModel& model) { model.IconNotified(id, shellMessage); });
}

bool FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0) {
        return false;
    }
    const auto id = ControlOfChild(reinterpret_cast<HWND>(lParam));
    if (!id || model_.Find(*id)->desc.kind != ControlKind::PushButton) {
        return false;
    }
    Feed([&](FormModel& model) { model.ChildClicked(*id); });
    return true;
}

LRESULT FormWindow::OnControlColour(HDC dc, int id) {
    const ControlDesc& design = model_.Find(id)->desc;
    ControlParts& parts = *Parts(id);
    SetTextColor(dc, ToColorRef(design.foreColour));
    SetBkColor(dc, ToColorRef(design.backColour));
    if (!parts.backBrush) {
        parts.backBrush.reset(CreateSolidBrush(ToColorRef(design.backColour)));
    }
    return reinterpret_cast<LRESULT>(parts.backBrush.get());
}

void FormWindow::Paint(HWND self) {
    std::vector<DrawnControl> drawn;
    for (const ControlState& control : model_.controls()) {
        if (control.visible) {
            const ControlParts& parts = *Parts(control.desc.id);
            drawn.push_back({&control, parts.font.get(), parts.surface.get()});
        }
    }
    PaintWindow(self, model_.desc().backColour, *surface_, drawn);
}

}  // namespace tw::platform::win32
