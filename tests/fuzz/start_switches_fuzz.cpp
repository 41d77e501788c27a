// The start switches of any command line against a naive search of its bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "mainwindow/start_switches.h"

namespace {

bool Occurs(std::string_view text, std::string_view what) {
    for (std::size_t at = 0; at + what.size() <= text.size(); ++at) {
        if (text.substr(at, what.size()) == what) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
    const tw::StartSwitches switches = tw::ParseStartSwitches(commandLine);
    TW_FUZZ_CHECK(switches.announce == Occurs(commandLine, "-a"));
    TW_FUZZ_CHECK(switches.smallMode == Occurs(commandLine, "-mode 1"));
    TW_FUZZ_CHECK(switches.dockTopRight == Occurs(commandLine, "-dock TR"));
    TW_FUZZ_CHECK(switches.dockBottomRight == Occurs(commandLine, "-dock BR"));
    TW_FUZZ_CHECK(switches.dockTopLeft == Occurs(commandLine, "-dock TL"));
    TW_FUZZ_CHECK(switches.dockBottomLeft == Occurs(commandLine, "-dock BL"));
    return 0;
}
