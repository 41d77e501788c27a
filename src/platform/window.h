// The program's own windows, as the window logic sees them: a window is made
// from a description, drawn on through a persistent canvas, and reports what
// happens to it through FormEvents. The Win32 backend and the simulated
// desktop both implement this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace tw::platform {

enum class ControlKind {
    Label,       // drawn text; reacts to the mouse like any control
    Picture,     // a surface with its own canvas, or a bitmap resource
    ClickArea,   // invisible, only catches the mouse
    TextBox,     // a real single-line edit control
    PushButton,  // a real push button
};

enum class TextAlign { Left, Centre };

// Id 0 always names the window's own surface.
inline constexpr int kFormSurface = 0;

struct ControlDesc {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    TwipRect rect{};  // relative to the window's inner top-left corner
    std::string text{};
    Colour foreColour = colours::kBlack;
    Colour backColour = colours::kDarkGrey;
    bool transparent = false;  // labels: no background box
    Font font{};
    TextAlign align = TextAlign::Left;
    bool wrap = false;
    bool autoSize = false;               // labels: as wide and high as their text, never cut off
    int bitmapResource = 0;              // pictures showing artwork
    ScaleUnit scale = ScaleUnit::Twips;  // units of the canvas and of mouse events
    std::string toolTip{};
};

enum class FrameKind { None, FixedDialog };

// The system's window class of one of the program's windows, by its design name: what the
// backend registers, and what finds the main window of a copy already running.
inline std::string WindowClassName(std::string_view name) {
    return "Tunewarden_" + std::string(name);
}

struct FormDesc {
    std::string name;  // the design name, which names its window class
    std::string caption{};
    float width = 0;  // inner size, twips
    float height = 0;
    Colour backColour = colours::kDarkGrey;
    std::optional<Colour> fillColour{};  // outlined boxes on the surface are filled with it
    Font font{};
    FrameKind frame = FrameKind::None;
    bool showInTaskbar = false;
    bool activateWhenShown = true;  // informative windows never take the focus
    int iconResource = 0;
    std::vector<ControlDesc> controls{};
};

// A persistent image: what is drawn stays and is shown again on every repaint.
// Coordinates are in the surface's scale unit; the pen starts black, 1 pixel wide.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void SetDrawColour(Colour colour) = 0;
    virtual void SetDrawWidth(int pixels) = 0;
    virtual void SetFontBold(bool bold) = 0;
    // The end point is not drawn, as with the system's own line primitive.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    // An outlined box is filled with the surface's fill colour, if it has one.
    virtual void Box(float x1, float y1, float x2, float y2, bool filled) = 0;
    // Transparent text at the current position; each CR LF and the end of the
    // output move the position to the left edge, one line further down.
    virtual void Print(std::string_view text) = 0;
    virtual void Refresh() = 0;
};

enum class EventKind {
    MouseDown,
    MouseMove,
    MouseUp,
    Click,
    DblClick,
    KeyUp,
    Activate,
    Deactivate,
    Timer,
    CloseRequest,   // the system, or the user through the system, asks the window to close
    DisplayChange,  // the monitors changed: one went or came, or their layout did
};

// One thing that happened to a window.
struct FormEvent {
    EventKind kind;
    // The control the event is for (kFormSurface for the window itself); for a
    // timer, the timer's id.
    int control = kFormSurface;
    // The mouse: the button pressed or released, or on a move the buttons held;
    // positions in the control's scale unit, from its top-left corner.
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
    std::int16_t keyCode = 0;
};

// What the window logic handles.
class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void OnEvent(const FormEvent& event) = 0;
};

class Form {
  public:
    virtual ~Form() = default;  // destroys the window

    virtual WindowHandle Handle() const = 0;

    virtual TwipRect Bounds() const = 0;
    virtual void Move(float left, float top, float width, float height) = 0;

    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetFocus() = 0;

    virtual void SetControlText(int control, std::string_view text) = 0;
    virtual std::string ControlText(int control) const = 0;
    virtual void SetControlForeColour(int control, Colour colour) = 0;
    virtual void SetControlBackColour(int control, Colour colour) = 0;
    virtual void SetToolTip(int control, std::string_view text) = 0;
    // Places a control anew (twips, relative to the inner top-left corner).
    virtual void MoveControl(int control, const TwipRect& rect) = 0;
    // A hidden control is neither drawn nor under the pointer.
    virtual void ShowControl(int control, bool visible) = 0;

    virtual Canvas& Surface(int control) = 0;

    // Starting a running timer leaves its count as it is.
    virtual void StartTimer(int timerId, unsigned intervalMs) = 0;
    virtual void StopTimer(int timerId) = 0;
    virtual bool TimerRunning(int timerId) const = 0;

    // An icon in the notification area with the window's icon and the tip,
    // notifying one of its controls: the shell's clicks on it arrive as that
    // control's mouse moves (FormModel::IconButton says which). False when the
    // shell refuses it. The window puts its icons up again when the shell restarts.
    virtual bool AddNotifyIcon(int control, std::uint32_t id, std::string_view tip) = 0;
    virtual void DeleteNotifyIcon(std::uint32_t id) = 0;

    // Shows the window centred over another of the program's windows (moved
    // onto the work area of the owner's monitor where it would hang off it,
    // so that it opens wholly on that monitor), which owns it and takes
    // no input until this one is unloaded; returns then.
    virtual void ShowModal(WindowHandle owner) = 0;
};

}  // namespace tw::platform
