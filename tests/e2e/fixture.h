// Test fixture: a clean desktop, a fresh working folder, and the programs under test started
// from the folder that holds the test program.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "desktop.h"

namespace tw::e2e {

// Tunewarden reads the keyboard every 250 ms. Under Wine the "pressed since the last query"
// bit of GetAsyncKeyState never shows Control, so a chord is seen only when a tick falls
// while it is held: any hold longer than one period is seen by at least one tick, and a
// hold shorter than two periods by at most two.
inline constexpr Millis kTick{250};
inline constexpr Millis kShortHold{400};
// Long enough for a send that a tick started just before the release to land in the log,
// and for the next tick to see that the keys are up.
inline constexpr Millis kSettle{700};

inline constexpr WORD kVkControl = VK_CONTROL;

inline constexpr wchar_t kDefaultCaption[] = L"12. Test Artist - Test Song - Winamp";

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Each leaves its window handle in the member below; fatal test failure if it does not
    // come up. Use with ASSERT_NO_FATAL_FAILURE.
    void StartPlayer(const std::wstring& caption = kDefaultCaption, unsigned hangMs = 0);
    // `switches` are the start switches, e.g. {L"-dock", L"BR"} or {L"-a"}.
    void StartTunewarden(const std::vector<std::wstring>& switches = {});

    std::filesystem::path LogPath() const { return folder_.path() / L"commands.log"; }
    std::vector<std::uint64_t> Log() const { return ReadCommandLog(LogPath()); }
    // Holds the chord, then waits until Tunewarden is done acting on it.
    void Chord(std::initializer_list<WORD> keys, Millis hold = kShortHold);

    TempDir folder_;
    Process player_;
    Process tunewarden_;
    HWND playerWindow_ = nullptr;
    HWND mainWindow_ = nullptr;
};

}  // namespace tw::e2e
