#include "player/song_title.h"

#include <algorithm>

namespace tw::player {

namespace {

constexpr std::string_view kMarker = " - Winamp";

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view what) {
    const auto it = std::search(text.begin(), text.end(), what.begin(), what.end(),
                                [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsPlaylistNumber(std::string_view text) {
    const auto digits = TrimBlanks(text);
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string CutSongTitle(std::string_view caption) {
    const auto marker = FindIgnoringCase(caption, kMarker);
    if (marker == std::string_view::npos) {
        return {};
    }
    std::string_view song = caption.substr(0, marker);
    // Only a number before the first period is the playlist's: "Mr. Big" and
    // "R.E.M." are names, and the cut would reach the other players too.
    const auto period = song.find('.');
    if (period != std::string_view::npos && IsPlaylistNumber(song.substr(0, period))) {
        song.remove_prefix(period + 1);
    }
    return std::string(TrimBlanks(song));
}

std::string SongInCaption(PlayerKind kind, std::string_view caption) {
    if (kind == PlayerKind::Winamp) {
        return CutSongTitle(caption);
    }
    const auto row = std::ranges::find(kPlayerKinds, kind, &PlayerKindRow::kind);
    if (row == kPlayerKinds.end() || row->songMark.empty()) {
        return {};
    }
    // Paused, idle, or an advertisement: the program's name, or an advertiser's.
    const std::string_view song = TrimBlanks(caption);
    if (song.find(row->songMark) == std::string_view::npos) {
        return {};
    }
    return std::string(song);
}

std::string SongOfSession(const platform::MediaSession& session) {
    if (!session.present || !session.playing) {
        return {};
    }
    const std::string_view title = TrimBlanks(session.title);
    if (title.empty()) {
        return {};
    }
    const std::string_view artist = TrimBlanks(session.artist);
    return artist.empty() ? std::string(title) : std::string(artist) + " - " + std::string(title);
}

std::string ReadPlayerTitle(platform::System& system, const PlayerLink& player) {
    if (player.kind() == PlayerKind::MediaSession) {
        return SongOfSession(player.session());
    }
    if (player.window() == 0) {
        return {};
    }
    return SongInCaption(player.kind(), system.WindowCaption(player.window()));
}

}  // namespace tw::player
