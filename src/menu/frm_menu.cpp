#include "menu/frm_menu.h"

#include <array>
#include <string>
#include <string_view>

#include "announcer/frm_announce.h"
#include "core/display_modes.h"
#include "core/docking.h"
#include "core/forms.h"
#include "core/painting.h"
#include "core/routes.h"
#include "help/help.h"
#include "menu/frm_about.h"
#include "platform/units.h"

namespace tw {

namespace {

namespace colours = platform::colours;

constexpr float kWidth = 1890;
constexpr float kHeight = 3000;
constexpr float kRowLeft = 60;
constexpr float kRowWidth = 1755;
constexpr float kRowHeight = 255;
constexpr platform::Colour kIdleRow = colours::kGrey;
constexpr platform::Colour kLitRow = colours::kBlack;
constexpr platform::Colour kTitleText = 0xE0E0E0;
const platform::Font kArial{"Arial", 9.75f, false, false};

struct Row {
    float top;
    int index;
    std::string_view caption;
};

// Top to bottom. The key names are text only: the menu answers no keys.
constexpr std::array<Row, FrmMenu::kRows> kRowsByTop{{
    {420, 5, "Switch Mode"},
    {720, 3, "Dock Bottom Left"},
    {1020, 4, "Dock Bottom Right"},
    {1320, 1, "Dock Top Left"},
    {1620, 2, "Dock Top Right"},
    {1980, 7, "Announcer"},
    {2280, 6, "Help            F1"},
    {2640, 0, "Quit             Ctrl+Q"},
}};

constexpr std::array<float, 3> kSeparatorTops{1920, 360, 2580};  // sep(0), sep(1), sep(2)

}  // namespace

FrmMenu::FrmMenu(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmMenu::Design() {
    platform::FormDesc design{
        .name = "Menu",
        .width = kWidth,
        .height = kHeight,
        .backColour = kIdleRow,
        .font = kArial,
        .controls = {{.id = lblTitle,
                      .rect = {kRowLeft, 60, kRowWidth, kRowHeight},
                      .text = kFixedCaption,
                      .foreColour = kTitleText,
                      .backColour = colours::kDarkGrey,
                      .font = {"Arial", 9.75f, true, false},
                      .align = platform::TextAlign::Centre}},
    };
    for (const Row& row : kRowsByTop) {
        design.controls.push_back({.id = lblMenu(row.index),
                                   .rect = {kRowLeft, row.top, kRowWidth, kRowHeight},
                                   .text = std::string(row.caption),
                                   .foreColour = colours::kWhite,
                                   .backColour = kIdleRow,
                                   .font = kArial});
    }
    return design;
}

// Loaded hidden; the separators are drawn once and the image keeps them.
void FrmMenu::Form_Load() {
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);
    canvas.SetDrawColour(colours::kBlack);
    for (const float top : kSeparatorTops) {
        canvas.Line(kRowLeft, top, 1800, top);
    }
}

void FrmMenu::DrawEdge() {
    const platform::TwipRect bounds = window().Bounds();
    DrawRaisedEdge(window().Surface(platform::kFormSurface), platform::Units(system().Screen()),
                   bounds.width, bounds.height);
}

void FrmMenu::Form_Activate() {
    window().StartTimer(Timer1, kHideMs);
    DrawEdge();
}

void FrmMenu::Form_LostFocus() {
    window().StopTimer(Timer1);
    Hide();
}

void FrmMenu::Timer1_Timer() {
    Hide();
    window().StopTimer(Timer1);
}

void FrmMenu::GreyAllRows() {
    for (int index = 0; index < kRows; ++index) {
        window().SetControlBackColour(lblMenu(index), kIdleRow);
    }
}

void FrmMenu::Form_MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                             float /*y*/) {
    GreyAllRows();
    DrawEdge();
}

// Lit under the pointer with no button or the left one held; a drag with any
// other button changes nothing.
void FrmMenu::lblMenu_MouseMove(int index, std::int16_t button, std::int16_t /*shift*/, float /*x*/,
                                float /*y*/) {
    if (button != platform::mouse::kNone && button != platform::mouse::kLeft) {
        return;
    }
    GreyAllRows();
    window().SetControlBackColour(lblMenu(index), kLitRow);
}

void FrmMenu::lblMenu_Click(int index) {
    ReadTaskbarPos(forms_);
    switch (index) {
        case 0:
            forms_.Shutdown();
            return;
        case 1:
            DockWindow(forms_, DockCorner::TopLeft);
            break;
        case 2:
            DockWindow(forms_, DockCorner::TopRight);
            break;
        case 3:
            DockWindow(forms_, DockCorner::BottomLeft);
            break;
        case 4:
            DockWindow(forms_, DockCorner::BottomRight);
            break;
        case 5:
            SwitchMode(forms_);
            break;
        case 6:
            Hide();
            ShowHelp(system());
            break;
        case 7:
            Hide();
            OpenAnnouncer();
            break;
    }
}

// Under the main window, left edges aligned, whatever the mode; above it when
// under it would reach past the bottom of the work area, as it does with the
// bar docked at a bottom corner. Wholly on the work area of the bar's monitor:
// by a right corner it would hang its close area off the edge or onto the next
// monitor.
void FrmMenu::OpenAnnouncer() {
    MainWindow* main = forms_.Main();
    platform::Form& announcer = forms_.Load<FrmAnnounce>().window();
    announcer.SetVisible(true);
    if (main == nullptr) {
        return;
    }
    const platform::TwipRect bar = main->MainForm().Bounds();
    const platform::Units units(system().Screen());
    const platform::TwipRect work = units.ToTwips(system().MonitorOf(units.ToPixels(bar)).workArea);
    float top = bar.top + bar.height;
    if (top + FrmAnnounce::kHeight > work.top + work.height) {
        top = bar.top - FrmAnnounce::kHeight;
    }
    const platform::TwipRect place =
        platform::TwipRect{bar.left, top, FrmAnnounce::kWidth, FrmAnnounce::kHeight}.MovedInto(
            work);
    announcer.Move(place.left, place.top, place.width, place.height);
}

void FrmMenu::lblTitle_Click() {
    Hide();
    MainWindow* main = forms_.Main();
    forms_.Load<FrmAbout>().window().ShowModal(main != nullptr ? main->MainForm().Handle() : 0);
}

void FrmMenu::Hide() {
    window().SetVisible(false);
}

// --- Event dispatch -------------------------------------------------------------

void FrmMenu::OnEvent(const platform::FormEvent& event) {
    static constexpr auto kRoutes = std::to_array<Route<FrmMenu>>({
        On<&FrmMenu::Form_Activate>(EventKind::Activate),
        On<&FrmMenu::Form_LostFocus>(EventKind::Deactivate),
        On<&FrmMenu::Form_MouseMove>(EventKind::MouseMove),
        On<&FrmMenu::Timer1_Timer>(EventKind::Timer, Timer1),
        On<&FrmMenu::lblTitle_Click>(EventKind::Click, lblTitle),
        On<&FrmMenu::lblMenu_MouseMove>(EventKind::MouseMove, lblMenu0, kRows),
        On<&FrmMenu::lblMenu_Click>(EventKind::Click, lblMenu0, kRows),
        On<&FormBase::Form_DisplayChange, FrmMenu>(EventKind::DisplayChange),
    });
    RouteEvent<FrmMenu>(*this, kRoutes, event);
}

}  // namespace tw
