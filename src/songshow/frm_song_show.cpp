#include "songshow/frm_song_show.h"

#include <array>

#include "core/forms.h"
#include "core/painting.h"
#include "core/routes.h"
#include "platform/units.h"

namespace tw {

namespace {

// An empty box would look like a fault of the display itself.
constexpr std::string_view kNoSong = "No song is playing";

}  // namespace

FrmSongShow::FrmSongShow(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmSongShow::Design() {
    const platform::Font arial{"Arial", 9.75f, false, false};
    return {
        .name = "frmSongShow",
        .width = 4185,
        .height = 870,
        .backColour = platform::colours::kDarkGrey,
        .font = arial,
        .frame = platform::FrameKind::None,
        .showInTaskbar = false,
        .activateWhenShown = false,
        .controls = {{.id = lblSong,
                      .rect = {60, 120, 4065, 675},
                      .foreColour = platform::colours::kWhite,
                      .transparent = true,
                      .font = arial,
                      .align = platform::TextAlign::Centre,
                      .wrap = true}},
    };
}

void FrmSongShow::ShowTitle(std::string_view title) {
    platform::Form& display = window();
    // A display still up is placed and captioned where it stands, not hidden
    // and shown again: that would make it flash on every tick of a held hotkey.
    // On the monitor of the window in front, where the game is played.
    const platform::TwipRect monitor =
        platform::Units(system().Screen())
            .ToTwips(system().MonitorOfWindow(system().ForegroundWindow()).bounds);
    const platform::TwipRect bounds = display.Bounds();
    const double left =
        static_cast<double>(monitor.left) +
        (static_cast<double>(monitor.width) - static_cast<double>(bounds.width)) / 2;
    // Five of the design's pixels below the top, whatever the scale.
    const float top = monitor.top + 5 * platform::kTwipsPerDesignPixel;
    display.Move(static_cast<float>(left), top, bounds.width, bounds.height);
    display.SetControlText(lblSong, title.empty() ? kNoSong : title);
    // Every showing gets its full two seconds.
    display.StopTimer(tmr);
    display.StartTimer(tmr, kShowMs);
    display.SetVisible(true);
    DrawFrame();
}

// A one-pixel raised edge: dark right and bottom, light top and left. The
// canvas keeps it, so later repaints show it without drawing it again.
void FrmSongShow::DrawFrame() {
    const platform::TwipRect bounds = window().Bounds();
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);
    DrawRaisedEdge(canvas, platform::Units(system().Screen()), bounds.width, bounds.height);
    canvas.Refresh();
}

void FrmSongShow::tmr_Timer() {
    window().StopTimer(tmr);
    if (MainWindow* main = forms_.Main()) {
        main->MakeNormal(hWnd());
    }
    forms_.Unload<FrmSongShow>();
}

void FrmSongShow::OnEvent(const platform::FormEvent& event) {
    static constexpr auto kRoutes = std::to_array<Route<FrmSongShow>>({
        On<&FrmSongShow::tmr_Timer>(EventKind::Timer, tmr),
        On<&FormBase::Form_DisplayChange, FrmSongShow>(EventKind::DisplayChange),
    });
    RouteEvent<FrmSongShow>(*this, kRoutes, event);
}

}  // namespace tw
