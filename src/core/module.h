// State that several windows share, and the routines that act on it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace tw {

// The bar's caption and the menu's title. Not the program's version, which
// the tray tip and About show: this text is the windows' own and stays as it is.
inline constexpr const char* kFixedCaption = "Tunewarden 1.0";

inline constexpr const char* kDefaultMessageTemplate = "I am currently listening to %S.";

// The main window's display modes, numbered as the settings store them.
enum class DisplayMode : std::int16_t {
    Normal = 0,      // the whole window: title strip, transport bar and help text
    SmallMouse = 1,  // the title strip and the transport bar
    Small = 2,       // the title strip alone
};

// The four corners the main window docks to.
enum class DockCorner : std::int16_t {
    TopRight = 0,
    TopLeft = 1,
    BottomLeft = 2,
    BottomRight = 3,
};

struct Module {
    // The taskbar rectangle of the latest query, in screen pixels.
    platform::PixelRect TaskbarData;
    // Its top edge, 0 until the first query.
    std::int32_t TaskbarTop = 0;
    // The chat message template, UTF-8; "%S" stands for the song.
    std::string MessageTemplate = kDefaultMessageTemplate;
};

}  // namespace tw
