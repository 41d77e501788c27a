// The link to the media player, a separate program that this one never loads:
// its main window is found by class before every action and driven with
// WM_COMMAND messages carrying the player's own command ids.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/system.h"

namespace tw::player {

inline constexpr std::string_view kPlayerWindowClass = "Winamp v1.x";

// Every command id the program sends; no other id is sent anywhere.
enum class PlayerCommand : std::uint32_t {
    Previous = 40044,
    Play = 40045,
    Pause = 40046,
    Stop = 40047,
    Next = 40048,
    VolumeUp = 40058,
    VolumeDown = 40059,
    Rewind = 40144,
    FastForward = 40148,
    JumpToFile = 40194,
};

class PlayerLink {
  public:
    explicit PlayerLink(platform::System& system) : system_(system) {}

    // Looks the player up afresh; the handle is never trusted from one action
    // to the next.
    void FindPlayer();

    // Sends the command `times` times back to back to the window of the latest
    // lookup. A player that stops answering costs one bounded wait, not one per
    // repetition: the repetitions left are dropped, and TimedOut tells the
    // caller to drop the rest of its action too.
    platform::SendResult SendPlayerCommand(PlayerCommand command, int times = 1);

    platform::WindowHandle hWndWinamp() const { return hWndWinamp_; }

  private:
    platform::System& system_;
    platform::WindowHandle hWndWinamp_ = 0;
};

}  // namespace tw::player
