// The test bench itself, where a fault would let other tests pass whatever Tunewarden does.
#include "fixture.h"

namespace tw::e2e {
namespace {

using StandIn = DesktopTest;

TEST_F(StandIn, LogsOnArrivalKeepsJumpDialogBehindAndHangsWhenAsked) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());
    SendMessageW(playerWindow_, WM_COMMAND, kPlay, 0);
    SendMessageW(playerWindow_, WM_COMMAND, kJumpToFile, 0);
    // Both already there when the send returns: a sender may look for them straight away.
    EXPECT_EQ(Log(), (std::vector{kPlay, kJumpToFile}));
    const HWND dialog = FindTopLevel(kDialogClass, kJumpDialogTitle, player_.id());
    ASSERT_NE(dialog, nullptr);
    // Otherwise the Jump to file hotkey would pass without Tunewarden bringing it forward.
    std::this_thread::sleep_for(Millis(300));
    EXPECT_NE(GetForegroundWindow(), dialog) << "the dialog came forward by itself";

    // Otherwise the hung-player test would prove nothing.
    ASSERT_NO_FATAL_FAILURE(StartPlayer(kDefaultCaption, 3000));
    DWORD_PTR result = 0;
    const auto sent = Clock::now();
    EXPECT_EQ(SendMessageTimeoutW(playerWindow_, WM_COMMAND, kNext, 0, SMTO_NORMAL, 500, &result),
              0);
    EXPECT_GE(Clock::now() - sent, Millis(450));
    // Logged on arrival, so a test can tell "never sent" from "sent to a hung player".
    EXPECT_EQ(SentSince(2, 1), std::vector{kNext});
}

}  // namespace
}  // namespace tw::e2e
