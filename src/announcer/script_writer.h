// The one line of the game script "winamp.cfg": say "<message> CR LF.
//
// The game runs every line of the script as console input, and the song title
// in the message comes from file tags and radio streams that strangers name.
// The line is therefore built so that, whatever the title holds, the game sees
// exactly one harmless "say" command whose text it passes on whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::announcer {

// The script's name inside the game folder, appended to the folder as the box
// holds it.
inline constexpr std::string_view kScriptFileSuffix = "\\winamp.cfg";

// The game drops a chat message that is not valid UTF-8 and cuts the rest, byte
// by byte, at 108 bytes, or at 104 while the player is dead or spectating. The
// line cuts first, to the smaller, on a character boundary.
inline constexpr std::size_t kMaxMessageBytes = 104;

// The template with every "%S" (capital S only) replaced by the song, left to
// right; the song itself is never searched for placeholders. Filling stops
// once the message is longer than stopPast bytes.
std::string FillTemplate(std::string_view messageTemplate, std::string_view song,
                         std::size_t stopPast = std::string::npos);

// The script line for the template and song, in UTF-8 whatever bytes they hold.
std::string BuildScriptLine(std::string_view messageTemplate, std::string_view song);

// While no song can be read the script tells the user alone, on the game's
// console: announcing an empty title would broadcast "listening to ." to
// every player each time the bound key is pressed.
inline constexpr std::string_view kNoSongLine = "echo \"Tunewarden: no song is playing\"\r\n";

// The line the script holds for the song: its announcement, or kNoSongLine
// when there is no song.
std::string ScriptLineFor(std::string_view messageTemplate, std::string_view song);

}  // namespace tw::announcer
