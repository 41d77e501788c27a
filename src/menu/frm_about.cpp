#include "menu/frm_about.h"

#include <array>
#include <string>

#include "core/forms.h"
#include "core/routes.h"
#include "platform/units.h"
#include "version.h"

namespace tw {

namespace {

namespace colours = platform::colours;

constexpr platform::Colour kShapeGrey = 0xC0C0C0;
constexpr platform::Colour kLinkBlue = 0xFF0000;  // 0x00BBGGRR

const platform::Font kArial{"Arial", 9.75f, false, false};
const platform::Font kArialBold{"Arial", 9.75f, true, false};
const platform::Font kLinkFont{"Arial", 9.75f, false, true};

// A label of the window: a plain caption unless told otherwise.
platform::ControlDesc Label(int id, platform::TwipRect rect, std::string text) {
    platform::ControlDesc label;
    label.id = id;
    label.rect = rect;
    label.text = std::move(text);
    label.transparent = true;
    label.foreColour = colours::kBlack;
    label.font = kArial;
    return label;
}

// Black, with white bold text in the middle: the title strip and the OK button.
platform::ControlDesc Band(int id, platform::TwipRect rect, std::string text) {
    platform::ControlDesc band = Label(id, rect, std::move(text));
    band.transparent = false;
    band.backColour = colours::kBlack;
    band.foreColour = colours::kWhite;
    band.font = kArialBold;
    band.align = platform::TextAlign::Centre;
    return band;
}

platform::ControlDesc Link(int id, platform::TwipRect rect, std::string_view text) {
    platform::ControlDesc link = Label(id, rect, std::string(text));
    link.foreColour = kLinkBlue;
    link.font = kLinkFont;
    return link;
}

}  // namespace

FrmAbout::FrmAbout(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmAbout::Design() {
    platform::FormDesc design;
    design.name = "About";
    design.width = 5790;
    design.height = 2490;
    design.backColour = colours::kDarkGrey;
    design.font = kArial;
    design.frame = platform::FrameKind::FixedDialog;

    auto line = Label(lblLine, {210, 540, 5385, 240},
                      "Drives your music player from inside Counter-Strike.");
    line.foreColour = colours::kWhite;
    design.controls = {
        Band(lblTitle, {165, 210, 5460, 240}, ""),
        line,
        Label(lblCaption0 + 1, {413, 810, 4965, 240},
              "Need support, have a suggestion, find a bug? Contact us!"),
        Label(lblCaption0 + 0, {2505, 1080, 780, 240}, "Website:"),
        Link(lblWebSite, {1508, 1290, 2775, 240}, kMakerWebsite),
        Label(lblCaption0 + 2, {2588, 1500, 615, 240}, "E-mail:"),
        Link(lblEmail, {1568, 1710, 2655, 240}, kMakerEmail),
        Band(lblOk, {2220, 2070, 1350, 270}, "OK"),
    };
    return design;
}

// The two shapes lie behind the labels: drawn once, kept by the image.
void FrmAbout::Form_Load() {
    const platform::Units units(system().Screen());
    const float px = units.XToTwips(1);
    const float py = units.YToTwips(1);
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);
    canvas.SetDrawColour(colours::kWhite);
    canvas.Box(120, 120, 120 + 5595 - px, 120 + 2295 - py, false);
    canvas.SetDrawColour(kShapeGrey);
    canvas.Box(210, 810, 210 + 5385 - px, 810 + 1215 - py, true);
}

void FrmAbout::Form_Activate() {
    window().SetControlText(lblTitle, "About Tunewarden " + std::to_string(TW_VERSION_MAJOR) + "." +
                                          std::to_string(TW_VERSION_MINOR));
}

void FrmAbout::lblTitle_MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float x,
                                  float y) {
    drag_.Grab(x, y);
}

// Unlike the announcer's strip, this one drags with the left button alone.
void FrmAbout::lblTitle_MouseMove(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
    if (button != platform::mouse::kLeft) {
        return;
    }
    drag_.Follow(window(), x, y);
}

void FrmAbout::lblWebSite_Click() {
    system().OpenLink(hWnd(), kMakerWebsite);
}

void FrmAbout::lblEmail_Click() {
    system().OpenLink(hWnd(), "mailto:" + std::string(kMakerEmail));
}

void FrmAbout::lblOk_Click() {
    forms_.Unload<FrmAbout>();
}

void FrmAbout::OnEvent(const platform::FormEvent& event) {
    static constexpr auto kRoutes = std::to_array<Route<FrmAbout>>({
        On<&FrmAbout::Form_Activate>(EventKind::Activate),
        On<&FrmAbout::lblTitle_MouseDown>(EventKind::MouseDown, lblTitle),
        On<&FrmAbout::lblTitle_MouseMove>(EventKind::MouseMove, lblTitle),
        On<&FrmAbout::lblWebSite_Click>(EventKind::Click, lblWebSite),
        On<&FrmAbout::lblEmail_Click>(EventKind::Click, lblEmail),
        On<&FrmAbout::lblOk_Click>(EventKind::Click, lblOk),
        On<&FormBase::Form_DisplayChange, FrmAbout>(EventKind::DisplayChange),
    });
    RouteEvent<FrmAbout>(*this, kRoutes, event);
}

}  // namespace tw
