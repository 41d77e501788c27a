#include "announcer/script_writer.h"

#include "text/utf8.h"

namespace tw::announcer {

namespace {

constexpr std::string_view kPlaceholder = "%S";
constexpr std::string_view kCommand = "say \"";
constexpr std::string_view kLineEnd = "\r\n";

// Turns the bytes that steer the game's console into harmless ones. The
// console splits commands at ';' only outside double quotes, and the line
// opens a quote that nothing may close; it splits at every LF (and some
// engines at a lone CR) whatever the quoting. Every byte of a multi-byte UTF-8
// character is 0x80 or above, so no byte touched here is part of one.
void NeutraliseConsoleBytes(std::string& message) {
    for (char& c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            c = '\'';
        } else if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
        }
    }
}

}  // namespace

std::string FillTemplate(std::string_view messageTemplate, std::string_view song,
                         std::size_t stopPast) {
    std::string message;
    std::size_t from = 0;
    for (auto at = messageTemplate.find(kPlaceholder);
         at != std::string_view::npos && message.size() <= stopPast;
         at = messageTemplate.find(kPlaceholder, from)) {
        message.append(messageTemplate, from, at - from);
        message.append(song);
        from = at + kPlaceholder.size();
    }
    if (message.size() <= stopPast) {
        message.append(messageTemplate, from);
    }
    return message;
}

// What no line can guard against: an old engine whose command buffer is
// already almost full (about 16 KB pending) when the script runs splits lines
// at any byte of 0x80 or above. Only dropping every non-ASCII character would
// prevent that, and a song title cannot fill that buffer.
std::string BuildScriptLine(std::string_view messageTemplate, std::string_view song) {
    // Each part is repaired on its own, so the filled message is valid UTF-8
    // and the cut needs to look only at character boundaries.
    std::string message =
        FillTemplate(utf8::Repaired(messageTemplate), utf8::Repaired(song), kMaxMessageBytes);
    NeutraliseConsoleBytes(message);
    message.resize(utf8::CutLength(message, kMaxMessageBytes));

    std::string line;
    line.reserve(kCommand.size() + message.size() + kLineEnd.size());
    line.append(kCommand).append(message).append(kLineEnd);
    return line;
}

std::string ScriptLineFor(std::string_view messageTemplate, std::string_view song) {
    if (song.empty()) {
        return std::string(kNoSongLine);
    }
    return BuildScriptLine(messageTemplate, song);
}

}  // namespace tw::announcer
