// How one of the program's windows reacts to input, whoever delivers it: the
// control table, which control the pointer is on, which presses and releases
// make a click or a double-click, capture, activation, running timers and what
// a new back colour does. The Win32 backend feeds it decoded window messages;
// the simulated desktop feeds it the tests' pointer and clock. Both then do
// what it decides, so a unit test goes through the same rules as Windows.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/units.h"
#include "platform/window.h"

namespace tw::platform {

// One control as the window has it now: its design, changed by the setters.
struct ControlState {
    ControlDesc desc;
    PixelRect rect;  // client pixels
    bool visible = true;
};

// A notification-area icon a window has put up.
struct NotifyIcon {
    int control;  // the control whose mouse moves report the shell's clicks
    std::uint32_t id;
    std::string tip;

    friend bool operator==(const NotifyIcon&, const NotifyIcon&) = default;
};

// The longest tip the shell shows, in characters.
inline constexpr std::size_t kMaxIconTipCharacters = 63;

// Where a window of the given size stands centred over another window, moved
// no further than it takes to lie wholly within the area (the work area of the
// owner's monitor: a dialog over a bar docked in a corner must not hang off the
// screen, nor reach onto the next monitor).
TwipRect CentredOver(const TwipRect& owner, float width, float height, const TwipRect& area);

// What the window has to do about a new back colour.
enum class ColourEffect {
    Repaint,     // labels and real controls show the colour the next time they paint
    EraseImage,  // the window's own surface and pictures lose what was drawn on them
};

class FormModel {
  public:
    FormModel(FormDesc desc, const Units& units, FormEvents& events);

    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    // The window's own design; its controls live in the table below.
    const FormDesc& desc() const { return desc_; }
    const Units& units() const { return units_; }

    // --- The control table, in z-order: later controls lie over earlier ones ---
    const std::vector<ControlState>& controls() const { return controls_; }
    // Null for an id the window does not have. kFormSurface is no control.
    ControlState* Find(int id);
    const ControlState* Find(int id) const;
    // True for kFormSurface and every control of the window.
    bool Has(int id) const;

    // Each returns false, changing nothing, for an id the window does not have.
    bool MoveControl(int id, const TwipRect& rect);
    bool ShowControl(int id, bool visible);
    bool SetText(int id, std::string_view text);
    bool SetForeColour(int id, Colour colour);
    bool SetToolTip(int id, std::string_view text);
    std::optional<ColourEffect> SetBackColour(int id, Colour colour);

    // The control the window itself draws under a client point: the topmost
    // visible label, picture or click area there, else the window's surface.
    // Edit boxes and push buttons are real child windows that take their own input.
    int HitTest(PixelPoint client) const;
    // The visible edit box or push button under a client point, if any.
    std::optional<int> ChildAt(PixelPoint client) const;

    // --- Pointer, in client pixels ---------------------------------------------
    // The first press captures the control under it: until every button is up,
    // everything the pointer does goes to that control, wherever it is.
    void PointerDown(std::int16_t button, std::int16_t shift, PixelPoint at);
    // `stillHeld`: the buttons down after this release. The last release ends
    // the capture, and is a click when it falls on the control the press went
    // down on, unless the press was the second of a double-click.
    void PointerUp(std::int16_t button, std::int16_t stillHeld, std::int16_t shift, PixelPoint at);
    void PointerMove(std::int16_t held, std::int16_t shift, PixelPoint at);
    // The second press of a double-click comes as this instead of a press: the
    // window reports down, up, click, double-click, up.
    void DoubleClick(PixelPoint at);
    // Another window took the pointer away.
    void CaptureLost();
    bool Capturing() const { return captured_.has_value(); }

    // A real push button was clicked.
    void ChildClicked(int id);

    // --- Keyboard, activation, closing ------------------------------------------
    void KeyUp(std::int16_t keyCode, std::int16_t shift);
    // Whether showing or clicking the window makes it the active one. Windows
    // that only inform never take the keyboard from the program in front.
    bool ActivatesWhenShown() const { return desc_.activateWhenShown; }
    // Whether showing the window, hidden or not, brings it forward as the
    // active window: every window that activates, unless it is in front already
    // (after a click on the tray icon the bar is only active within the
    // program, and must come forward to get the keyboard).
    bool ActivatesOnShow(bool inFront) const { return desc_.activateWhenShown && !inFront; }
    // Reported once per change: a repeated notice changes nothing.
    void Activated();
    void Deactivated();
    void CloseRequested();
    // The monitors changed: one went or came, or the layout or resolution changed.
    void DisplayChanged();

    // --- Notification-area icons ---------------------------------------------------
    // The mouse button the shell's mouse message on an icon stands for: 1 for a
    // left click or double-click, 2 for a right click, 0 for anything else
    // (moves, presses, the other buttons).
    static std::int16_t IconButton(std::uint32_t shellMessage);
    // Records the icon the window puts up (replacing one with its id), its tip
    // cut to what the shell shows; returns what the shell is to be given.
    const NotifyIcon& AddIcon(int control, std::uint32_t id, std::string_view tip);
    void DeleteIcon(std::uint32_t id);
    // The icons up, to be put up again when the shell restarts.
    const std::vector<NotifyIcon>& Icons() const { return icons_; }
    // The shell reports a mouse message on one of the window's icons.
    void IconNotified(std::uint32_t id, std::uint32_t shellMessage);

    // --- Timers --------------------------------------------------------------------
    // True when the timer was not running: the system's timer has to start.
    // Starting a running timer leaves its count as it is.
    bool StartTimer(int id, unsigned intervalMs);
    // True when the timer was running: the system's timer has to stop.
    bool StopTimer(int id);
    bool TimerRunning(int id) const { return timers_.contains(id); }
    std::optional<unsigned> TimerInterval(int id) const;
    // A tick of a timer that has been stopped since is dropped.
    void TimerFired(int id);

    // The window is going: nothing reaches the events object any more, even
    // from an input call that is still on the stack, and nothing runs on.
    void Detach();

  private:
    struct ControlPoint {
        float x;
        float y;
    };
    // The position relative to the control, in its scale unit.
    ControlPoint ToControl(int id, PixelPoint at) const;

    void Fire(const FormEvent& event) {
        if (events_ != nullptr) {
            events_->OnEvent(event);
        }
    }

    FormDesc desc_;
    Units units_;
    FormEvents* events_;
    std::vector<ControlState> controls_;
    std::map<int, unsigned> timers_;  // running timers and their intervals
    std::vector<NotifyIcon> icons_;

    std::optional<int> captured_;  // the control the held buttons went down on
    bool afterDoubleClick_ = false;
    bool active_ = false;
};

}  // namespace tw::platform
