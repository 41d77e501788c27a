#include "player/player_link.h"

#include <algorithm>
#include <optional>
#include <string>

#include "player/song_title.h"

namespace tw::player {

namespace {

bool SameFileName(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::ranges::equal(a, b, [&](char x, char y) { return fold(x) == fold(y); });
}

const CommandRow& RowOf(PlayerCommand command) {
    return *std::ranges::find(kCommandTable, command, &CommandRow::command);
}

const PlayerKindRow& KindRow(PlayerKind kind) {
    return *std::ranges::find(kPlayerKinds, kind, &PlayerKindRow::kind);
}

}  // namespace

void PlayerLink::FindPlayer() {
    session_ = {};
    if (const auto winamp =
            system_.FindTopLevelWindow(KindRow(PlayerKind::Winamp).windowClasses[0], std::nullopt);
        winamp != 0) {
        Found(PlayerKind::Winamp, winamp);
        return;
    }
    const SpotifyWindows spotify = FindSpotify();
    if (spotify.playing != 0) {
        Found(PlayerKind::Spotify, spotify.playing);
        return;
    }
    session_ = system_.MediaSessionSnapshot();
    if (session_.present) {
        Found(PlayerKind::MediaSession, 0);
        return;
    }
    Found(spotify.any != 0 ? PlayerKind::Spotify : PlayerKind::None, spotify.any);
}

void PlayerLink::Found(PlayerKind kind, platform::WindowHandle window) {
    kind_ = kind;
    hWndWinamp_ = window;
}

PlayerLink::SpotifyWindows PlayerLink::FindSpotify() {
    const PlayerKindRow& row = KindRow(PlayerKind::Spotify);
    SpotifyWindows found;
    for (const std::string_view windowClass : row.windowClasses) {
        for (const auto window : system_.TopLevelWindowsOfClass(windowClass)) {
            // Hidden windows count: Spotify minimised or closed to the tray still plays.
            const std::string caption = system_.WindowCaption(window);
            if (caption.empty() ||
                std::ranges::find(row.helperCaptions, caption) != row.helperCaptions.end() ||
                !SameFileName(system_.ProcessFileName(window), row.exeName)) {
                continue;
            }
            if (!SongInCaption(PlayerKind::Spotify, caption).empty()) {
                found.playing = window;
                return found;
            }
            if (found.any == 0) {
                found.any = window;
            }
        }
    }
    return found;
}

platform::SendResult PlayerLink::SendPlayerCommand(PlayerCommand command, int times) {
    if (kind_ == PlayerKind::None) {
        return platform::SendResult::Delivered;
    }
    const CommandRow& row = RowOf(command);
    if (kind_ == PlayerKind::MediaSession) {
        if (row.media) {
            system_.QueueMediaCommand({*row.media, times, row.mediaIfRefused});
        }
        return platform::SendResult::Delivered;
    }
    if (kind_ == PlayerKind::Spotify) {
        if (row.appCommand == 0) {
            return platform::SendResult::Delivered;
        }
        if (row.gate != SpotifyGate::Always) {
            const bool playing = !ReadPlayerTitle(system_, *this).empty();
            if (playing != (row.gate == SpotifyGate::WhilePlaying)) {
                return platform::SendResult::Delivered;
            }
        }
    }
    for (int pass = 1; pass <= times; ++pass) {
        const auto result = kind_ == PlayerKind::Spotify
                                ? system_.SendAppCommand(hWndWinamp_, row.appCommand)
                                : system_.SendCommand(hWndWinamp_, row.winampId);
        if (result == platform::SendResult::TimedOut) {
            return result;
        }
    }
    return platform::SendResult::Delivered;
}

}  // namespace tw::player
