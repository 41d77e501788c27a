// The start switches of any command line: the program's name is split off as the
// system's line has it, and the switches are checked against a naive search of
// what is left.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "mainwindow/start_switches.h"
#include "platform/command_line.h"

namespace {

bool Occurs(std::string_view text, std::string_view what) {
    for (std::size_t at = 0; at + what.size() <= text.size(); ++at) {
        if (text.substr(at, what.size()) == what) {
            return true;
        }
    }
    return false;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program's name as the line can hold it: one quoted run (its closing quote
// may be missing at the end of the line), or one run without blanks, then blanks.
bool IsProgramName(std::string_view name) {
    while (!name.empty() && IsBlank(name.back())) {
        name.remove_suffix(1);
    }
    if (name.starts_with('"')) {
        const std::size_t close = name.find('"', 1);
        return close == std::string_view::npos || close == name.size() - 1;
    }
    for (const char c : name) {
        if (IsBlank(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string_view arguments = tw::platform::ArgumentsOf(line);
    TW_FUZZ_CHECK(line.ends_with(arguments));
    TW_FUZZ_CHECK(arguments.empty() || !IsBlank(arguments.front()));
    TW_FUZZ_CHECK(IsProgramName(line.substr(0, line.size() - arguments.size())));

    const tw::StartSwitches switches = tw::ParseStartSwitches(arguments);
    TW_FUZZ_CHECK(switches.announce == Occurs(arguments, "-a"));
    TW_FUZZ_CHECK(switches.smallMode == Occurs(arguments, "-mode 1"));
    TW_FUZZ_CHECK(switches.dockTopRight == Occurs(arguments, "-dock TR"));
    TW_FUZZ_CHECK(switches.dockBottomRight == Occurs(arguments, "-dock BR"));
    TW_FUZZ_CHECK(switches.dockTopLeft == Occurs(arguments, "-dock TL"));
    TW_FUZZ_CHECK(switches.dockBottomLeft == Occurs(arguments, "-dock BL"));
    return 0;
}
