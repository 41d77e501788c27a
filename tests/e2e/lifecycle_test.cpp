// Tunewarden's life beside a player that is missing, comes later, or hangs.
#include <algorithm>
#include <optional>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

using Lifecycle = DesktopTest;

// A hung player may hold Tunewarden up for a few seconds, no longer.
constexpr Millis kHungPlayerLimit{6000};

// The process's error mode, as GetErrorMode answers on a thread started inside it: Wine answers
// the hard-error mode query of another process with the caller's own. GetErrorMode lies at the
// same address in every process of the session, and its result is the thread's exit code.
std::optional<DWORD> ErrorModeOf(DWORD processId) {
    const HANDLE process =
        OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                        PROCESS_VM_READ | PROCESS_VM_WRITE,
                    FALSE, processId);
    if (process == nullptr) {
        return std::nullopt;
    }
    const auto getErrorMode = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetErrorMode")));
    std::optional<DWORD> mode;
    if (const HANDLE thread =
            CreateRemoteThread(process, nullptr, 0, getErrorMode, nullptr, 0, nullptr)) {
        DWORD code = 0;
        if (WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0 &&
            GetExitCodeThread(thread, &code)) {
            mode = code;
        }
        CloseHandle(thread);
    }
    CloseHandle(process);
    return mode;
}

TEST_F(Lifecycle, RunsWithoutPlayerFindsOneStartedLaterAndEndsWhenClosed) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // Started with the default mode, it has to turn off the system's "No disk" and "file not
    // found" boxes itself.
    constexpr DWORD kNoErrorBoxes = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(ErrorModeOf(tunewarden_.id()).value_or(0) & kNoErrorBoxes, kNoErrorBoxes)
        << "Windows' own error boxes could hold its thread";
    for (const int key : {VK_NUMPAD0, VK_NUMPAD5, VK_ADD, VK_NUMPAD8, VK_NUMPAD9}) {
        ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, static_cast<WORD>(key)}));
    }
    std::this_thread::sleep_for(kSettle);
    ASSERT_TRUE(tunewarden_.Running()) << "Tunewarden ended while no player was running";
    EXPECT_TRUE(Answers(mainWindow_));

    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD0}));
    const std::vector<std::uint64_t> sent = SentSince(0, 1);
    EXPECT_TRUE((sent == std::vector{kPlay} || sent == std::vector{kPlay, kPlay}))
        << testing::PrintToString(sent);

    ASSERT_TRUE(PostMessageW(mainWindow_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(tunewarden_.WaitForExit(kCloseGrace + Millis(1000)));
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
    ASSERT_TRUE(PostMessageW(mainWindow_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(tunewarden_.WaitForExit(left() + kCloseGrace))
        << "Tunewarden's message loop was still stuck on the hung player";
}

}  // namespace
}  // namespace tw::e2e
