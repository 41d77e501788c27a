#include "menu/frm_menu.h"

#include <array>
#include <string_view>

#include "announcer/frm_announce.h"
#include "mainwindow/display_modes.h"
#include "mainwindow/docking.h"
#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"
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

// The announcer's size when the menu opens it.
constexpr float kAnnouncerWidth = 3495;
constexpr float kAnnouncerHeight = 1920;

constexpr std::string_view kReadme = "\\readme.txt";
constexpr std::string_view kNoReadme =
    "Could not find readme file. Please re-download and re-install this program.";
constexpr std::string_view kNoReadmeTitle = "Couldn't find Help file";

platform::ControlDesc RowDesc(const Row& row) {
    platform::ControlDesc control;
    control.id = FrmMenu::lblMenu(row.index);
    control.rect = {kRowLeft, row.top, kRowWidth, kRowHeight};
    control.text = std::string(row.caption);
    control.foreColour = colours::kWhite;
    control.backColour = kIdleRow;
    control.font = {"Arial", 9.75f, false, false};
    return control;
}

}  // namespace

FrmMenu::FrmMenu(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmMenu::Design() {
    platform::FormDesc design;
    design.name = "Menu";
    design.width = kWidth;
    design.height = kHeight;
    design.backColour = kIdleRow;
    design.font = {"Arial", 9.75f, false, false};

    platform::ControlDesc title;
    title.id = lblTitle;
    title.rect = {kRowLeft, 60, kRowWidth, kRowHeight};
    title.text = "Tunewarden 1.0";
    title.foreColour = kTitleText;
    title.backColour = colours::kDarkGrey;
    title.font = {"Arial", 9.75f, true, false};
    title.align = platform::TextAlign::Centre;
    design.controls.push_back(title);
    for (const Row& row : kRowsByTop) {
        design.controls.push_back(RowDesc(row));
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

// A one-pixel raised edge; the pen stays white afterwards.
void FrmMenu::DrawEdge() {
    const platform::Units units(system().Screen());
    const float px = units.XToTwips(1);
    const float py = units.YToTwips(1);
    const platform::TwipRect bounds = window().Bounds();
    const float w = bounds.width;
    const float h = bounds.height;
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);
    canvas.SetDrawColour(colours::kBlack);
    canvas.Line(w - px, 0, w - px, h);
    canvas.Line(0, h - py, w, h - py);
    canvas.SetDrawColour(colours::kWhite);
    canvas.Line(0, 0, w + px, 0);
    canvas.Line(0, 0, 0, h);
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
            ShowHelp();
            break;
        case 7:
            Hide();
            OpenAnnouncer();
            break;
        default:
            break;
    }
}

// Under the main window, left edges aligned, whatever the mode; above it when
// under it would reach past the bottom of the work area, as it does with the
// bar docked at a bottom corner.
void FrmMenu::OpenAnnouncer() {
    FrmMain* main = forms_.Loaded<FrmMain>();
    platform::Form& announcer = forms_.Load<FrmAnnounce>().window();
    announcer.SetVisible(true);
    if (main == nullptr) {
        return;
    }
    const platform::TwipRect bar = main->window().Bounds();
    const platform::ScreenInfo screen = system().Screen();
    const float workBottom =
        platform::Units(screen).YToTwips(static_cast<float>(system().WorkArea().bottom));
    float top = bar.top + bar.height;
    if (top + kAnnouncerHeight > workBottom) {
        top = bar.top - kAnnouncerHeight;
    }
    announcer.Move(bar.left, top, kAnnouncerWidth, kAnnouncerHeight);
}

void FrmMenu::lblTitle_Click() {
    Hide();
    FrmMain* main = forms_.Loaded<FrmMain>();
    forms_.Load<FrmAbout>().window().ShowModal(main != nullptr ? main->hWnd() : 0);
}

void FrmMenu::ShowHelp() {
    const std::string path = system().ProgramFolder() + std::string(kReadme);
    if (system().IsNormalFile(path)) {
        system().StartSystemProgram("notepad.exe", "notepad.exe " + path);
    } else {
        system().ShowInformation(0, kNoReadme, kNoReadmeTitle);
    }
}

void FrmMenu::Hide() {
    window().SetVisible(false);
}

// --- Event dispatch -------------------------------------------------------------

void FrmMenu::OnActivate() {
    Form_Activate();
}

void FrmMenu::OnDeactivate() {
    Form_LostFocus();
}

void FrmMenu::OnMouseMove(int control, std::int16_t button, std::int16_t shift, float x, float y) {
    if (control == platform::kFormSurface) {
        Form_MouseMove(button, shift, x, y);
    } else if (control >= lblMenu(0) && control < lblMenu(kRows)) {
        lblMenu_MouseMove(control - lblMenu0, button, shift, x, y);
    }
}

void FrmMenu::OnClick(int control) {
    if (control == lblTitle) {
        lblTitle_Click();
    } else if (control >= lblMenu(0) && control < lblMenu(kRows)) {
        lblMenu_Click(control - lblMenu0);
    }
}

void FrmMenu::OnTimer(int timerId) {
    if (timerId == Timer1) {
        Timer1_Timer();
    }
}

}  // namespace tw
