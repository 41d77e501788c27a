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

}  // namespace

FrmAbout::FrmAbout(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmAbout::Design() {
    // The captions are black and the links blue on the grey shape behind them; the title strip
    // and the OK button are black bands with white bold text in the middle.
    return {
        .name = "About",
        .width = 5790,
        .height = 2490,
        .backColour = colours::kDarkGrey,
        .font = kArial,
        .frame = platform::FrameKind::FixedDialog,
        .controls =
            {
                {.id = lblTitle,
                 .rect = {165, 210, 5460, 240},
                 .foreColour = colours::kWhite,
                 .backColour = colours::kBlack,
                 .font = kArialBold,
                 .align = platform::TextAlign::Centre},
                {.id = lblLine,
                 .rect = {210, 540, 5385, 240},
                 .text = "Drives your music player from inside Counter-Strike.",
                 .foreColour = colours::kWhite,
                 .transparent = true,
                 .font = kArial},
                {.id = lblCaption0 + 1,
                 .rect = {413, 810, 4965, 240},
                 .text = "Need support, have a suggestion, find a bug? Contact us!",
                 .transparent = true,
                 .font = kArial},
                {.id = lblCaption0 + 0,
                 .rect = {2505, 1080, 780, 240},
                 .text = "Website:",
                 .transparent = true,
                 .font = kArial},
                {.id = lblWebSite,
                 .rect = {1508, 1290, 2775, 240},
                 .text = std::string(kMakerWebsite),
                 .foreColour = kLinkBlue,
                 .transparent = true,
                 .font = kLinkFont},
                {.id = lblCaption0 + 2,
                 .rect = {2588, 1500, 615, 240},
                 .text = "E-mail:",
                 .transparent = true,
                 .font = kArial},
                {.id = lblEmail,
                 .rect = {1568, 1710, 2655, 240},
                 .text = std::string(kMakerEmail),
                 .foreColour = kLinkBlue,
                 .transparent = true,
                 .font = kLinkFont},
                {.id = lblOk,
                 .rect = {2220, 2070, 1350, 270},
                 .text = "OK",
                 .foreColour = colours::kWhite,
                 .backColour = colours::kBlack,
                 .font = kArialBold,
                 .align = platform::TextAlign::Centre},
            },
    };
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
