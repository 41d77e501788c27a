#include "announcer/script_writer.h"

namespace tw::announcer {

namespace {

constexpr std::string_view kPlaceholder = "%S";
constexpr std::string_view kCommand = "say \"";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string FillTemplate(std::string_view messageTemplate, std::string_view song) {
    std::string message;
    message.reserve(messageTemplate.size() + song.size());
    std::size_t from = 0;
    for (auto at = messageTemplate.find(kPlaceholder); at != std::string_view::npos;
         at = messageTemplate.find(kPlaceholder, from)) {
        message.append(messageTemplate, from, at - from);
        message.append(song);
        from = at + kPlaceholder.size();
    }
    message.append(messageTemplate, from);
    return message;
}

void NeutraliseConsoleBytes(std::string& ansi) {
    // The console splits commands at ';' only outside double quotes, and the
    // line opens a quote that nothing may close; it splits at every LF (and
    // some engines at a lone CR) whatever the quoting. Working byte by byte is
    // safe in the double-byte code pages too: their trail bytes are 0x40 or
    // above and never 0x7F, so no byte touched here is half of a character.
    for (char& c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            c = '\'';
        } else if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
        }
    }
}

std::size_t CutLength(std::string_view ansi, std::size_t maxBytes, const LeadByteTest& isLeadByte) {
    std::size_t length = 0;
    while (length < ansi.size()) {
        const std::size_t next =
            length + (isLeadByte(static_cast<unsigned char>(ansi[length])) ? 2 : 1);
        // A lead byte without its trail byte is no character either.
        if (next > maxBytes || next > ansi.size()) {
            break;
        }
        length = next;
    }
    return length;
}

std::string ScriptLineFromAnsi(std::string message, const LeadByteTest& isLeadByte) {
    NeutraliseConsoleBytes(message);
    message.resize(CutLength(message, kMaxMessageBytes, isLeadByte));

    std::string line;
    line.reserve(kCommand.size() + message.size() + kLineEnd.size());
    line.append(kCommand).append(message).append(kLineEnd);
    return line;
}

std::string BuildScriptLine(platform::System& system, std::string_view messageTemplate,
                            std::string_view song) {
    return ScriptLineFromAnsi(
        system.Utf8ToAnsi(FillTemplate(messageTemplate, song)),
        [&system](unsigned char byte) { return system.IsAnsiLeadByte(byte); });
}

}  // namespace tw::announcer
