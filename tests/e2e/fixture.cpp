#include "fixture.h"

#include <thread>

namespace tw::e2e {

namespace {

std::string Narrow(const std::wstring& text) {
    return std::filesystem::path(text).string();
}

}  // namespace

void DesktopTest::SetUp() {
    // Programs left over by an earlier, crashed run would receive or send commands too.
    KillOwnersOf(kMainClass);
    KillOwnersOf(kPlayerClass);
    ReleaseHotkeyKeys();
    ASSERT_EQ(FindTopLevel(kMainClass), nullptr) << "a Tunewarden window survived the cleanup";
    ASSERT_EQ(FindTopLevel(kPlayerClass), nullptr) << "a player window survived the cleanup";
}

void DesktopTest::TearDown() {
    tunewarden_.Kill();
    player_.Kill();
    ReleaseHotkeyKeys();
}

void DesktopTest::StartPlayer(const std::wstring& caption, unsigned hangMs) {
    const std::filesystem::path exe = ExeDirectory() / L"player-standin.exe";
    ASSERT_TRUE(std::filesystem::exists(exe)) << exe.string() << " is missing";
    std::vector<std::wstring> args = {L"--caption", caption, L"--log", LogPath().wstring()};
    if (hangMs > 0) {
        args.insert(args.end(), {L"--hang-ms", std::to_wstring(hangMs)});
    }
    std::wstring error;
    player_ = Process::Launch(exe, args, folder_.path(), &error);
    ASSERT_TRUE(player_.started()) << Narrow(error);
    playerWindow_ = WaitForTopLevel(kPlayerClass, nullptr, player_.id(), Millis(15000));
    ASSERT_NE(playerWindow_, nullptr) << "the stand-in player never showed its window";
}

void DesktopTest::StartTunewarden(const std::vector<std::wstring>& switches) {
    const std::filesystem::path exe = ExeDirectory() / L"tunewarden.exe";
    ASSERT_TRUE(std::filesystem::exists(exe))
        << "tunewarden.exe is not beside the tests in " << ExeDirectory().string();
    std::wstring error;
    tunewarden_ = Process::Launch(exe, switches, folder_.path(), &error);
    ASSERT_TRUE(tunewarden_.started()) << Narrow(error);
    mainWindow_ = WaitForTopLevel(kMainClass, nullptr, tunewarden_.id(), Millis(15000));
    ASSERT_NE(mainWindow_, nullptr)
        << "Tunewarden never created a window of class " << Narrow(kMainClass)
        << (tunewarden_.Running() ? "" : " (it has exited)");
    // The keyboard timer starts once the window is up; one period covers that.
    std::this_thread::sleep_for(kTick);
}

void DesktopTest::Chord(std::initializer_list<WORD> keys, Millis hold) {
    ASSERT_TRUE(HoldChord(keys, hold)) << "SendInput refused the chord";
    std::this_thread::sleep_for(kSettle);
}

}  // namespace tw::e2e
