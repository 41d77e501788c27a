// The song, cut out of the player's caption: "12. Artist - Song - Winamp"
// gives "Artist - Song"; Spotify's caption is the song while one plays.
#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"
#include "player/player_link.h"

namespace tw::player {

// The rule on a caption (UTF-8): everything before the first " - Winamp" (in
// any letter case), without a leading playlist number and its period, with
// blanks trimmed. Empty when the marker is missing.
std::string CutSongTitle(std::string_view caption);

// The caption as the kind of player writes it: a Winamp-class player's is cut
// by the rule above; Spotify's is the song, with blanks trimmed, unless it is
// one of its idle captions. Empty for no song and for no player.
std::string SongInCaption(PlayerKind kind, std::string_view caption);

// The song in the caption of the player the link found last; empty for none.
std::string ReadPlayerTitle(platform::System& system, const PlayerLink& player);

}  // namespace tw::player
