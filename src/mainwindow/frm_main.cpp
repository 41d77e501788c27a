#include "mainwindow/frm_main.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "announcer/frm_announce.h"
#include "core/display_modes.h"
#include "core/docking.h"
#include "core/forms.h"
#include "core/message_template.h"
#include "core/routes.h"
#include "help/help.h"
#include "mainwindow/button_strip.h"
#include "mainwindow/hotkeys.h"
#include "menu/frm_menu.h"
#include "platform/units.h"
#include "player/song_title.h"
#include "resource.h"
#include "songshow/frm_song_show.h"

namespace tw {

namespace {

constexpr std::int16_t kVkF1 = 112;

// Bit 15 of a key state: the key is down at the moment of the query.
bool IsKeyDown(std::int16_t state) {
    return (static_cast<std::uint16_t>(state) & 0x8000u) != 0;
}

// An announcer started hidden that the system opened off the screen goes to the
// top left at this height, shorter than its design: the size this start has
// always given it, which opening it from the menu sets right again.
constexpr float kHiddenAnnouncerHeight = 1650;

}  // namespace

FrmMain::FrmMain(Forms& forms)
    : FormBase(forms), player_(forms.system()), tray_(forms, *this, picSysTray) {
    CreateWindowFrom(Design());
    // The poller runs from the moment the window exists, as a design-time timer would.
    window().StartTimer(Timer1, kHotkeyPollMs);
}

platform::FormDesc FrmMain::Design() {
    using platform::ControlKind;
    namespace colours = platform::colours;
    const platform::Font arial{"Arial", 9.75f, false, false};
    return {
        .name = "frmMain",
        .caption = kFixedCaption,
        .width = 2835,
        .height = 4350,
        .backColour = colours::kDarkGrey,
        .fillColour = colours::kDarkGrey,
        .font = arial,
        .showInTaskbar = true,
        .iconResource = 1,
        .controls =
            {
                // Where the notification-area icon reports its clicks; never on show.
                {.id = picSysTray, .kind = ControlKind::ClickArea},
                // The title artwork, on the black title band.
                {.id = Label1,
                 .kind = ControlKind::Picture,
                 .rect = {90, 15, 2475, 240},
                 .backColour = colours::kBlack,
                 .bitmapResource = IDB_TITLE},
                // The glyphs are drawn as shapes, so the bar needs no symbol font.
                {.id = picButtons,
                 .kind = ControlKind::Picture,
                 .rect = {495, 300, 1845, 285},
                 .foreColour = colours::kWindowText,
                 .backColour = colours::kDarkGrey,
                 .font = arial,
                 .scale = platform::ScaleUnit::Pixels},
            },
    };
}

void FrmMain::Form_Load() {
    window().SetVisible(true);
    DrawIt();
    DrawButtons();
    StartIcon(TrayTitle(DisplayMode::Normal));
    // Loaded hidden, and kept for the whole run.
    forms_.Load<FrmMenu>().window().SetVisible(false);

    const std::string commandLine = system().CommandLine();
    if (!commandLine.empty()) {
        ApplyStartSwitches(ParseStartSwitches(commandLine));
    }

    forms_.module().MessageTemplate = ReadMessageTemplate(system());
}

void FrmMain::ApplyStartSwitches(const StartSwitches& switches) {
    if (switches.announce) {
        StartAnnouncerHidden();
    }
    if (switches.smallMode) {
        SwitchMode(forms_);
    }
    // Each present corner is applied in turn; the last one applied stays.
    if (switches.dockTopRight) {
        DockWindow(forms_, DockCorner::TopRight);
    }
    if (switches.dockBottomRight) {
        DockWindow(forms_, DockCorner::BottomRight);
    }
    if (switches.dockTopLeft) {
        DockWindow(forms_, DockCorner::TopLeft);
    }
    if (switches.dockBottomLeft) {
        DockWindow(forms_, DockCorner::BottomLeft);
    }
}

void FrmMain::StartAnnouncerHidden() {
    auto& announcer = forms_.Load<FrmAnnounce>();
    announcer.window().SetVisible(true);
    system().DoEvents();
    announcer.window().SetVisible(false);
    const auto bounds = announcer.window().Bounds();
    if (bounds.left < 0 || bounds.top < 0) {
        announcer.window().Move(10, 10, FrmAnnounce::kWidth, kHiddenAnnouncerHeight);
    }
}

void FrmMain::Form_DisplayChange() {
    if (dockedCorner) {
        DockWindow(forms_, *dockedCorner);
    } else {
        FormBase::Form_DisplayChange();
    }
}

void FrmMain::Form_KeyUp(std::int16_t keyCode, std::int16_t /*shift*/) {
    if (keyCode == kVkF1) {
        ShowHelp(system());
    }
}

void FrmMain::Form_QueryUnload() {
    forms_.Shutdown();
}

void FrmMain::Timer1_Timer() {
    // Control once for all rows: the first query spends its "pressed since" bit, and a chord
    // pressed and let go between two ticks lives on that bit alone. Every key is still read
    // on every tick, which spends its own bit as it always has.
    const std::int16_t control = system().AsyncKeyState(kVkControl);
    for (std::size_t i = 0; i < kHotkeyTable.size(); ++i) {
        const HotkeyRow& row = kHotkeyTable[i];
        const std::int16_t key = system().AsyncKeyState(row.virtualKey);
        // Held down right now, not just pressed since: a held key's auto-repeat sets the
        // "pressed since" bit again and again, so only a tick that saw the chord up ends a press.
        const bool heldNow = IsKeyDown(control) && IsKeyDown(key);
        const bool heldBefore = chordHeld_[i];
        chordHeld_[i] = heldNow;
        if (control != 0 && key != 0 && (row.repeat == HotkeyRepeat::EveryTick || !heldBefore)) {
            RunHotkey(row);
        }
    }
}

void FrmMain::RunHotkey(const HotkeyRow& row) {
    player_.FindPlayer();
    if (row.action == HotkeyAction::ShowTitle || row.action == HotkeyAction::TitleThenSend) {
        GetSongTitle();
    }
    if (row.action == HotkeyAction::ShowTitle) {
        return;
    }
    // A player that did not answer is hung: the rest of the action would wait on it too.
    if (player_.SendPlayerCommand(row.command, row.times) == platform::SendResult::TimedOut) {
        return;
    }
    if (row.action == HotkeyAction::JumpTo) {
        // The player has made its dialog by the time the command returns.
        const platform::WindowHandle hWndJump =
            system().FindTopLevelWindow(kJumpDialogClass, kJumpDialogTitle);
        MakeNormal(hWndJump);
        system().BringToForeground(hWndJump);
    }
}

void FrmMain::MakeTopMost(platform::WindowHandle handle) {
    system().SetTopmost(handle, true);
}

void FrmMain::MakeNormal(platform::WindowHandle handle) {
    system().SetTopmost(handle, false);
}

// Reads the song of the player found last and shows it at the top centre of
// the monitor in front, in a display that is still up or a new one.
void FrmMain::GetSongTitle() {
    SongTitle = player::ReadPlayerTitle(system(), player_);
    FrmSongShow& show = forms_.Load<FrmSongShow>();
    show.ShowTitle(SongTitle);
    MakeTopMost(show.hWnd());
}

// The icon's clicks arrive as moves of picSysTray: 1 the left action, 2 the right.
void FrmMain::picSysTray_MouseMove(std::int16_t button, std::int16_t /*shift*/, float /*x*/,
                                   float /*y*/) {
    tray_.Clicked(button);
}

// The transport button bar, painted once: the surface keeps it.
void FrmMain::DrawButtons() {
    platform::Canvas& canvas = window().Surface(picButtons);
    const platform::Units units(system().Screen());
    for (const StripButton& button : kStripButtons) {
        DrawStripButton(canvas, button, units);
    }
}

void FrmMain::picButtons_MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float x,
                                   float y) {
    std::string_view tip;
    for (const StripButton& candidate : kStripButtons) {
        if (OnStripButton(candidate, x, y)) {
            tip = candidate.toolTip;
            break;
        }
    }
    // Set on every move, so that leaving a button for a gap clears it.
    window().SetToolTip(picButtons, tip);
}

