// Helpers for end-to-end tests that run Tunewarden, the stand-in player and real input on
// one Windows (or Wine) desktop.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace tw::e2e {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

inline constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";
inline constexpr wchar_t kMainClass[] = L"Tunewarden_frmMain";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kJumpDialogTitle[] = L"Jump to file";

// The folder holding the running test program; its sibling programs live there too.
std::filesystem::path ExeDirectory();

// A new, empty folder under %TEMP%, removed with everything in it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A child process that is terminated when the object goes away, whatever state it is in.
class Process {
  public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `exe` with `args` (quoted as needed) in `workingDir`, its standard output going
    // to `outputFile` when one is given. Returns a default (not started) object and fills
    // `error` when that fails.
    static Process Launch(const std::filesystem::path& exe, const std::vector<std::wstring>& args,
                          const std::filesystem::path& workingDir, std::wstring* error = nullptr,
                          const std::filesystem::path& outputFile = {});

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool Running() const;
    // True when the process has ended within `timeout`.
    bool WaitForExit(Millis timeout) const;
    void Kill();

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Builds one command-line argument that CommandLineToArgvW reads back unchanged.
std::wstring QuoteArgument(const std::wstring& arg);

// The first visible-or-not top-level window with this class (and title, when given) that
// belongs to `processId` (any process when 0); nullptr when there is none.
HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* title = nullptr, DWORD processId = 0);
HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId,
                     Millis timeout);

// Terminates every process that owns a top-level window of this class. Used to clear the
// desktop of programs a crashed earlier test may have left behind.
void KillOwnersOf(const wchar_t* windowClass);

// Holds the keys down together (pressed in order, released in reverse) for `hold`, with
// SendInput, so they reach the system-wide state that GetAsyncKeyState reads.
// Returns false when the system refused some of the input.
bool HoldChord(std::initializer_list<WORD> virtualKeys, Millis hold);
// Sends key-up for the modifiers and keypad keys, in case a previous run left one down.
void ReleaseHotkeyKeys();

// The stand-in player's command log: one number per line; a missing file reads as empty.
std::vector<std::uint64_t> ReadCommandLog(const std::filesystem::path& log);
// Polls the log until it holds at least `count` entries or `timeout` passes.
std::vector<std::uint64_t> WaitForLogEntries(const std::filesystem::path& log, size_t count,
                                             Millis timeout);
size_t CountOf(const std::vector<std::uint64_t>& entries, std::uint64_t value);

}  // namespace tw::e2e
