// What the window logic's calls do to a window on the system: FormWindow's
// side of the Form interface, with the parts each control has there.
#include "platform/win32/form_window.h"
#include "platform/win32/gdi.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/notify_icon.h"
#include "platform/win32/text.h"
#include "platform/win32/units.h"

namespace tw::platform::win32 {

// --- What the controls have on the system -------------------------------------------

FormWindow::ControlParts* FormWindow::Parts(int id) {
    const auto it = parts_.find(id);
    return it == parts_.end() ? nullptr : &it->second;
}

const FormWindow::ControlParts* FormWindow::Parts(int id) const {
    const auto it = parts_.find(id);
    return it == parts_.end() ? nullptr : &it->second;
}

SurfaceImage* FormWindow::ImageOf(int id) {
    if (id == kFormSurface) {
        return surface_.get();
    }
    ControlParts* parts = Parts(id);
    return parts != nullptr ? parts->surface.get() : nullptr;
}

std::optional<int> FormWindow::ControlOfChild(HWND child) const {
    if (child == nullptr) {
        return std::nullopt;
    }
    for (const auto& [id, parts] : parts_) {
        if (parts.child == child) {
            return id;
        }
    }
    return std::nullopt;
}

RECT FormWindow::ToolArea(int id) const {
    RECT area{};
    if (id == kFormSurface) {
        if (hwnd() != nullptr) {
            GetClientRect(hwnd(), &area);
        }
        return area;
    }
    const ControlState* control = model_.Find(id);
    if (control != nullptr && control->visible) {
        area = ToRect(control->rect);
    }
    return area;
}

void FormWindow::AddToolTips() {
    for (const ControlState& control : model_.controls()) {
        const int id = control.desc.id;
        if (!control.desc.toolTip.empty()) {
            toolTips_.Set(hwnd(), id, Parts(id)->child, ToolArea(id), control.desc.toolTip);
        }
    }
}

void FormWindow::ImageChanged() {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void FormWindow::RepaintNow() {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        UpdateWindow(hwnd());
    }
}

// --- The window -----------------------------------------------------------------------

TwipRect FormWindow::Bounds() const {
    RECT outer{};
    if (hwnd() != nullptr) {
        GetWindowRect(hwnd(), &outer);
    }
    return ScreenUnits().ToTwips(PixelRect{outer.left, outer.top, outer.right, outer.bottom});
}

void FormWindow::Move(float left, float top, float width, float height) {
    if (hwnd() == nullptr) {
        return;
    }
    const PixelRect to = ScreenUnits().ToPixels(TwipRect{left, top, width, height});
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
    if (!model_.ActivatesOnShow(GetForegroundWindow() == hwnd())) {
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        return;
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

bool FormWindow::IsVisible() const {
    return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE;
}

void FormWindow::SetFocus() {
    if (hwnd() != nullptr) {
        ::SetFocus(hwnd());  // WM_SETFOCUS passes it on to the window's focused control
    }
}

// --- Controls ---------------------------------------------------------------------------

void FormWindow::SetControlText(int id, std::string_view text) {
    if (!model_.SetText(id, text)) {
        return;
    }
    const HWND target = id == kFormSurface ? hwnd() : Parts(id)->child;
    if (target != nullptr) {
        SetWindowTextW(target, Widen(text).c_str());
    } else if (id != kFormSurface) {
        ImageChanged();
    }
}

std::string FormWindow::ControlText(int id) const {
    if (id == kFormSurface) {
        return hwnd() != nullptr ? WindowText(hwnd()) : model_.desc().caption;
    }
    const ControlState* control = model_.Find(id);
    if (control == nullptr) {
        return {};
    }
    // What the user typed is in the edit box, not in the model.
    const HWND child = Parts(id)->child;
    return child != nullptr ? WindowText(child) : control->desc.text;
}

void FormWindow::SetControlForeColour(int id, Colour colour) {
    if (!model_.SetForeColour(id, colour)) {
        return;
    }
    // A surface's fore colour is what it draws and prints with.
    if (SurfaceImage* image = ImageOf(id)) {
        image->SetDrawColour(colour);
    } else if (const HWND child = Parts(id)->child) {
        InvalidateRect(child, nullptr, TRUE);
    } else {
        ImageChanged();
    }
}

void FormWindow::SetControlBackColour(int id, Colour colour) {
    const std::optional<ColourEffect> effect = model_.SetBackColour(id, colour);
    if (!effect) {
        return;
    }
    if (*effect == ColourEffect::EraseImage) {
        if (SurfaceImage* image = ImageOf(id)) {
            image->Clear(colour);
        }
        return;
    }
    ControlParts& parts = *Parts(id);
    if (parts.child != nullptr) {
        parts.backBrush.reset(CreateSolidBrush(ToColorRef(colour)));
        InvalidateRect(parts.child, nullptr, TRUE);
    } else {
        ImageChanged();
    }
}

void FormWindow::SetToolTip(int id, std::string_view text) {
    if (!model_.SetToolTip(id, text) || hwnd() == nullptr) {
        return;
    }
    const ControlParts* parts = Parts(id);
    toolTips_.Set(hwnd(), id, parts != nullptr ? parts->child : nullptr, ToolArea(id), text);
}

void FormWindow::MoveControl(int id, const TwipRect& rect) {
    if (!model_.MoveControl(id, rect)) {
        return;
    }
    const PixelRect& to = model_.Find(id)->rect;
    const int width = to.right - to.left;
    const int height = to.bottom - to.top;
    ControlParts& parts = *Parts(id);
    if (parts.child != nullptr) {
        SetWindowPos(parts.child, nullptr, to.left, to.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        toolTips_.MoveArea(hwnd(), id, ToolArea(id));
    }
    if (parts.surface) {
        parts.surface->EnsureSize(width, height);
    }
    ImageChanged();
}

void FormWindow::ShowControl(int id, bool visible) {
    if (!model_.ShowControl(id, visible)) {
        return;
    }
    const HWND child = Parts(id)->child;
    if (child != nullptr) {
        ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE);
    } else {
        toolTips_.MoveArea(hwnd(), id, ToolArea(id));
    }
    ImageChanged();
}

Canvas& FormWindow::Surface(int id) {
    if (SurfaceImage* image = ImageOf(id)) {
        return *image;
    }
    // Only the window and its pictures have an image; drawing elsewhere shows nothing.
    static NullCanvas nowhere;
    return nowhere;
}

// --- Timers -------------------------------------------------------------------------------

void FormWindow::StartTimer(int timerId, unsigned intervalMs) {
    if (hwnd() == nullptr || !model_.StartTimer(timerId, intervalMs)) {
        return;
    }
    if (SetTimer(hwnd(), static_cast<UINT_PTR>(timerId), intervalMs, nullptr) == 0) {
        model_.StopTimer(timerId);  // the system has none to spare: it does not run
    }
}

void FormWindow::StopTimer(int timerId) {
    if (model_.StopTimer(timerId) && hwnd() != nullptr) {
        KillTimer(hwnd(), static_cast<UINT_PTR>(timerId));
    }
}

// --- Notification-area icons -----------------------------------------------------------

HWND FormWindow::SinkOf(int control) const {
    const auto found = iconSinks_.find(control);
    return found != iconSinks_.end() ? found->second : nullptr;
}

HWND FormWindow::IconSink(int control) {
    if (const HWND existing = SinkOf(control)) {
        return existing;
    }
    const HWND sink = CreateIconSink(hwnd(), &FormWindow::IconSinkProc, this);
    if (sink != nullptr) {
        iconSinks_.emplace(control, sink);
    }
    return sink;
}

bool FormWindow::AddNotifyIcon(int control, std::uint32_t id, std::string_view tip) {
    if (hwnd() == nullptr || !model_.Has(control)) {
        return false;
    }
    // An icon moving to another control's sink is a different icon to the shell.
    for (const NotifyIcon& icon : model_.Icons()) {
        const HWND old = SinkOf(icon.control);
        if (icon.id == id && icon.control != control && old != nullptr) {
            ShellDeleteIcon(old, id);
        }
    }
    const NotifyIcon& icon = model_.AddIcon(control, id, tip);
    const HWND sink = IconSink(control);
    return sink != nullptr && ShellAddIcon(sink, icon, model_.desc().iconResource);
}

void FormWindow::DeleteNotifyIcon(std::uint32_t id) {
    HWND sink = nullptr;
    for (const NotifyIcon& icon : model_.Icons()) {
        if (icon.id == id) {
            sink = SinkOf(icon.control);
        }
    }
    model_.DeleteIcon(id);
    if (sink != nullptr) {
        ShellDeleteIcon(sink, id);
    }
}

void FormWindow::PutIconsUpAgain() {
    for (const NotifyIcon& icon : model_.Icons()) {
        if (const HWND sink = IconSink(icon.control)) {
            ShellAddIcon(sink, icon, model_.desc().iconResource);
        }
    }
}

void FormWindow::TakeIconsDown() {
    // An icon left behind would stay in the notification area until the pointer
    // passes over it. The shell knows icons by window handle and id, so this
    // works after the sinks have gone, too.
    for (const NotifyIcon& icon : model_.Icons()) {
        if (const HWND sink = SinkOf(icon.control)) {
            ShellDeleteIcon(sink, icon.id);
        }
    }
    iconSinks_.clear();
}

// --- Modal showing -------------------------------------------------------------------------

void FormWindow::ShowModal(HWND owner) {
    const HWND self = hwnd();
    if (self == nullptr) {
        return;
    }
    if (owner != nullptr && owner != self && IsWindow(owner)) {
        RECT outer{};
        GetWindowRect(owner, &outer);
        const PixelRect work =
            DescribeMonitor(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)).workArea;
        const TwipRect mine = Bounds();
        const TwipRect place = CentredOver(
            ScreenUnits().ToTwips(PixelRect{outer.left, outer.top, outer.right, outer.bottom}),
            mine.width, mine.height, ScreenUnits().ToTwips(work));
        Move(place.left, place.top, place.width, place.height);
        // Owned, it stays above its owner and out of the taskbar.
        SetWindowLongPtrW(self, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        // An owner that was already disabled (under another modal window) stays so.
        if (EnableWindow(owner, FALSE) == FALSE) {
            modalOwner_ = owner;
        }
    }
    // The click that opened this window may have left the window it came from
    // holding the pointer until its handler (this loop) returns: nothing else
    // would get a mouse message meanwhile.
    if (GetCapture() != nullptr) {
        ReleaseCapture();
    }
    SetVisible(true);
    // Until the logic unloads the window, which destroys it (Destroy, or the
    // system's destruction of an owned window along with its owner).
    while (hwnd() != nullptr) {
        if (const std::optional<int> exitCode = HandleNextMessage()) {
            // The main loop is the one that ends on it.
            PostQuitMessage(*exitCode);
            break;
        }
    }
    ReleaseModalOwner();
}

void FormWindow::ReleaseModalOwner() {
    if (modalOwner_ != nullptr) {
        EnableWindow(modalOwner_, TRUE);
        modalOwner_ = nullptr;
    }
}

}  // namespace tw::platform::win32
