// The song display: the song's title for two seconds at the top centre of the
// monitor of the window in front, above every other window.
#pragma once

#include <string_view>

#include "core/forms.h"

namespace tw {

class FrmSongShow final : public FormBase {
  public:
    static constexpr WindowSlot kSlot = WindowSlot::SongShow;

    enum Control : int { lblSong = 1 };
    enum Timer : int { tmr = 1 };

    static constexpr unsigned kShowMs = 2000;

    explicit FrmSongShow(Forms& forms);

    static platform::FormDesc Design();

    // Unloads the display: nothing may touch this object after it returns.
    void tmr_Timer();

    // Shows the title (or, for none, a notice that no song is playing) at the
    // top centre of the monitor that holds the window in front (the game) for the next two seconds.
    // The display is never activated (it must not take the keyboard from the game), so it draws
    // its frame here, not on an activation.
    void ShowTitle(std::string_view title);

  private:
    void OnEvent(const platform::FormEvent& event) override;

    void DrawFrame();
};

}  // namespace tw
