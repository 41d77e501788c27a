// The link to the media player, a separate program that this one never loads:
// its main window is looked up before every action, kind by kind in the order
// below, and driven with the messages that kind of player understands.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/media_session.h"
#include "platform/system.h"

namespace tw::player {

enum class PlayerKind {
    None,
    Winamp,        // a window of class "Winamp v1.x": Winamp and the players that copy its window
    Spotify,       // the Spotify desktop program
    MediaSession,  // the system's current media session: a browser, or any other player
};

// How each kind of player is recognised. The kinds are tried in the order of
// PlayerLink::FindPlayer, which puts a Winamp-class player first, so its users
// see no difference. Spotify's row describes another company's program, which
// changes: what is known about it is here and nowhere else.
struct PlayerKindRow {
    PlayerKind kind;
    // Its main window's classes; none for a player that has no window of its own here.
    std::array<std::string_view, 2> windowClasses;
    // The file name of the window's program, in any letter case; empty for any
    // program. Browsers, chat programs and game launchers share Chromium's
    // window classes with Spotify, so for Spotify the program decides.
    std::string_view exeName;
    // Captions of the program's other windows, never taken for its main window.
    std::array<std::string_view, 4> helperCaptions;
    // The caption names a song only with this in it; empty: the Winamp-class rule.
    std::string_view songMark;
};

inline constexpr std::array<PlayerKindRow, 3> kPlayerKinds{{
    {PlayerKind::Winamp, {"Winamp v1.x"}, "", {}, ""},
    // Observed: the main window is "Chrome_WidgetWin_0" in older builds and
    // "Chrome_WidgetWin_1" in newer ones; it stays there, hidden, while
    // minimised or closed to the tray. Its caption is "Artist - Song" while a
    // song plays, and "Spotify", "Spotify Premium", "Spotify Free",
    // "Advertisement" or an advertiser's name otherwise. The same program keeps
    // untitled windows and the helpers below.
    {PlayerKind::Spotify,
     {"Chrome_WidgetWin_0", "Chrome_WidgetWin_1"},
     "Spotify.exe",
     {"Default IME", "MSCTFIME UI", "GDI+ Window (Spotify.exe)", "Chrome Legacy Window"},
     " - "},
    // Found through the system, not by a window: platform::System::MediaSessionSnapshot.
    {PlayerKind::MediaSession, {}, "", {}, ""},
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

using platform::MediaCommand;

// What each kind of player gets for each command; no other message is sent to a player.
struct CommandRow {
    PlayerCommand command;
    std::uint32_t winampId;    // the WM_COMMAND id of a Winamp-class player
    std::uint16_t appCommand;  // Spotify's WM_APPCOMMAND; 0: nothing
    SpotifyGate gate;
    std::optional<MediaCommand> media;  // the media session's; none: nothing
    std::optional<MediaCommand> mediaIfRefused;
};

inline constexpr std::array<CommandRow, 10> kCommandTable{{
    {PlayerCommand::Previous,
     40044,
     kAppPreviousTrack,
     SpotifyGate::Always,
     MediaCommand::Previous,
     {}},
    // Winamp starts the song again; Spotify, already playing, is left alone.
    {PlayerCommand::Play, 40045, kAppPlayPause, SpotifyGate::WhileIdle, MediaCommand::Play, {}},
    // Pauses and resumes, as Winamp's pause does.
    {PlayerCommand::Pause,
     40046,
     kAppPlayPause,
     SpotifyGate::Always,
     MediaCommand::TogglePlayPause,
     {}},
    // Spotify has no stop: it pauses, and never starts. Nor may a session that
    // refuses to stop (a browser's often does): it pauses, never toggles.
    {PlayerCommand::Stop, 40047, kAppPlayPause, SpotifyGate::WhilePlaying, MediaCommand::Stop,
     MediaCommand::Pause},
    {PlayerCommand::Next, 40048, kAppNextTrack, SpotifyGate::Always, MediaCommand::Next, {}},
    // Spotify and the session leave the volume to Windows, which would turn
    // down the whole system, game included.
    {PlayerCommand::VolumeUp, 40058, 0, SpotifyGate::Always, {}, {}},
    {PlayerCommand::VolumeDown, 40059, 0, SpotifyGate::Always, {}, {}},
    // No seek reaches Spotify through its window; a session seeks if it can.
    {PlayerCommand::Rewind, 40144, 0, SpotifyGate::Always, MediaCommand::Rewind, {}},
    {PlayerCommand::FastForward, 40148, 0, SpotifyGate::Always, MediaCommand::FastForward, {}},
    // Only a Winamp-class player has a jump dialog.
    {PlayerCommand::JumpToFile, 40194, 0, SpotifyGate::Always, {}, {}},
}};

class PlayerLink {
  public:
    explicit PlayerLink(platform::System& system) : system_(system) {}

    // Looks the player up afresh, in this order: a Winamp-class window; Spotify
    // while it plays a song; the system's current media session; Spotify
    // paused or idle. So a user who pauses Spotify and plays a video drives the
    // video, and nothing changes for one who only uses Spotify. The handle and
    // the session are never trusted from one action to the next.
    void FindPlayer();

    // Sends the command `times` times back to back to the window of the latest
    // lookup, as its kind takes it. A player that stops answering costs one
    // bounded wait, not one per repetition: the repetitions left are dropped,
    // and TimedOut tells the caller to drop the rest of its action too. The
    // media session gets them through a queue and never makes the caller wait.
    platform::SendResult SendPlayerCommand(PlayerCommand command, int times = 1);

    // The player's window from the latest lookup, of whatever kind; 0 for none
    // and for the media session.
    platform::WindowHandle window() const { return hWndWinamp_; }
    PlayerKind kind() const { return kind_; }
    // The media session as the latest lookup saw it, when that found it.
    const platform::MediaSession& session() const { return session_; }

  private:
    struct SpotifyWindows {
        platform::WindowHandle playing = 0;  // the first that shows a song
        platform::WindowHandle any = 0;      // the first of its main windows at all
    };
    SpotifyWindows FindSpotify();
    void Found(PlayerKind kind, platform::WindowHandle window);

    platform::System& system_;
    // Named for the Winamp-class player, once the only kind; it holds any kind's window.
    platform::WindowHandle hWndWinamp_ = 0;
    PlayerKind kind_ = PlayerKind::None;
    platform::MediaSession session_;
};

}  // namespace tw::player
