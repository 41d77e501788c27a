// The announcer: the window where the user picks the game folder, and the
// once-a-second writer of the game script that names the current song.
#pragma once

#include <cstdint>
#include <string>

#include "core/forms.h"
#include "player/player_link.h"

namespace tw {

class FrmAnnounce final : public FormBase {
  public:
    static constexpr WindowSlot kSlot = WindowSlot::Announce;

    // The order is the keyboard focus order of the controls that take focus:
    // txtCSFolder, cmdFind, Text1. Image1 comes after Label1 so that it lies
    // over the strip's right end.
    enum Control : int {
        Label1 = 1,
        Image1,
        Label2,
        txtCSFolder,
        cmdFind,
        Label3,
        Text1,
        Label4,
    };
    enum Timer : int { Timer1 = 1 };

    // The window's inner size in twips, which opening it from the menu restores.
    static constexpr float kWidth = 3495;
    static constexpr float kHeight = 1920;

    explicit FrmAnnounce(Forms& forms);

    static platform::FormDesc Design();

    // Event handlers, under the names the rest of the program knows them by.
    void Form_Load();
    void cmdFind_Click();
    void Label1_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Label1_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Label4_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Label4_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    // Unloads the window: nothing may touch it after this returns.
    void Image1_Click();
    void Timer1_Timer();

  private:
    void OnEvent(const platform::FormEvent& event) override;

    void DrawFrame();

    // The folder read at load, then whatever the latest folder picker returned.
    std::string sFolder_;
    // Where in Label1 the drag began.
    TitleDrag drag_;
    player::PlayerLink player_;
};

}  // namespace tw
