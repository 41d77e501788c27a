// The logic owns each window through a Win32Form; the window procedure holds
// the same FormWindow while it dispatches, so a handler that unloads its own
// window leaves it valid until the handler has returned. Every call is passed on.
#include "platform/win32/win32_form.h"

#include "platform/win32/form_window.h"

namespace tw::platform::win32 {

// --- Win32Form ------------------------------------------------------------------------------

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
void Win32Form::MoveControl(int control, const TwipRect& rect) {
    window_->MoveControl(control, rect);
}
void Win32Form::ShowControl(int control, bool visible) {
    window_->ShowControl(control, visible);
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
bool Win32Form::AddNotifyIcon(int control, std::uint32_t id, std::string_view tip) {
    return window_->AddNotifyIcon(control, id, tip);
}
void Win32Form::DeleteNotifyIcon(std::uint32_t id) {
    window_->DeleteNotifyIcon(id);
}
void Win32Form::ShowModal(WindowHandle owner) {
    // The logic unloads the window from inside the loop, deleting this object:
    // the window lives on in this copy until the loop has returned.
    const std::shared_ptr<FormWindow> window = window_;
    window->ShowModal(reinterpret_cast<HWND>(owner));
}

}  // namespace tw::platform::win32
