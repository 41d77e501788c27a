// Tunewarden's life beside a player that is missing, comes later, or hangs.
#include <algorithm>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

using Lifecycle = DesktopTest;

// A hung player may hold Tunewarden up for a few seconds, no longer.
constexpr Millis kHungPlayerLimit{6000};

TEST_F(Lifecycle, RunsWithoutPlayerAndFindsOneStartedLater) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // Started with the default mode, it has to turn off the system's "No disk" and "file not
    // found" boxes itself.
    constexpr DWORD kNoErrorBoxes = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(ErrorModeOf(tunewarden_.id()).value_or(0) & kNoErrorBoxes, kNoErrorBoxes)
        << "Windows' own error boxes could hold its thread";
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD8}));  // the song display, with no song
    std::this_thread::sleep_for(kSettle);
    ASSERT_TRUE(tunewarden_.Running()) << "Tunewarden ended while no player was running";
    EXPECT_TRUE(Answers(mainWindow_));

    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(ExpectChordSends({VK_CONTROL, VK_NUMPAD0}, kPlay, 1));
}

TEST_F(Lifecycle, HungPlayerDoesNotFreezeTunewarden) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer(kDefaultCaption, 20000));
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    const auto deadline = Clock::now() + kHungPlayerLimit;
    const auto left = [&] {
        return std::max(Millis(1), std::chrono::duration_cast<Millis>(deadline - Clock::now()));
    };
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_ADD}));
    ASSERT_TRUE(PollUntil(Millis(3000), [&] { return !Log().empty(); }))
        << "Tunewarden never sent anything to the player";
    ASSERT_FALSE(Answers(playerWindow_, Millis(200)))
        << "the stand-in answers, so it is not hung and this test would prove nothing";

    EXPECT_TRUE(Answers(mainWindow_, left())) << "Tunewarden's window did not answer";
    // A thread blocked in SendMessage still answers messages sent to it, so WM_NULL alone
    // does not show a frozen sender; a posted message has to get through its message loop.
    // (This is also where closing the bar is seen to end the program.)
    ASSERT_TRUE(PostMessageW(mainWindow_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(tunewarden_.WaitForExit(left() + kCloseGrace))
        << "Tunewarden's message loop was still stuck on the hung player";
}

}  // namespace
}  // namespace tw::e2e
