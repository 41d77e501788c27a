// The program's windows on Win32: a top-level window per form, a persistent
// image per drawing surface, real child windows for edit boxes and buttons.
// What input means is decided by the portable form model (form_window.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace tw::platform::win32 {

class FormWindow;

class Win32Form final : public Form {
  public:
    Win32Form(const FormDesc& desc, FormEvents& events);
    // Destroys the window at once; no further event reaches the events object,
    // even when this runs inside one of that window's own handlers.
    ~Win32Form() override;

    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    WindowHandle Handle() const override;

    // The outer rectangle, frame included, in screen twips.
    TwipRect Bounds() const override;
    void Move(float left, float top, float width, float height) override;

    void SetVisible(bool visible) override;
    bool IsVisible() const override;
    void SetFocus() override;

    void SetControlText(int control, std::string_view text) override;
    std::string ControlText(int control) const override;
    void SetControlForeColour(int control, Colour colour) override;
    void SetControlBackColour(int control, Colour colour) override;
    void SetToolTip(int control, std::string_view text) override;
    void MoveControl(int control, const TwipRect& rect) override;
    void ShowControl(int control, bool visible) override;

    Canvas& Surface(int control) override;

    void StartTimer(int timerId, unsigned intervalMs) override;
    void StopTimer(int timerId) override;
    bool TimerRunning(int timerId) const override;

    // Each control's icons notify a hidden window of their own, since the
    // shell's notice has the number of a pointer move.
    bool AddNotifyIcon(int control, std::uint32_t id, std::string_view tip) override;
    void DeleteNotifyIcon(std::uint32_t id) override;
    // Runs a message loop of its own until the window is destroyed.
    void ShowModal(WindowHandle owner) override;

  private:
    // Shared with the window procedure, which holds a copy while it dispatches,
    // so that destroying the form from inside a handler leaves it valid until
    // that handler has returned.
    std::shared_ptr<FormWindow> window_;
};

}  // namespace tw::platform::win32
