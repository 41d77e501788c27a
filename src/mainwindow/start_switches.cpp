#include "mainwindow/start_switches.h"

namespace tw {

StartSwitches ParseStartSwitches(std::string_view commandLine) {
    const auto has = [commandLine](std::string_view text) {
        return commandLine.find(text) != std::string_view::npos;
    };
    StartSwitches switches;
    switches.announce = has("-a");
    switches.smallMode = has("-mode 1");
    switches.dockTopRight = has("-dock TR");
    switches.dockBottomRight = has("-dock BR");
    switches.dockTopLeft = has("-dock TL");
    switches.dockBottomLeft = has("-dock BL");
    return switches;
}

}  // namespace tw
