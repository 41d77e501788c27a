// The rules every window of the program follows for the pointer, timers and
// activation, as both the Win32 backend and the simulated desktop apply them.
#include "platform/form_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::platform {
namespace {

using Events = std::vector<std::string>;

// Writes down what reaches the window's handlers, e.g. "up 2 b1 3,4" or "activate 0".
class Recorder final : public FormEvents {
  public:
    void OnEvent(const FormEvent& e) override {
        static constexpr const char* kNames[] = {"down",     "move",  "up",       "click",
                                                 "dblclick", "keyup", "activate", "deactivate",
                                                 "timer",    "close"};
        std::string entry = kNames[static_cast<int>(e.kind)] + (" " + std::to_string(e.control));
        if (e.kind <= EventKind::MouseUp) {  // the pointer's events come first
            entry += " b" + std::to_string(e.button) + " " + std::to_string(static_cast<int>(e.x)) +
                     "," + std::to_string(static_cast<int>(e.y));
        }
        events.push_back(entry);
    }

    Events events;
};

// A window with a twips label at pixels (10,10)-(20,20), a pixel picture at
// (15,15)-(30,30) lying over it, and an edit box at (40,0)-(60,10).
FormDesc Design() {
    FormDesc design;
    design.controls = {{.id = 1, .rect = {150, 150, 150, 150}},
                       {.id = 2,
                        .kind = ControlKind::Picture,
                        .rect = {225, 225, 225, 225},
                        .scale = ScaleUnit::Pixels},
                       {.id = 3, .kind = ControlKind::TextBox, .rect = {600, 0, 300, 150}}};
    return design;
}

// One raw input: 'd'own, 'u'p, 'm'ove, '2'nd press of a double-click, capture 'x' lost.
struct Input {
    char what;
    std::int16_t button;  // pressed or released; held, for a move
    PixelPoint at;
    std::int16_t stillHeld = 0;  // after a release
};

Events Feed(const std::vector<Input>& inputs, const std::function<void(FormModel&)>& first = {}) {
    Recorder recorder;
    FormModel model(Design(), Units(15, 15), recorder);
    if (first) {
        first(model);
    }
    for (const Input& in : inputs) {
        if (in.what == 'd') {
            model.PointerDown(in.button, 0, in.at);
        } else if (in.what == 'u') {
            model.PointerUp(in.button, in.stillHeld, 0, in.at);
        } else if (in.what == 'm') {
            model.PointerMove(in.button, 0, in.at);
        } else if (in.what == '2') {
            model.DoubleClick(in.at);
        } else {
            model.CaptureLost();
        }
    }
    return recorder.events;
}

TEST(FormModelTest, PressesAndReleasesMakeClicksOnTheControlTheyWentDownOn) {
    constexpr std::int16_t L = mouse::kLeft, R = mouse::kRight;
    const PixelPoint on{12, 12}, off{50, 50}, upper{16, 16};  // the label, nothing, the picture
    const struct {
        const char* name;
        std::vector<Input> inputs;
        Events expected;
    } cases[] = {
        {"click",
         {{'d', L, on}, {'u', L, {13, 12}}},
         {"down 1 b1 30,30", "up 1 b1 45,30", "click 1"}},
        {"the upper control wins", {{'d', L, upper}}, {"down 2 b1 1,1"}},
        {"released elsewhere: captured, no click",
         {{'d', L, on}, {'m', L, off}, {'u', L, off}},
         {"down 1 b1 30,30", "move 1 b1 600,600", "up 1 b1 600,600"}},
        {"two buttons: the last release ends it",
         {{'d', L, on}, {'d', R, off}, {'u', R, off, L}, {'u', L, on}},
         {"down 1 b1 30,30", "down 1 b2 600,600", "up 1 b2 600,600", "up 1 b1 30,30", "click 1"}},
        {"double-click, then a click",
         {{'d', L, on}, {'u', L, on}, {'2', L, on}, {'u', L, on}, {'d', L, on}, {'u', L, on}},
         {"down 1 b1 30,30", "up 1 b1 30,30", "click 1", "dblclick 1", "up 1 b1 30,30",
          "down 1 b1 30,30", "up 1 b1 30,30", "click 1"}},
        {"double-click released on another control: no click there",
         {{'d', L, on}, {'u', L, on}, {'2', L, on}, {'u', L, upper}},
         {"down 1 b1 30,30", "up 1 b1 30,30", "click 1", "dblclick 1", "up 1 b1 90,90"}},
        {"capture lost",
         {{'d', L, on}, {'x', 0, {}}, {'m', 0, {5, 5}}},
         {"down 1 b1 30,30", "move 0 b0 75,75"}},
        {"real children take their own input", {{'d', L, {45, 5}}}, {"down 0 b1 675,75"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Feed(c.inputs), c.expected) << c.name;
    }
    EXPECT_EQ(Feed({{'m', 0, {16, 16}}}, [](FormModel& m) { m.ShowControl(2, false); }),
              Events{"move 1 b0 90,90"})
        << "a hidden control is not there";
}

TEST(FormModelTest, TimersAndActivationReportWhatChanged) {
    const Events events = Feed({}, [](FormModel& m) {
        EXPECT_TRUE(m.StartTimer(7, 100));
        EXPECT_FALSE(m.StartTimer(7, 50));
        m.TimerFired(7);
        EXPECT_TRUE(m.StopTimer(7));
        m.TimerFired(7);  // a tick already on its way
        m.Activated();
        m.Activated();
        m.Deactivated();
        m.Deactivated();
    });
    EXPECT_EQ(events, (Events{"timer 7", "activate 0", "deactivate 0"}));
}

TEST(FormModelTest, ControlsChangeOnlyWhenTheWindowHasThem) {
    Recorder recorder;
    FormModel model(Design(), Units(15, 15), recorder);
    EXPECT_FALSE(model.SetText(9, "x"));
    EXPECT_FALSE(model.MoveControl(9, {}));
    EXPECT_FALSE(model.SetBackColour(9, 0).has_value());
    EXPECT_EQ(model.SetBackColour(kFormSurface, 0), ColourEffect::EraseImage);
    EXPECT_EQ(model.SetBackColour(2, 0), ColourEffect::EraseImage);
    EXPECT_EQ(model.SetBackColour(1, 0), ColourEffect::Repaint);
    // 598 twips are 39.87 pixels: the control starts at pixel 40, rounded, not cut.
    ASSERT_TRUE(model.MoveControl(1, {598, 598, 150, 150}));
    EXPECT_EQ(model.HitTest({42, 42}), 1);
    EXPECT_EQ(model.HitTest({39, 42}), kFormSurface);
    EXPECT_EQ(model.HitTest({12, 12}), kFormSurface);
    // The shell shows 63 characters of a tip, whole ones.
    EXPECT_EQ(model.AddIcon(1, 1, std::string(62, 'x') + "\xc3\xa9yz").tip,
              std::string(62, 'x') + "\xc3\xa9");
    model.Detach();
    model.PointerDown(mouse::kLeft, 0, {42, 42});
    EXPECT_TRUE(recorder.events.empty()) << "a window that is going reports nothing";
}

}  // namespace
}  // namespace tw::platform
