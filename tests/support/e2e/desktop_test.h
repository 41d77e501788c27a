// End-to-end tests: Tunewarden, the stand-in player and real input on one Windows (or Wine)
// desktop. Every test gets a clean desktop, a fresh folder and programs of its own, started
// from the folder that holds the test program.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "desktop_ops.h"

namespace tw::e2e {

using namespace tw::desktop;

inline constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";
// Spotify's class, shared with browsers and other programs built on Chromium.
inline constexpr wchar_t kChromiumClass[] = L"Chrome_WidgetWin_0";
inline constexpr wchar_t kMainClass[] = L"Tunewarden_frmMain";
inline constexpr wchar_t kMenuClass[] = L"Tunewarden_Menu";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kJumpDialogTitle[] = L"Jump to file";
inline constexpr wchar_t kDefaultCaption[] = L"12. Artist - Song - Winamp";
// The names the stand-in is copied under (StartSpotify, StartBrowser), which name their logs.
inline constexpr wchar_t kSpotify[] = L"Spotify.exe", kBrowser[] = L"chrome.exe";
inline constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255),
                          kGrey = RGB(128, 128, 128), kDarkGrey = RGB(64, 64, 64);
// The display's pixels for a figure of the design's (pixels at 96 DPI): scaled by DPI / 96
// and rounded as the program rounds, halves away from zero.
LONG Scaled(double designPixels);
// The design pixel that a pixel of the display lies in: at a higher scale each design pixel
// covers the display's from Scaled(n) up to Scaled(n + 1).
int DesignPixel(int pixel);

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
// The system's media session, the test double of tools/media-session-double: the name its log
// is read by (Log, SentSince), and what it logs for each command, the slot of the session's
// method that was called.
inline constexpr wchar_t kMediaSession[] = L"media-session";
inline constexpr std::uint64_t kTryPlay = 10, kTryPause = 11, kTryStop = 12, kTryFastForward = 14,
                               kTryRewind = 15, kTrySkipNext = 16, kTrySkipPrevious = 17,
                               kTryTogglePlayPause = 20;
// A log that must stay empty, printable as such.
inline const std::vector<std::uint64_t> kNothing;

// Tunewarden reads the keyboard every 250 ms. Under Wine the "pressed since the last query"
// bit of GetAsyncKeyState never shows Control, so a chord is seen only when a tick falls
// while it is held: a hold of n periods is seen by n - 1 to n + 1 ticks, and at least one.
inline constexpr Millis kTick{250};
inline constexpr Millis kShortHold{400};
// For ExpectChordSends: one command, however many ticks see the chord.
inline constexpr size_t kOncePerPress = static_cast<size_t>(-1);
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
// Whether the window reaches `wanted` within the timeout and is still there a tick later (a
// window that moves in steps may pass through it); the failure says where it is.
testing::AssertionResult RestsAt(HWND window, const Box& wanted, Millis timeout = Millis(3000));
// Whether the window is (or comes) in front within the timeout: generous, as a busy machine can
// keep another process from taking the foreground for seconds.
bool ComesForward(HWND window, Millis timeout = Millis(5000));
// The taskbar's rectangle as SHAppBarMessage(ABM_GETTASKBARPOS) answers it.
std::optional<RECT> TaskbarPosition();
// The shell's taskbar once it shows, or null after ten seconds.
HWND VisibleTaskbar();

// The screen's pixels in a rectangle, all copied at one moment.
class ScreenCopy {
  public:
    ScreenCopy(POINT origin, int width, int height);
    // (x, y) counts from the origin.
    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    int width() const { return width_; }
    int height() const { return height_; }
    // How many pixels of `area` (counted from the origin, right and bottom excluded) show
    // `colour`.
    int Count(const RECT& area, COLORREF colour) const;
    // How many rows of `area` show `colour` at all.
    int RowsShowing(const RECT& area, COLORREF colour) const;

  private:
    int width_, height_;
    std::vector<COLORREF> pixels_;
};

// Which of `candidates` most pixels of the screen's line from `left`, `width` long, show (the
// first of equals), or CLR_INVALID when none shows.
COLORREF Mostly(POINT left, LONG width, std::initializer_list<COLORREF> candidates);

