// End-to-end tests: Tunewarden, the stand-in player and real input on one Windows (or Wine)
// desktop. Every test gets a clean desktop, a fresh folder and programs of its own, started
// from the folder that holds the test program.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "desktop_ops.h"

namespace tw::e2e {

using namespace tw::desktop;

inline constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";
// Spotify's class, shared with browsers and other programs built on Chromium.
inline constexpr wchar_t kChromiumClass[] = L"Chrome_WidgetWin_0";
inline constexpr wchar_t kMainClass[] = L"Tunewarden_frmMain";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kJumpDialogTitle[] = L"Jump to file";
inline constexpr wchar_t kDefaultCaption[] = L"12. Artist - Song - Winamp";
// The display's pixels for a figure of the design's (pixels at 96 DPI): scaled by DPI / 96
// and rounded as the program rounds, halves away from zero.
LONG Scaled(double designPixels);

// The main window, 2835 twips wide at 15 twips per pixel, is 4350 twips high in Normal Mode,
// 240 in Small Mode and 600 in Small Mouse Mode; the tests that use these run at 96 DPI.
inline constexpr LONG kMainWidth = 189;
inline constexpr LONG kMainHeight = 290, kSmallHeight = 16, kSmallMouseHeight = 40;

// Player commands, as the stand-in logs them.
inline constexpr std::uint64_t kPrevious = 40044, kPlay = 40045, kPause = 40046, kStop = 40047,
                               kNext = 40048, kVolumeUp = 40058, kVolumeDown = 40059,
                               kRewind = 40144, kFastForward = 40148, kJumpToFile = 40194;
// WM_APPCOMMAND's lParam as a media key gives it, as the stand-in logs it.
inline constexpr std::uint64_t kAppNext = 11 << 16, kAppPrevious = 12 << 16,
                               kAppPlayPause = 14 << 16;

// Tunewarden reads the keyboard every 250 ms. Under Wine the "pressed since the last query"
// bit of GetAsyncKeyState never shows Control, so a chord is seen only when a tick falls
// while it is held: a hold of n periods is seen by n - 1 to n + 1 ticks, and at least one.
inline constexpr Millis kTick{250};
inline constexpr Millis kShortHold{400};
// Long enough for a send that a tick started just before the release to land in the log,
// and for the next tick to see that the keys are up.
inline constexpr Millis kSettle{700};
// When a window takes the X focus, Wine reads Control, Shift and Alt back from the X server,
// where the keys that SendInput pressed are up: a chord waits this long after a window came
// forward, or its Control may be let go under it.
inline constexpr Millis kFocusSettle{500};
// Closing may take this long: under Wine without a window manager, hiding a window alone can
// block for a second or two.
inline constexpr Millis kCloseGrace{2000};

// The folder of the running test program, which holds the programs under test too.
std::filesystem::path ExeDirectory();

// A window's left, top, right and bottom on the screen (all zero when it is gone): comparable
// and printable.
using Box = std::array<LONG, 4>;
Box WindowBox(HWND window);

// The screen's pixels in a rectangle, all copied at one moment.
class ScreenCopy {
  public:
    ScreenCopy(POINT origin, int width, int height);
    // (x, y) counts from the origin.
    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

  private:
    int width_;
    std::vector<COLORREF> pixels_;
};

// A value in the program's settings, HKCU\Software\Tunewarden\<section>, that belongs to the
// user: what it held before the object existed is put back when the object goes away.
class KeptSetting {
  public:
    KeptSetting(const std::wstring& section, std::wstring name);
    ~KeptSetting();
    KeptSetting(const KeptSetting&) = delete;
    KeptSetting& operator=(const KeptSetting&) = delete;

    std::optional<std::wstring> Read() const;
    bool Write(const std::wstring& value) const;

  private:
    std::wstring key_, name_;
    std::optional<std::wstring> saved_;
};

// Whether the window's thread takes a message sent to it within the timeout.
bool Answers(HWND window, Millis timeout = Millis(2000));

// A child process, terminated when the object goes away or starts another.
class Process {
  public:
    Process() = default;
    ~Process() { Kill(); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // `args` are quoted as needed; returns the reason when the start failed.
    std::string Start(const std::filesystem::path& exe, const std::vector<std::wstring>& args,
                      const std::filesystem::path& workingDir);
    DWORD id() const { return id_; }
    bool Running() const;
    bool WaitForExit(Millis timeout) const;
    void Kill();

  private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Each leaves its window in the member below, or fails fatally: use with
    // ASSERT_NO_FATAL_FAILURE.
    void StartPlayer(const std::wstring& caption = kDefaultCaption, unsigned hangMs = 0);
    // The stand-in copied under another program name, with Chromium's window class, logging
    // into "<exeName>.log": "Spotify.exe" is Spotify, "chrome.exe" a browser.
    void StartChromium(Process& process, const wchar_t* exeName, const std::wstring& caption,
                       HWND& window);
    // `switches` are the start switches, e.g. {L"-dock", L"BR"}.
    void StartTunewarden(const std::vector<std::wstring>& switches = {});
    // Puts the stand-in (or the window given) in front, where the game would be, ready for
    // chords.
    void BringPlayerForward(HWND window = nullptr);

    void Chord(std::initializer_list<WORD> keys, Millis hold = kShortHold);
    // The player stand-in's log, or that of the stand-in started as `exeName`.
    std::vector<std::uint64_t> Log(const std::wstring& exeName = {}) const;
    // The commands logged after the first `skip`, once at least `atLeast` of them are there
    // (or a generous deadline has passed) and late ones have had time to land.
    std::vector<std::uint64_t> SentSince(size_t skip, size_t atLeast,
                                         const std::wstring& exeName = {});
    // What a chord held for `hold` sent: `command` `perTick` times on each tick that saw it
    // (0: nothing). A hold of n tick periods is seen by n - 1 to n + 1 ticks, and at least
    // one, which proves "k times per tick" without depending on where the ticks fall.
    static void ExpectEachTick(const std::vector<std::uint64_t>& sent, std::uint64_t command,
                               size_t perTick, Millis hold);

    std::filesystem::path folder_;
    Process player_;
    Process tunewarden_;
    HWND playerWindow_ = nullptr;
    HWND mainWindow_ = nullptr;
    Clock::time_point mainWindowUp_;
};

}  // namespace tw::e2e
