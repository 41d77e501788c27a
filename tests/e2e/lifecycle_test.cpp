// Tunewarden's life beside a player that is missing, hung, or comes later.
#include <algorithm>
#include <cstdint>

#include "fixture.h"

namespace tw::e2e {
namespace {

using Lifecycle = DesktopTest;

constexpr std::uint64_t kPlay = 40045;

// A hung player may hold Tunewarden up for a few seconds, no longer.
constexpr Millis kHungPlayerLimit{6000};
// Closing is allowed this long on top of that, as in the close test.
constexpr Millis kCloseGrace{2000};

DWORD RemainingUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now());
    return static_cast<DWORD>(std::max<Millis::rep>(left.count(), 1));
}

TEST_F(Lifecycle, KeepsRunningWithoutPlayerAndFindsOneStartedLater) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    constexpr WORD kHotkeys[] = {VK_NUMPAD0, VK_NUMPAD5, VK_ADD, VK_NUMPAD8, VK_NUMPAD9};
    for (const WORD key : kHotkeys) {
        ASSERT_NO_FATAL_FAILURE(Chord({kVkControl, key}));
    }
    ASSERT_TRUE(tunewarden_.Running()) << "Tunewarden ended while no player was running";
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result), 0);

    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(Chord({kVkControl, VK_NUMPAD0}));
    const std::vector<std::uint64_t> sent = Log();
    EXPECT_GE(sent.size(), 1u);
    EXPECT_EQ(CountOf(sent, kPlay), sent.size());
}

TEST_F(Lifecycle, ClosingTheMainWindowEndsTheProcess) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    ASSERT_TRUE(PostMessageW(mainWindow_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(tunewarden_.WaitForExit(kCloseGrace + Millis(1000)));
}

TEST_F(Lifecycle, HungPlayerDoesNotFreezeTunewarden) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer(kDefaultCaption, 20000));
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    const auto pressed = Clock::now();
    ASSERT_TRUE(HoldChord({kVkControl, VK_ADD}, kShortHold));
    ASSERT_FALSE(WaitForLogEntries(LogPath(), 1, Millis(3000)).empty())
        << "Tunewarden never sent anything to the player";

    const auto deadline = pressed + kHungPlayerLimit;
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, RemainingUntil(deadline),
                                  &result),
              0)
        << "Tunewarden's window did not answer";
    // A thread blocked in SendMessage still answers messages sent to it, so WM_NULL alone
    // does not show a frozen sender; a posted message has to get through its message loop.
    ASSERT_TRUE(PostMessageW(mainWindow_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(tunewarden_.WaitForExit(Millis(RemainingUntil(deadline + kCloseGrace))))
        << "Tunewarden's message loop was still stuck on the hung player";
}

}  // namespace
}  // namespace tw::e2e
