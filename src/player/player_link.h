// The link to the media player, a separate program that this one never loads:
// its main window is looked up before every action, kind by kind in the order
// below, and driven with the messages that kind of player understands.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "platform/system.h"

namespace tw::player {

enum class PlayerKind {
    None,
    Winamp,   // a window of class "Winamp v1.x": Winamp and the players that copy its window
    Spotify,  // the Spotify desktop program
};

// How each kind of player is recognised. The kinds are tried in this order, so
// a Winamp-class player always wins and its users see no difference while
// Spotify runs too. Spotify's row describes another company's program, which
// changes: what is known about it is here and nowhere else.
struct PlayerKindRow {
    PlayerKind kind;
    std::string_view windowClass;
    // The file name of the window's program, in any letter case; empty for any
    // program. Browsers, chat programs and game launchers share Chromium's
    // window class with Spotify, so for Spotify the program decides.
    std::string_view exeName;
    // Captions that name no song: the player is paused or idle.
    std::array<std::string_view, 3> idleCaptions;
};

inline constexpr std::array<PlayerKindRow, 2> kPlayerKinds{{
    {PlayerKind::Winamp, "Winamp v1.x", "", {}},
    {PlayerKind::Spotify,
     "Chrome_WidgetWin_0",
     "Spotify.exe",
     {"Spotify", "Spotify Premium", "Spotify Free"}},
}};

// Every command the program gives a player.
enum class PlayerCommand {
    Previous,
    Play,
    Pause,
    Stop,
    Next,
    VolumeUp,
    VolumeDown,
    Rewind,
    FastForward,
    JumpToFile,
};

// When Spotify gets its app command. It is sure to honour only the play-pause
// toggle and the track skips, so play, pause and stop are made of the toggle
// and what its caption says about playing.
enum class SpotifyGate {
    Always,
    WhilePlaying,  // a song in the caption
    WhileIdle,     // one of the idle captions
};

// WM_APPCOMMAND's media commands.
inline constexpr std::uint16_t kAppNextTrack = 11;
inline constexpr std::uint16_t kAppPreviousTrack = 12;
inline constexpr std::uint16_t kAppPlayPause = 14;

// What each kind of player gets for each command; no other message is sent to a player.
struct CommandRow {
    PlayerCommand command;
    std::uint32_t winampId;    // the WM_COMMAND id of a Winamp-class player
    std::uint16_t appCommand;  // Spotify's WM_APPCOMMAND; 0: nothing
    SpotifyGate gate;
};

inline constexpr std::array<CommandRow, 10> kCommandTable{{
    {PlayerCommand::Previous, 40044, kAppPreviousTrack, SpotifyGate::Always},
    // Winamp starts the song again; Spotify, already playing, is left alone.
    {PlayerCommand::Play, 40045, kAppPlayPause, SpotifyGate::WhileIdle},
    // Pauses and resumes, as Winamp's pause does.
    {PlayerCommand::Pause, 40046, kAppPlayPause, SpotifyGate::Always},
    // Spotify has no stop: it pauses, and never starts.
    {PlayerCommand::Stop, 40047, kAppPlayPause, SpotifyGate::WhilePlaying},
    {PlayerCommand::Next, 40048, kAppNextTrack, SpotifyGate::Always},
    // Spotify leaves the volume commands to Windows, which would turn down the
    // whole system, game included.
    {PlayerCommand::VolumeUp, 40058, 0, SpotifyGate::Always},
    {PlayerCommand::VolumeDown, 40059, 0, SpotifyGate::Always},
    // No seek and no jump dialog reach Spotify through its window.
    {PlayerCommand::Rewind, 40144, 0, SpotifyGate::Always},
    {PlayerCommand::FastForward, 40148, 0, SpotifyGate::Always},
    {PlayerCommand::JumpToFile, 40194, 0, SpotifyGate::Always},
}};

// The WM_COMMAND id a Winamp-class player gets for the command.
constexpr std::uint32_t WinampCommandId(PlayerCommand command) {
    return std::ranges::find(kCommandTable, command, &CommandRow::command)->winampId;
}

class PlayerLink {
  public:
    explicit PlayerLink(platform::System& system) : system_(system) {}

    // Looks the player up afresh; the handle is never trusted from one action
    // to the next.
    void FindPlayer();

    // Sends the command `times` times back to back to the window of the latest
    // lookup, as its kind takes it. A player that stops answering costs one
    // bounded wait, not one per repetition: the repetitions left are dropped,
    // and TimedOut tells the caller to drop the rest of its action too.
    platform::SendResult SendPlayerCommand(PlayerCommand command, int times = 1);

    // The player's window from the latest lookup, of whatever kind; 0 for none.
    platform::WindowHandle hWndWinamp() const { return hWndWinamp_; }
    PlayerKind kind() const { return kind_; }

  private:
    platform::WindowHandle FindWindowOf(const PlayerKindRow& row);

    platform::System& system_;
    platform::WindowHandle hWndWinamp_ = 0;
    PlayerKind kind_ = PlayerKind::None;
};

}  // namespace tw::player
