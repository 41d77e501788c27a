// The main window's three heights, so that the user can fold it down to its
// title strip during a game.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

class Forms;

struct DisplayMode {
    std::int16_t mode;  // the value of MainWindow::mode
    float height;       // twips; the width stays 2835
    std::string_view name;
};

// The whole window: title strip, transport bar and help text.
inline constexpr DisplayMode kNormalMode{0, 4350, "Normal Mode"};
// The title strip and the transport bar.
inline constexpr DisplayMode kSmallMouseMode{1, 600, "Small Mouse Mode"};
// The title strip alone.
inline constexpr DisplayMode kSmallMode{2, 240, "Small Mode"};

// The tray tip for a mode: "Tunewarden 1.4 - Small Mode".
std::string TrayTitle(const DisplayMode& mode);

// Steps the main window, while it is loaded, to its next mode: Normal,
// then Small, then Small Mouse, then Normal again. The window grows or shrinks
// at its bottom edge; the tray icon is put up anew with the new mode's name;
// the mode is written to the settings (and never read back: every run starts
// in Normal Mode); the popup menu is hidden.
void SwitchMode(Forms& forms);

}  // namespace tw
