#include "player/player_link.h"

#include <algorithm>
#include <optional>

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

}  // namespace

void PlayerLink::FindPlayer() {
    for (const PlayerKindRow& row : kPlayerKinds) {
        if (const auto window = FindWindowOf(row); window != 0) {
            hWndWinamp_ = window;
            kind_ = row.kind;
            return;
        }
    }
    hWndWinamp_ = 0;
    kind_ = PlayerKind::None;
}

platform::WindowHandle PlayerLink::FindWindowOf(const PlayerKindRow& row) {
    if (row.exeName.empty()) {
        return system_.FindTopLevelWindow(row.windowClass, std::nullopt);
    }
    for (const auto window : system_.TopLevelWindowsOfClass(row.windowClass)) {
        // The program's hidden helper windows of the same class have no caption.
        if (!system_.WindowCaption(window).empty() &&
            SameFileName(system_.ProcessFileName(window), row.exeName)) {
            return window;
        }
    }
    return 0;
}

platform::SendResult PlayerLink::SendPlayerCommand(PlayerCommand command, int times) {
    if (kind_ == PlayerKind::None) {
        return platform::SendResult::Delivered;
    }
    const CommandRow& row = RowOf(command);
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
