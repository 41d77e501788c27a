// The main window: the start-up object, alive for the whole run. It owns the
// hotkey poller, the title strip that drags and folds it, and the routines
// that other windows call on it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/forms.h"
#include "core/module.h"
#include "core/window_interfaces.h"
#include "mainwindow/hotkeys.h"
#include "mainwindow/start_switches.h"
#include "player/player_link.h"
#include "tray/tray_icon.h"

namespace tw {

class FrmMain final : public FormBase, public MainWindow {
  public:
    static constexpr WindowSlot kSlot = WindowSlot::Main;

    enum Control : int { picSysTray = 1, picButtons = 2, Label1 = 3 };
    enum Timer : int { Timer1 = 1 };

    explicit FrmMain(Forms& forms);

    static platform::FormDesc Design();

    // Event handlers, under the names the rest of the program knows them by.
    void Form_Load();
    void Form_KeyUp(std::int16_t keyCode, std::int16_t shift);
    // Ends the program: nothing may touch this object after it returns.
    void Form_QueryUnload();
    // A release on the window's own surface; positions in twips.
    void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void Timer1_Timer();
    // The notification-area icon's clicks: 1 the left action, 2 the right.
    void picSysTray_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    // The transport bar; positions in the bar's pixels.
    void picButtons_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void picButtons_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    // The title picture; positions in twips from its own corner.
    void Label1_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Label1_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Label1_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void Label1_DblClick();
    // A window docked to a corner goes to that corner again; one that is not and
    // lies on no monitor comes back onto the nearest.
    void Form_DisplayChange();

    // Routines other windows call.
    platform::Form& MainForm() override { return window(); }
    void MakeNormal(platform::WindowHandle handle) override;
    void GetSongTitle();
    void StartIcon(const std::string& title) override { tray_.Add(title); }
    void stopIcon() override { tray_.Remove(); }

    // The title read by the latest GetSongTitle.
    std::string SongTitle;

  private:
    void OnEvent(const platform::FormEvent& event) override;

    void ApplyStartSwitches(const StartSwitches& switches);
    void RunHotkey(const HotkeyRow& row);
    void MakeTopMost(platform::WindowHandle handle);
    void DrawIt();
    void DrawButtons();
    void StartAnnouncerHidden();
    // Shows the popup menu with its corner at a screen point, flipped to the
    // point's left or top where it would cross the right or bottom edge of the
    // point's monitor.
    void OpenMenuAt(float px, float py);
    void HideMenu();

    player::PlayerLink player_;
    TrayIcon tray_;
    // Per hotkey row: the chord was down at the latest tick.
    std::array<bool, kHotkeyTable.size()> chordHeld_{};
    // Where in Label1 the latest left press went down.
    TitleDrag drag_;
};

}  // namespace tw
