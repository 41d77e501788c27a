// The global hotkeys: Control held with a key of the numeric keypad, read from
// the system-wide key state by a timer, so they work while the game has the focus.
#pragma once

#include <array>
#include <string_view>

#include "player/player_link.h"

namespace tw {

inline constexpr int kVkControl = 17;
inline constexpr unsigned kHotkeyPollMs = 250;

enum class HotkeyAction {
    Send,           // the command, `times` times
    TitleThenSend,  // show the song before the command changes it
    ShowTitle,      // show the song, no command
    JumpTo,         // the command, then bring the player's dialog forward
};

// How a row treats a chord held across ticks.
enum class HotkeyRepeat {
    EveryTick,     // acts on every tick while held: volume and seeking go on
    OncePerPress,  // acts when the chord goes down, again only after it was let go: a toggle
                   // acting on two ticks would undo itself
};

struct HotkeyRow {
    int virtualKey;
    HotkeyAction action;
    player::PlayerCommand command;
    int times;
    HotkeyRepeat repeat = HotkeyRepeat::EveryTick;
};

// Tested in this order in every tick; rows that fire together act in this order. The keys
// are virtual-key codes: 96 to 105 keypad 0 to 9, 107 its plus, 109 its minus, 110 its
// decimal point.
inline constexpr std::array<HotkeyRow, 13> kHotkeyTable{{
    {96, HotkeyAction::Send, player::PlayerCommand::Play, 1},
    {110, HotkeyAction::Send, player::PlayerCommand::Stop, 1},
    {97, HotkeyAction::TitleThenSend, player::PlayerCommand::Previous, 1},
    {98, HotkeyAction::Send, player::PlayerCommand::Pause, 1, HotkeyRepeat::OncePerPress},
    {99, HotkeyAction::Send, player::PlayerCommand::Next, 1},
    {100, HotkeyAction::Send, player::PlayerCommand::Rewind, 1},
    {101, HotkeyAction::JumpTo, player::PlayerCommand::JumpToFile, 1},
    {102, HotkeyAction::Send, player::PlayerCommand::FastForward, 1},
    {103, HotkeyAction::Send, player::PlayerCommand::VolumeDown, 5},
    {104, HotkeyAction::ShowTitle, player::PlayerCommand::Play, 0},
    {105, HotkeyAction::Send, player::PlayerCommand::VolumeUp, 5},
    {107, HotkeyAction::Send, player::PlayerCommand::Next, 10},
    {109, HotkeyAction::Send, player::PlayerCommand::Previous, 10},
}};

// The player's dialog that "Jump To" brings forward.
inline constexpr std::string_view kJumpDialogClass = "#32770";
inline constexpr std::string_view kJumpDialogTitle = "Jump to file";

}  // namespace tw
