#include "core/message_template.h"

#include <string_view>

#include "core/module.h"
#include "text/utf8.h"

namespace tw {

namespace {

// A template longer than this is far past what the game passes on; reading
// no more keeps a huge or endless file from costing anything.
constexpr std::size_t kTemplateReadLimit = std::size_t{64} * 1024;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The first line of the file's bytes: up to the first carriage return or line
// feed. A line feed must end the line too: every line of the game script that
// the template ends up in runs as a console command in the game.
std::string_view FirstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

// The template for the given first line: the line itself, blanks included,
// unless it is empty or blanks only, when the default takes its place.
std::string TemplateFromFirstLine(std::string_view line) {
    if (line.find_first_not_of(' ') == std::string_view::npos) {
        return kDefaultMessageTemplate;
    }
    return std::string(line);
}

}  // namespace

std::string ReadMessageTemplate(platform::System& system) {
    const std::string path = system.ProgramFolder() + "\\msg.txt";
    if (!system.IsNormalFile(path)) {
        return kDefaultMessageTemplate;
    }
    const auto bytes = system.ReadFileStart(path, kTemplateReadLimit);
    if (!bytes) {
        return kDefaultMessageTemplate;
    }
    // Notepad saves "Unicode" as UTF-16 behind its mark. It is decoded before
    // the line is cut: a CR or LF byte there may be half of another letter.
    if (const auto order = utf8::Utf16Mark(*bytes)) {
        std::string_view units = std::string_view(*bytes).substr(utf8::kUtf16MarkBytes);
        if (bytes->size() == kTemplateReadLimit) {
            units = units.substr(0, utf8::Utf16CutLength(units, *order));
        }
        const std::string text = utf8::FromUtf16(units, *order);
        return TemplateFromFirstLine(FirstLine(text));
    }
    std::string_view line = FirstLine(*bytes);
    if (line.size() == kTemplateReadLimit) {
        // The read may have stopped inside the last character: drop it.
        line = line.substr(0, utf8::CutLength(line, line.size() - 1));
    }
    // Editors save UTF-8, with or without the mark; older files are in the
    // ANSI code page, whose accented letters seldom form valid UTF-8.
    if (line.starts_with(kUtf8Mark)) {
        return TemplateFromFirstLine(utf8::Repaired(line.substr(kUtf8Mark.size())));
    }
    if (utf8::IsValid(line)) {
        return TemplateFromFirstLine(line);
    }
    return TemplateFromFirstLine(system.AnsiToUtf8(line));
}

}  // namespace tw
