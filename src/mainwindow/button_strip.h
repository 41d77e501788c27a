// The six transport buttons painted on the main window's picButtons surface,
// and the pixel ranges that say which one the pointer is on.
#pragma once

#include <array>
#include <string_view>

#include "platform/units.h"
#include "platform/window.h"
#include "player/player_link.h"

namespace tw {

enum class StripGlyph { Previous, Play, Pause, Stop, Next, Info };

struct StripButton {
    int left;   // first column of the button, pixels
    int right;  // last column, inclusive
    StripGlyph glyph;
    std::string_view toolTip;
    // The command sent on a release; Info sends none.
    player::PlayerCommand command;
    bool sendsCommand;
    // Shown before the command goes out, so the display names the old track.
    bool showsTitle;
};

inline constexpr int kStripTopRow = 1;
inline constexpr int kStripBottomRow = 16;

// Left to right. The first button starts at column 1, not 0, and is one column
// narrower than the others; the columns between two buttons belong to neither,
// so a point is on one button at most.
inline constexpr std::array<StripButton, 6> kStripButtons{{
    {1, 16, StripGlyph::Previous, "Go to previous track in playlist",
     player::PlayerCommand::Previous, true, true},
    {21, 37, StripGlyph::Play, "Play current track", player::PlayerCommand::Play, true, false},
    {42, 58, StripGlyph::Pause, "Pause playing track", player::PlayerCommand::Pause, true, false},
    {63, 79, StripGlyph::Stop, "Stop playing track", player::PlayerCommand::Stop, true, false},
    {84, 100, StripGlyph::Next, "Go to next track in playlist", player::PlayerCommand::Next, true,
     false},
    {105, 121, StripGlyph::Info, "Show track information", player::PlayerCommand::Play, false,
     true},
}};

// True when the point (in the bar's design pixels) is on the button, its edge
// columns and rows included.
bool OnStripButton(const StripButton& button, float x, float y);

// Paints one raised button with its symbol, in the bar's design pixels, which
// the units scale to the screen's.
void DrawStripButton(platform::Canvas& canvas, const StripButton& button,
                     const platform::Units& units);

}  // namespace tw
