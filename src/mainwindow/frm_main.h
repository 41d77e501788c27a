// The main window: the start-up object, alive for the whole run. It owns the
// hotkey poller and the routines that other windows call on it.
#pragma once

#include <cstdint>
#include <string>

#include "mainwindow/form_base.h"
#include "mainwindow/module.h"
#include "mainwindow/start_switches.h"
#include "player/player_link.h"

namespace tw {

class FrmMain final : public FormBase {
  public:
    enum Control : int { picSysTray = 1, picButtons = 2 };
    enum Timer : int { Timer1 = 1 };

    explicit FrmMain(Forms& forms);

    static platform::FormDesc Design();

    // Event handlers, under the names the rest of the program knows them by.
    void Form_Load();
    void Form_KeyUp(std::int16_t keyCode, std::int16_t shift);
    void Form_QueryUnload();
    void Timer1_Timer();
    // The transport bar; positions in the bar's pixels.
    void picButtons_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void picButtons_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);

    // Routines other windows call.
    void MakeTopMost(platform::WindowHandle handle);
    void MakeNormal(platform::WindowHandle handle);
    void GetSongTitle();
    void stopIcon();

    // The display mode: 0 Normal Mode, 1 Small Mouse Mode, 2 Small Mode.
    std::int16_t mode = 0;
    // The title read by the latest GetSongTitle.
    std::string SongTitle;

  private:
    void OnKeyUp(std::int16_t keyCode, std::int16_t shift) override;
    void OnMouseMove(int control, std::int16_t button, std::int16_t shift, float x,
                     float y) override;
    void OnMouseUp(int control, std::int16_t button, std::int16_t shift, float x, float y) override;
    void OnTimer(int timerId) override;
    void OnCloseRequest() override;

    void ApplyStartSwitches(const StartSwitches& switches);
    void RunHotkey(const struct HotkeyRow& row);

    // Seams that later parts of the program fill; until then they do nothing.
    void DrawIt();
    void DrawButtons();
    void StartIcon(const std::string& title);
    void LoadMenuHidden();
    void StartAnnouncerHidden();
    void SwitchModeOnce();
    void DockWindow(DockCorner corner);
    void ShowHelp();

    player::PlayerLink player_;
    platform::WindowHandle hWndJump_ = 0;
};

}  // namespace tw