// A pixel of a copy that must show a colour, named for the report.
struct Pixel {
    LONG x, y;
    COLORREF colour;
    const char* what;
};
// A line of the report, "<what>: (x, y) is 0x<shown>, not 0x<wanted>", for each pixel that
// differs (none: all as wanted).
std::vector<std::string> Differences(const ScreenCopy& copy, std::span<const Pixel> pixels);
// The copy against a drawn figure, `expected` giving each pixel's colour: the first pixel that
// differs in each region that `region` names (a region answers for all its pixels).
std::vector<std::string> Differences(const ScreenCopy& copy,
                                     const std::function<COLORREF(int x, int y)>& expected,
                                     const std::function<std::string(int x, int y)>& region);

// All of a file's bytes from its start.
std::string ReadAll(HANDLE file);
// A file's bytes, read with every sharing so as never to stand in a writer's way.
std::optional<std::string> FileBytes(const std::filesystem::path& path);

// The process's error mode, as GetErrorMode answers on a thread started inside it: Wine answers
// the hard-error mode query of another process with the caller's own.
std::optional<DWORD> ErrorModeOf(DWORD processId);

// The notification-area icon's window (a child of the main window), which the shell notifies.
HWND IconSink(HWND mainWindow);
// Takes the icon out of the notification area, as a shell that starts again has lost it.
bool RemoveIcon(HWND mainWindow);
// Where the shell shows the icon on `taskbar`, if it does.
std::optional<RECT> FindIcon(HWND mainWindow, HWND taskbar);

// A file that goes away however the test ends.
struct Planted {
    std::filesystem::path path;
    ~Planted();
};
// A file moved away that comes back however the test ends.
struct PutBack {
    std::filesystem::path from, to;
    ~PutBack();
};

// Polls the file every 20 ms until it holds `wanted`, up to the deadline; the failure shows what
// it held.
testing::AssertionResult FileHolds(const std::filesystem::path& path, const std::string& wanted,
                                   Clock::time_point deadline);
// The file opened without sharing, which refuses every writer; a writer may have it open this
// very moment, so this tries for two seconds (INVALID_HANDLE_VALUE when it never got it).
HANDLE LockFile(const std::filesystem::path& path);

// A top-level window of the class and process once it shows, or null after the timeout.
HWND WaitForShown(const wchar_t* windowClass, DWORD processId, Millis timeout,
                  Millis step = Millis(25));
std::wstring WindowTitle(HWND window);
// Moves another program's window, keeping its size and z-order and leaving the activation alone.
bool MoveWindowTo(HWND window, POINT to);
// Leaves the window at `to`, off every monitor, as a monitor that went would leave it, and tells
// it the display changed (WM_DISPLAYCHANGE): Xephyr cannot take a monitor away, so the change
// comes as the program sees it.
bool LeaveAfterADisplayChange(HWND window, POINT to);
// The class of the top-level window that shows at the screen point.
std::wstring RootClassAt(POINT point);

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
    // The stand-in copied as Spotify or a browser, with Chromium's window class, logging into
    // "<exe name>.log"; Spotify's window is left in spotifyWindow_, the browser's in
    // browserWindow_.
    void StartSpotify(const std::wstring& caption);
    void StartBrowser(const std::wstring& caption);
    // Gives the system a current media session, in the lines of the double's state file
    // (status=Playing, title=..., ...), logging into "media-session.log"; the session goes
    // with the test.
    void SetMediaSession(const std::string& state) const;
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
    // Holds the chord and expects of what it sent to the player (or the stand-in `exeName`)
    // what ExpectEachTick does; with `perTick` kOncePerPress, held for four ticks at least,
    // exactly one `command`, as a row that acts once per press sends it.
    void ExpectChordSends(const std::vector<WORD>& keys, std::uint64_t command, size_t perTick,
                          Millis hold = kShortHold, const std::wstring& exeName = {});
    // Posts the icon's sink what the shell sends when the mouse does `mouseMessage` on the
    // icon.
    void NotifyFromIcon(UINT mouseMessage) const;
    // Clicks the middle of Tunewarden's icon on the shell's `taskbar` once it shows there.
    void ClickIcon(HWND taskbar, Button button) const;
    // Tunewarden's popup menu once it shows, or null after three seconds.
    HWND WaitForMenu() const;

    std::filesystem::path folder_;
    Process player_;
    Process tunewarden_;
    Process spotify_;
    Process browser_;
    HWND playerWindow_ = nullptr;
    HWND spotifyWindow_ = nullptr;
    HWND browserWindow_ = nullptr;
    HWND mainWindow_ = nullptr;
    Clock::time_point mainWindowUp_;

  private:
    void StartChromium(Process& process, const wchar_t* exeName, const std::wstring& caption,
                       HWND& window);
};

}  // namespace tw::e2e
