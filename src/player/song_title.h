// The song, cut out of the player's caption: "12. Artist - Song - Winamp"
// gives "Artist - Song"; Spotify's caption is the song while one plays; a
// media session names it in its properties.
#pragma once

#include <string>
#include <string_view>

#include "platform/media_session.h"
#include "platform/system.h"
#include "player/player_link.h"

namespace tw::player {

// The rule on a caption (UTF-8): everything before the first " - Winamp" (in
// any letter case), without a leading playlist number and its period, with
// blanks trimmed. Empty when the marker is missing.
std::string CutSongTitle(std::string_view caption);

// The caption as the kind of player writes it: a Winamp-class player's is cut
// by the rule above; Spotify's is the song, with blanks trimmed, when it has
// " - " in it (paused, idle or advertising, it has not). Empty for no song and
// for no player.
std::string SongInCaption(PlayerKind kind, std::string_view caption);

// A media session's song, "Artist - Title" or the title alone, blanks trimmed;
// only while it plays, and empty without a title.
std::string SongOfSession(const platform::MediaSession& session);

// The song of the player the link found last; empty for none.
std::string ReadPlayerTitle(platform::System& system, const PlayerLink& player);

}  // namespace tw::player
