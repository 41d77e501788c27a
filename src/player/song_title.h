// The song, cut out of the player's caption: "12. Artist - Song - Winamp"
// gives "Artist - Song".
#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace tw::player {

// The rule on a caption (UTF-8): everything before the first " - Winamp" (in
// any letter case), without a leading playlist number and its period, with
// blanks trimmed. Empty when the marker is missing.
std::string CutSongTitle(std::string_view caption);

// The rule on the caption of the given window; empty for no window.
std::string ReadPlayerTitle(platform::System& system, platform::WindowHandle window);

}  // namespace tw::player
