// One of the program's top-level windows on Win32. The form model decides what
// input means; this binds the system window to it, decodes window messages into
// the model's inputs, paints, and hosts the real edit boxes and push buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/form_model.h"
#include "platform/win32/handles.h"
#include "platform/win32/surface_image.h"
#include "platform/win32/tool_tips.h"

namespace tw::platform::win32 {

class FormWindow final : public std::enable_shared_from_this<FormWindow>, private ImageOwner {
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

    // --- What the Form interface asks for ---------------------------------------
    TwipRect Bounds() const;
    void Move(float left, float top, float width, float height);
    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetFocus();

    void SetControlText(int id, std::string_view text);
    std::string ControlText(int id) const;
    void SetControlForeColour(int id, Colour colour);
    void SetControlBackColour(int id, Colour colour);
    void SetToolTip(int id, std::string_view text);
    void MoveControl(int id, const TwipRect& rect);
    void ShowControl(int id, bool visible);
    Canvas& Surface(int id);

    void StartTimer(int timerId, unsigned intervalMs);
    void StopTimer(int timerId);
    bool TimerRunning(int timerId) const { return model_.TimerRunning(timerId); }

    bool AddNotifyIcon(int control, std::uint32_t id, std::string_view tip);
    void DeleteNotifyIcon(std::uint32_t id);

    // Returns once the window has been destroyed; the caller keeps this object
    // alive until then, since the logic destroys its form from inside the loop.
    void ShowModal(HWND owner);

  private:
    // What a control has on the system, besides its state in the model.
    struct ControlParts {
        UniqueFont font;
        UniqueBrush backBrush;                  // edit boxes paint their background with it
        HWND child = nullptr;                   // edit boxes and push buttons
        std::unique_ptr<SurfaceImage> surface;  // pictures
    };

    // --- Binding and decoding (form_window.cpp) -----------------------------------
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK IconSinkProc(HWND sink, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateChild(int id, ControlParts& parts);
    LRESULT HandleMessage(HWND self, UINT message, WPARAM wParam, LPARAM lParam);
    void OnPointer(UINT message, WPARAM wParam, LPARAM lParam);
    void TakeFocus();
    void OnKeyUp(WPARAM wParam);
    void OnCaptureChanged(HWND self, HWND to);
    void PassFocusOn(HWND self);
    void OnActivate(WPARAM wParam);
    void OnSize(int width, int height);
    void OnDestroyed(HWND self);
    void OnIconNotice(WPARAM wParam, LPARAM lParam);
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnControlColour(HDC dc, int id);
    void Paint(HWND self);
    // Every input reaches the model through here: a handler's exception stops
    // here, and afterwards the system's capture follows the model's.
    template <class Input>
    void Feed(Input&& input);
    void SyncCapture();

    // --- The controls' parts on the system (win32_form.cpp) ----------------------
    ControlParts* Parts(int id);
    const ControlParts* Parts(int id) const;
    // The persistent image of the window (kFormSurface) or of a picture.
    SurfaceImage* ImageOf(int id);
    std::optional<int> ControlOfChild(HWND child) const;
    // Where a control's tip shows: nowhere while it is hidden.
    RECT ToolArea(int id) const;
    void AddToolTips();
    // The window that receives the icon notices for a control, made on first use.
    HWND IconSink(int control);
    HWND SinkOf(int control) const;  // null when it has none yet
    void PutIconsUpAgain();
    void TakeIconsDown();
    // Gives the owner of a modal window its input back.
    void ReleaseModalOwner();

    void ImageChanged() override;
    void RepaintNow() override;

    FormModel model_;
    std::map<int, ControlParts> parts_;  // by control id
    std::unique_ptr<SurfaceImage> surface_;
    ToolTips toolTips_;
    HWND focusChild_ = nullptr;
    std::map<int, HWND> iconSinks_;  // by control; children of the window, they go with it
    HWND modalOwner_ = nullptr;      // disabled while this window is up modally

    // Last, so that the window goes before the fonts and brushes its children use.
    UniqueWindow window_;
};

}  // namespace tw::platform::win32
