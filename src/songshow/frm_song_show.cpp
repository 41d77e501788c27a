#include "songshow/frm_song_show.h"

#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"

namespace tw {

FrmSongShow::FrmSongShow(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmSongShow::Design() {
    const platform::Font arial{"Arial", 9.75f, false, false};

    platform::FormDesc design;
    design.name = "frmSongShow";
    design.width = 4185;
    design.height = 870;
    design.backColour = platform::colours::kDarkGrey;
    design.font = arial;
    design.frame = platform::FrameKind::None;
    design.showInTaskbar = false;
    design.activateWhenShown = false;

    platform::ControlDesc song;
    song.id = lblSong;
    song.kind = platform::ControlKind::Label;
    song.rect = {60, 120, 4065, 675};
    song.foreColour = platform::colours::kWhite;
    song.transparent = true;
    song.font = arial;
    song.align = platform::TextAlign::Centre;
    song.wrap = true;
    design.controls.push_back(song);
    return design;
}

void FrmSongShow::Form_Load() {}

void FrmSongShow::Show() {
    window().SetVisible(true);
    DrawFrame();
}

void FrmSongShow::Form_Activate() {
    DrawFrame();
}

// A one-pixel raised edge: dark right and bottom, light top and left. The
// canvas keeps it, so later repaints show it without drawing it again.
void FrmSongShow::DrawFrame() {
    constexpr float kPixel = 15;
    const platform::TwipRect bounds = window().Bounds();
    const float w = bounds.width;
    const float h = bounds.height;
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);
    canvas.SetDrawColour(platform::colours::kBlack);
    canvas.Line(w - kPixel, 0, w - kPixel, h);
    canvas.Line(0, h - kPixel, w, h - kPixel);
    canvas.SetDrawColour(platform::colours::kWhite);
    canvas.Line(0, 0, w, 0);
    canvas.Line(0, 0, 0, h);
    canvas.Refresh();
}

void FrmSongShow::tmr_Timer() {
    window().StopTimer(tmr);
    forms_.frmMain().MakeNormal(hWnd());
    forms_.UnloadSongShow();
}

void FrmSongShow::OnActivate() {
    Form_Activate();
}

void FrmSongShow::OnTimer(int timerId) {
    if (timerId == tmr) {
        tmr_Timer();
    }
}

}  // namespace tw
