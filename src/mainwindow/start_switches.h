// The start switches: plain, case-sensitive searches of the whole command
// line, so "-a" also matches inside a longer word and "-mode 2" matches nothing.
#pragma once

#include <string_view>

namespace tw {

struct StartSwitches {
    bool announce = false;   // "-a"
    bool smallMode = false;  // "-mode 1"
    // Applied in this fixed order, whatever their order on the line, so the
    // last one present decides the corner.
    bool dockTopRight = false;     // "-dock TR"
    bool dockBottomRight = false;  // "-dock BR"
    bool dockTopLeft = false;      // "-dock TL"
    bool dockBottomLeft = false;   // "-dock BL"

    friend bool operator==(const StartSwitches&, const StartSwitches&) = default;
};

StartSwitches ParseStartSwitches(std::string_view commandLine);

}  // namespace tw
