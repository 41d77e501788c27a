#include "platform/command_line.h"

namespace tw::platform {

std::string_view ArgumentsOf(std::string_view commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with('"')) {
        const std::size_t quote = commandLine.find('"', 1);
        end = quote == std::string_view::npos ? commandLine.size() : quote + 1;
    } else {
        end = commandLine.find_first_of(" \t");
    }
    const std::size_t arguments = commandLine.find_first_not_of(" \t", end);
    return arguments == std::string_view::npos ? std::string_view{} : commandLine.substr(arguments);
}

}  // namespace tw::platform
