// How the game's console reads a script, for the checks of the script line: lines
// end at LF and at CR; a line of 1,023 bytes or more is cut after 1,022 and its
// remainder runs as a line of its own; a line is split into commands at ';' outside double quotes,
// each '"' toggling the quoting. Blank commands do nothing, and leading blanks are dropped.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace tw::test {

using Commands = std::vector<std::string>;

inline Commands ConsoleCommands(std::string_view script) {
    constexpr std::size_t kMaxLine = 1022;
    Commands commands;
    const auto add = [&commands](std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            commands.emplace_back(text.substr(first));
        }
    };
    while (!script.empty()) {
        const auto end = std::min(script.find_first_of("\r\n"), script.size());
        for (auto line = script.substr(0, end); !line.empty();) {
            const auto part = line.substr(0, kMaxLine);
            line.remove_prefix(part.size());
            bool quoted = false;
            std::size_t from = 0;
            for (std::size_t i = 0; i < part.size(); ++i) {
                if (part[i] == '"') {
                    quoted = !quoted;
                } else if (part[i] == ';' && !quoted) {
                    add(part.substr(from, i - from));
                    from = i + 1;
                }
            }
            add(part.substr(from));
        }
        script.remove_prefix(std::min(end + 1, script.size()));
    }
    return commands;
}

}  // namespace tw::test
