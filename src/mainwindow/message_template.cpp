#include "mainwindow/message_template.h"

#include "mainwindow/module.h"

namespace tw {

namespace {

// A template longer than this is far past what the game passes on; reading
// no more keeps a huge or endless file from costing anything.
constexpr std::size_t kTemplateReadLimit = std::size_t{64} * 1024;

}  // namespace

std::string_view FirstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

std::string TemplateFromFirstLine(std::string_view line) {
    if (line.find_first_not_of(' ') == std::string_view::npos) {
        return kDefaultMessageTemplate;
    }
    return std::string(line);
}

std::string ReadMessageTemplate(platform::System& system) {
    const std::string path = system.ProgramFolder() + "\\msg.txt";
    if (!system.IsNormalFile(path)) {
        return kDefaultMessageTemplate;
    }
    const auto bytes = system.ReadFileStart(path, kTemplateReadLimit);
    if (!bytes) {
        return kDefaultMessageTemplate;
    }
    return TemplateFromFirstLine(system.AnsiToUtf8(FirstLine(*bytes)));
}

}  // namespace tw
