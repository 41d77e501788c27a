// The one line of the game script "winamp.cfg": say "<message> CR LF.
//
// The game runs every line of the script as console input, and the song title
// in the message comes from file tags and radio streams that strangers name.
// The line is therefore built so that, whatever the title holds, the game sees
// exactly one harmless "say" command.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/system.h"

namespace tw::announcer {

// The script's name inside the game folder, appended to the folder as the box
// holds it.
inline constexpr std::string_view kScriptFileSuffix = "\\winamp.cfg";

// The game passes no more than this of a chat message on to the other players.
inline constexpr std::size_t kMaxMessageBytes = 120;

// True when the byte starts a two-byte character in the file's code page.
using LeadByteTest = std::function<bool(unsigned char)>;

// The template with every "%S" (capital S only) replaced by the song, left to
// right; the song itself is never searched for placeholders.
std::string FillTemplate(std::string_view messageTemplate, std::string_view song);

// Turns the bytes that steer the game's console into harmless ones: a double
// quote becomes a single quote, every control byte a blank.
void NeutraliseConsoleBytes(std::string& ansi);

// The length of the longest start of the text that holds at most maxBytes and
// ends on a character boundary.
std::size_t CutLength(std::string_view ansi, std::size_t maxBytes, const LeadByteTest& isLeadByte);

// The script line for a message already in the file's code page.
std::string ScriptLineFromAnsi(std::string message, const LeadByteTest& isLeadByte);

// The script line for the template and song (both UTF-8), in the system's ANSI
// code page.
std::string BuildScriptLine(platform::System& system, std::string_view messageTemplate,
                            std::string_view song);

}  // namespace tw::announcer
