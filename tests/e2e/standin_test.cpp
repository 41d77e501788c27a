// The test bench itself: if these fail, the other end-to-end failures say nothing about
// Tunewarden.
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "fixture.h"

namespace tw::e2e {
namespace {

using StandIn = DesktopTest;

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WaitForText(const std::filesystem::path& file, const std::string& needle, Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    while (ReadText(file).find(needle) == std::string::npos) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(Millis(25));
    }
    return true;
}

TEST_F(StandIn, LogsCommandsAndOpensJumpDialogInTheBackground) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer(L"3. Ünïcödé Ärtist - Sóng - Winamp"));
    wchar_t caption[256] = {};
    GetWindowTextW(playerWindow_, caption, 256);
    EXPECT_STREQ(caption, L"3. Ünïcödé Ärtist - Sóng - Winamp");

    SetForegroundWindow(playerWindow_);
    std::this_thread::sleep_for(Millis(200));
    ASSERT_EQ(GetForegroundWindow(), playerWindow_);

    SendMessageW(playerWindow_, WM_COMMAND, 40045, 0);
    SendMessageW(playerWindow_, WM_COMMAND, 40194, 0);
    // Already there when the send returns: a sender may look for it straight away.
    const HWND dialog = FindTopLevel(kDialogClass, kJumpDialogTitle, player_.id());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Log(), (std::vector<std::uint64_t>{40045, 40194}));

    std::this_thread::sleep_for(Millis(300));
    EXPECT_NE(GetForegroundWindow(), dialog) << "the dialog must not come forward by itself";
    // ...but another process can bring it forward, which is what Tunewarden does.
    SetForegroundWindow(dialog);
    std::this_thread::sleep_for(Millis(200));
    EXPECT_EQ(GetForegroundWindow(), dialog);

    SendMessageW(playerWindow_, WM_COMMAND, 40194, 0);
    EXPECT_EQ(FindTopLevel(kDialogClass, kJumpDialogTitle, player_.id()), dialog)
        << "a second Jump to file opened a second dialog";
}

TEST_F(StandIn, HangsOnEveryCommandWhenAsked) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer(kDefaultCaption, 3000));
    DWORD_PTR result = 0;
    const auto sent = Clock::now();
    EXPECT_EQ(SendMessageTimeoutW(playerWindow_, WM_COMMAND, 40048, 0, SMTO_NORMAL, 500, &result),
              0);
    EXPECT_GE(Clock::now() - sent, Millis(450));
    // Logged on arrival, so a test can tell "never sent" from "sent to a hung player".
    EXPECT_EQ(WaitForLogEntries(LogPath(), 1, Millis(1000)), (std::vector<std::uint64_t>{40048}));
}

TEST_F(StandIn, ChordFromHereReachesKeyStateOfOtherProcesses) {
    const std::filesystem::path output = folder_.path() / L"watch.txt";
    std::wstring error;
    Process watcher =
        Process::Launch(ExeDirectory() / L"twdrive.exe", {L"watch", L"8000", L"17", L"96"},
                        folder_.path(), &error, output);
    ASSERT_TRUE(watcher.started());
    ASSERT_TRUE(WaitForText(output, "watching", Millis(10000)));

    ASSERT_TRUE(HoldChord({kVkControl, VK_NUMPAD0}, kShortHold));
    EXPECT_TRUE(WaitForText(output, "96 up", Millis(2000)));
    watcher.Kill();
    const std::string seen = ReadText(output);
    for (const char* change : {" 17 down", " 96 down", " 96 up", " 17 up"}) {
        EXPECT_NE(seen.find(change), std::string::npos) << change << " missing from:\n" << seen;
    }
}

}  // namespace
}  // namespace tw::e2e
