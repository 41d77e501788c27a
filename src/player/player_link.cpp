#include "player/player_link.h"

#include <optional>

namespace tw::player {

void PlayerLink::FindPlayer() {
    hWndWinamp_ = system_.FindTopLevelWindow(kPlayerWindowClass, std::nullopt);
}

platform::SendResult PlayerLink::SendPlayerCommand(PlayerCommand command, int times) {
    for (int pass = 1; pass <= times; ++pass) {
        const auto result = system_.SendCommand(hWndWinamp_, static_cast<std::uint32_t>(command));
        if (result == platform::SendResult::TimedOut) {
            return result;
        }
    }
    return platform::SendResult::Delivered;
}

}  // namespace tw::player