// Any mouse button acts: the release point alone decides, wherever the press was.
void FrmMain::picButtons_MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float x,
                                 float y) {
    for (const StripButton& candidate : kStripButtons) {
        if (!OnStripButton(candidate, x, y)) {
            continue;
        }
        player_.FindPlayer();
        if (candidate.showsTitle) {
            GetSongTitle();
        }
        if (candidate.sendsCommand) {
            player_.SendPlayerCommand(candidate.command);
        }
    }
}

// --- Event dispatch -------------------------------------------------------------

void FrmMain::OnEvent(const platform::FormEvent& event) {
    static constexpr auto kRoutes = std::to_array<Route<FrmMain>>({
        On<&FrmMain::Form_KeyUp>(EventKind::KeyUp),
        On<&FrmMain::Form_MouseUp>(EventKind::MouseUp),
        On<&FrmMain::Form_QueryUnload>(EventKind::CloseRequest),
        On<&FrmMain::Timer1_Timer>(EventKind::Timer, Timer1),
        On<&FrmMain::picSysTray_MouseMove>(EventKind::MouseMove, picSysTray),
        On<&FrmMain::picButtons_MouseMove>(EventKind::MouseMove, picButtons),
        On<&FrmMain::picButtons_MouseUp>(EventKind::MouseUp, picButtons),
        On<&FrmMain::Label1_MouseDown>(EventKind::MouseDown, Label1),
        On<&FrmMain::Label1_MouseMove>(EventKind::MouseMove, Label1),
        On<&FrmMain::Label1_MouseUp>(EventKind::MouseUp, Label1),
        On<&FrmMain::Label1_DblClick>(EventKind::DblClick, Label1),
        On<&FrmMain::Form_DisplayChange>(EventKind::DisplayChange),
    });
    RouteEvent<FrmMain>(*this, kRoutes, event);
}

}  // namespace tw
