#include "announcer/frm_announce.h"

#include <array>

#include "announcer/script_writer.h"
#include "core/forms.h"
#include "core/module.h"
#include "core/painting.h"
#include "core/routes.h"
#include "core/settings.h"
#include "platform/units.h"
#include "player/song_title.h"

namespace tw {

namespace {

namespace colours = platform::colours;

constexpr float kLabel4Width = 345;
constexpr float kLabel4Height = 240;
// "OK" while the button is held.
constexpr platform::Colour kPressedText = 0xE0E0E0;

constexpr unsigned kWriterIntervalMs = 1000;

constexpr const char* kFolderPrompt = "Select your Counter-Strike folder:";

const platform::Font kFormFont{"MS Sans Serif", 8.25f, false, false};

}  // namespace

FrmAnnounce::FrmAnnounce(Forms& forms) : FormBase(forms), player_(forms.system()) {
    CreateWindowFrom(Design());
    // The writer runs from the moment the window exists, as a design-time timer would.
    window().StartTimer(Timer1, kWriterIntervalMs);
}

platform::FormDesc FrmAnnounce::Design() {
    using platform::ControlKind;
    return {
        .name = "frmAnnounce",
        .caption = "CS Announce",
        .width = kWidth,
        .height = kHeight,
        .backColour = colours::kDarkGrey,
        .font = kFormFont,
        .frame = platform::FrameKind::None,
        .showInTaskbar = false,
        .controls =
            {
                {.id = Label1,
                 .rect = {30, 30, 3420, 270},
                 .text = "           Just leave this window open",
                 .foreColour = colours::kWhite,
                 .backColour = colours::kBlack,
                 .font = {"Arial", 8.25f, true, false}},
                // The close area shows the bar's close box, so users find it where the guide
                // says.
                {.id = Image1,
                 .kind = ControlKind::Picture,
                 .rect = {3210, 60, 210, 195},
                 .backColour = colours::kBlack,
                 .font = kFormFont},
                {.id = Label2,
                 .rect = {90, 300, 2220, 195},
                 .text = "Find your Counter-Strike Folder:",
                 .foreColour = colours::kWhite,
                 .transparent = true,
                 .font = kFormFont,
                 .autoSize = true},
                {.id = txtCSFolder,
                 .kind = ControlKind::TextBox,
                 .rect = {60, 510, 3015, 255},
                 .foreColour = colours::kWhite,
                 .backColour = colours::kBlack,
                 .font = kFormFont},
                {.id = cmdFind,
                 .kind = ControlKind::PushButton,
                 .rect = {3150, 510, 285, 285},
                 .text = "...",
                 .foreColour = colours::kWindowText,
                 .backColour = colours::kButtonFace,
                 .font = kFormFont},
                {.id = Label3,
                 .rect = {60, 780, 3270, 465},
                 .text = "You will need to bind a key to winamp.cfg to use this part of the "
                         "application. Example:",
                 .foreColour = colours::kWhite,
                 .transparent = true,
                 .font = kFormFont,
                 .wrap = true},
                {.id = Text1,
                 .kind = ControlKind::TextBox,
                 .rect = {60, 1200, 3375, 255},
                 .text = "bind h \"exec winamp.cfg\"",
                 .foreColour = colours::kWhite,
                 .backColour = colours::kBlack,
                 .font = kFormFont},
                {.id = Label4,
                 .rect = {1575, 1530, kLabel4Width, kLabel4Height},
                 .text = "OK",
                 .foreColour = colours::kWhite,
                 .backColour = colours::kBlack,
                 .font = {"MS Sans Serif", 9.75f, true, false},
                 .align = platform::TextAlign::Centre},
            },
    };
}

void FrmAnnounce::Form_Load() {
    sFolder_ = system().ReadSetting(settings::kApp, settings::kGameFolderSection,
                                    settings::kGameFolderKey);
    // Any stored folder is restored: short ones such as "C:\cstrike" are real
    // game folders too, and losing one would silently stop the announcer.
    window().SetControlText(txtCSFolder, sFolder_);
    window().SetVisible(true);
    DrawFrame();
    DrawCloseBox(window().Surface(Image1), 15, 0);
}

// A one-pixel raised edge: dark right and bottom, light top and left.
void FrmAnnounce::DrawFrame() {
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);
    DrawRaisedEdge(canvas, platform::Units(system().Screen()), kWidth, kHeight);
    canvas.Refresh();
}

void FrmAnnounce::cmdFind_Click() {
    sFolder_ = system().BrowseForFolder(hWnd(), kFolderPrompt);
    if (!sFolder_.empty()) {
        window().SetControlText(txtCSFolder, sFolder_);
        system().WriteSetting(settings::kApp, settings::kGameFolderSection,
                              settings::kGameFolderKey, sFolder_);
    }
}

void FrmAnnounce::Label1_MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float x,
                                   float y) {
    drag_.Grab(x, y);
}

void FrmAnnounce::Label1_MouseMove(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
    if (button == platform::mouse::kNone) {
        return;
    }
    drag_.Follow(window(), x, y);
}

void FrmAnnounce::Label4_MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                                   float /*y*/) {
    window().SetControlForeColour(Label4, kPressedText);
}

void FrmAnnounce::Label4_MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float x,
                                 float y) {
    window().SetControlForeColour(Label4, colours::kWhite);
    if (x > 0 && x < kLabel4Width && y > 0 && y < kLabel4Height) {
        // Out of sight, yet loaded: the writer keeps running.
        window().Move(0, 0, 0, 0);
    }
}

void FrmAnnounce::Image1_Click() {
    forms_.Unload<FrmAnnounce>();
}

void FrmAnnounce::Timer1_Timer() {
    // The box, not the stored setting: the path is what the user sees right now.
    const std::string folder = window().ControlText(txtCSFolder);
    if (folder.empty()) {
        return;
    }
    // The same lookup as the hotkeys and the bar, so the script names the song
    // of the player they drive.
    player_.FindPlayer();
    const std::string sSong = player::ReadPlayerTitle(system(), player_);
    // Off this thread: a folder on a server that went away can take seconds to fail, and the
    // hotkeys must not wait for it. A missing or read-only folder or a locked file: the next
    // tick tries again.
    forms_.WriteFileInBackground(folder + std::string(announcer::kScriptFileSuffix),
                                 announcer::ScriptLineFor(forms_.module().MessageTemplate, sSong));
}

// --- Event dispatch -------------------------------------------------------------

void FrmAnnounce::OnEvent(const platform::FormEvent& event) {
    static constexpr auto kRoutes = std::to_array<Route<FrmAnnounce>>({
        // A close from the system unloads the window, as the close area does.
        On<&FrmAnnounce::Image1_Click>(EventKind::CloseRequest),
        On<&FrmAnnounce::Timer1_Timer>(EventKind::Timer, Timer1),
        On<&FrmAnnounce::Label1_MouseDown>(EventKind::MouseDown, Label1),
        On<&FrmAnnounce::Label1_MouseMove>(EventKind::MouseMove, Label1),
        On<&FrmAnnounce::Label4_MouseDown>(EventKind::MouseDown, Label4),
        On<&FrmAnnounce::Label4_MouseUp>(EventKind::MouseUp, Label4),
        On<&FrmAnnounce::cmdFind_Click>(EventKind::Click, cmdFind),
        On<&FrmAnnounce::Image1_Click>(EventKind::Click, Image1),
        On<&FormBase::Form_DisplayChange, FrmAnnounce>(EventKind::DisplayChange),
    });
    RouteEvent<FrmAnnounce>(*this, kRoutes, event);
}

}  // namespace tw
