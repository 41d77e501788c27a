// Starts one program and measures it, for scripts/bench-wine.sh:
//
//   twprobe.exe FOLDER SETTLE_MS CPU_MS LIFE_MS PROGRAM [ARGUMENTS...]
//
// runs PROGRAM in FOLDER and prints one line of name=value pairs:
//   start_ms           from CreateProcess to the first visible top-level window of the child
//   cpu_start_ms       the child's user + system time at that moment
//   rss_start_kb       its resident memory then
//   private_start_kb   its private resident memory then (pages no other process maps)
//   cpu_ms             user + system time used over CPU_MS, from SETTLE_MS after the window
//   server_cpu_ms      what the wineserver used over the same time
//   rss_end_kb, private_end_kb   the memory figures LIFE_MS after the start
// then closes the child (WM_CLOSE, then TerminateProcess if it lingers). Exit status 2 when
// the child showed no window.
//
// The window is found through Wine's own window list, but the CPU and memory figures come
// from Linux's /proc of the child's Wine process, read through the Z: drive: Wine 8 answers
// GetProcessMemoryInfo on another process with a PrivateUsage of 0, and the per-process
// times it reports for another process are coarse and stand still while the child polls.
// A program's calls into the wineserver cost the server's CPU, not its own, so the server's
// share is reported beside the child's. Under Windows there is no /proc: the figures read 0.
#include <windows.h>
// After <windows.h>, which they need.
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kCloseGraceMs = 5000;

struct Search {
    DWORD processId;
    bool visible = false;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId) {
        search.windows.push_back(window);
        if (IsWindowVisible(window) != FALSE) {
            search.visible = true;
        }
    }
    return TRUE;
}

Search WindowsOf(DWORD processId) {
    Search search{processId, false, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / ticksPerMs;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

void SleepUntil(LARGE_INTEGER from, double ms) {
    for (;;) {
        const double left = ms - Milliseconds(from, Now());
        if (left <= 0) {
            return;
        }
        Sleep(static_cast<DWORD>(left) + 1);
    }
}

std::string ReadWholeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != FALSE && got > 0) {
        text.append(buffer, got);
    }
    CloseHandle(file);
    return text;
}

std::wstring ProcFile(unsigned long pid, const wchar_t* name) {
    return L"Z:\\proc\\" + std::to_wstring(pid) + L"\\" + name;
}

unsigned long OwnUnixPid() {
    return std::strtoul(ReadWholeFile(L"Z:\\proc\\self\\stat").c_str(), nullptr, 10);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

// The first Linux process after `after` that `matches` (given its pid); 0 when there is none
// yet.
template <class Match>
unsigned long FindUnixPid(Match matches, unsigned long after) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    unsigned long found = 0;
    do {
        wchar_t* end = nullptr;
        const unsigned long pid = std::wcstoul(entry.cFileName, &end, 10);
        if (end != entry.cFileName && *end == L'\0' && pid > after && matches(pid)) {
            found = pid;
        }
    } while (found == 0 && FindNextFileW(search, &entry) != FALSE);
    FindClose(search);
    return found;
}

// Whether the process's /proc file `what` starts with `prefix`. Wine puts a program's Windows
// command line in "cmdline".
bool ProcFileStartsWith(unsigned long pid, const wchar_t* what, const std::string& prefix) {
    return StartsWithNoCase(ReadWholeFile(ProcFile(pid, what)), prefix);
}

// The value of `name` in a /proc environ file, whose entries end with a zero byte; empty when
// it is not there.
std::string EnvironmentValue(const std::string& entries, const std::string& name) {
    const std::string key = name + "=";
    for (std::size_t at = 0; at < entries.size();) {
        const std::size_t end = std::min(entries.find('\0', at), entries.size());
        if (entries.compare(at, key.size(), key) == 0) {
            return entries.substr(at + key.size(), end - at - key.size());
        }
        at = end + 1;
    }
    return {};
}

// This session's wineserver. Another Wine session on the machine (a second bench, a test run)
// has a server of its own, started with its own WINEPREFIX.
unsigned long OwnWineServerPid() {
    const std::string prefix =
        EnvironmentValue(ReadWholeFile(L"Z:\\proc\\self\\environ"), "WINEPREFIX");
    return FindUnixPid(
        [&](unsigned long pid) {
            return ProcFileStartsWith(pid, L"comm", "wineserver") &&
                   EnvironmentValue(ReadWholeFile(ProcFile(pid, L"environ")), "WINEPREFIX") ==
                       prefix;
        },
        0);
}

// Time on a CPU in ms, summed over the process's threads from /proc/PID/task/*/schedstat,
// which counts nanoseconds where /proc/PID/stat counts 10 ms ticks: an idle poller uses a
// few ms a minute. Threads that have ended are left out; a Wine program keeps its threads.
double CpuMs(unsigned long pid) {
    if (pid == 0) {
        return 0;
    }
    const std::wstring tasks = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\task\\";
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((tasks + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    unsigned long long nanoseconds = 0;
    do {
        if (entry.cFileName[0] != L'.') {
            const std::string schedstat = ReadWholeFile(tasks + entry.cFileName + L"\\schedstat");
            nanoseconds += std::strtoull(schedstat.c_str(), nullptr, 10);
        }
    } while (FindNextFileW(search, &entry) != FALSE);
    FindClose(search);
    return static_cast<double>(nanoseconds) / 1e6;
}

unsigned long long KbOf(const std::string& text, const char* key) {
    const std::size_t at = text.find(key);
    return at == std::string::npos
               ? 0
               : std::strtoull(text.c_str() + at + std::strlen(key), nullptr, 10);
}

struct Memory {
    unsigned long long residentKb = 0;
    unsigned long long privateKb = 0;
};

Memory MemoryOf(unsigned long pid) {
    Memory memory;
    if (pid == 0) {
        return memory;
    }
    memory.residentKb = KbOf(ReadWholeFile(ProcFile(pid, L"status")), "VmRSS:");
    const std::string rollup = ReadWholeFile(ProcFile(pid, L"smaps_rollup"));
    memory.privateKb = KbOf(rollup, "Private_Clean:") + KbOf(rollup, "Private_Dirty:");
    return memory;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) {
        narrow += static_cast<char>(c < 128 ? c : '?');
    }
    return narrow;
}

std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    for (const wchar_t c : argument) {
        if (c == L'"') {
            quoted += L'\\';
        }
        quoted += c;
    }
    return quoted + L"\"";
}

unsigned long Number(const wchar_t* text) {
    return std::wcstoul(text, nullptr, 10);
}

}  // namespace

int wmain() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 6) {
        std::fputs("usage: twprobe FOLDER SETTLE_MS CPU_MS LIFE_MS PROGRAM [ARGUMENTS...]\n",
                   stderr);
        return 64;
    }
    const std::wstring folder = argv[1];
    const double settleMs = Number(argv[2]);
    const double cpuWindowMs = Number(argv[3]);
    const double lifeMs = Number(argv[4]);
    std::wstring commandLine;
    for (int i = 5; i < argc; ++i) {
        commandLine += (i > 5 ? L" " : L"") + Quoted(argv[i]);
    }

    const unsigned long probePid = OwnUnixPid();
    const unsigned long serverPid = OwnWineServerPid();
    const std::string program = Narrow(argv[5]);
    const auto isChild = [&](unsigned long pid) {
        return ProcFileStartsWith(pid, L"cmdline", program);
    };

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    const LARGE_INTEGER launched = Now();
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &child) == FALSE) {
        std::fprintf(stderr, "twprobe: cannot start %ls (error %lu)\n", commandLine.c_str(),
                     GetLastError());
        return 1;
    }
    CloseHandle(child.hThread);

    // The Linux process is looked for while the window is awaited, so that the figures at
    // the window are read at once.
    unsigned long childPid = 0;
    LARGE_INTEGER shown{};
    bool visible = false;
    while (!visible && Milliseconds(launched, Now()) < kWindowTimeoutMs) {
        if (WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        visible = WindowsOf(child.dwProcessId).visible;
        shown = Now();
        if (!visible) {
            if (childPid == 0 && probePid != 0) {
                childPid = FindUnixPid(isChild, probePid);
            }
            Sleep(1);
        }
    }
    if (!visible) {
        std::fputs("twprobe: the program showed no window\n", stderr);
        TerminateProcess(child.hProcess, 1);
        CloseHandle(child.hProcess);
        return 2;
    }
    double cpuAtWindow = CpuMs(childPid);
    Memory atStart = MemoryOf(childPid);
    if (childPid == 0 && probePid != 0) {
        // Shown before its command line was seen: read as soon as it is found.
        childPid = FindUnixPid(isChild, probePid);
        cpuAtWindow = CpuMs(childPid);
        atStart = MemoryOf(childPid);
    }

    SleepUntil(shown, settleMs);
    const double cpuBefore = CpuMs(childPid);
    const double serverBefore = CpuMs(serverPid);
    SleepUntil(shown, settleMs + cpuWindowMs);
    const double cpuUsed = CpuMs(childPid) - cpuBefore;
    const double serverUsed = CpuMs(serverPid) - serverBefore;
    SleepUntil(launched, lifeMs);
    const Memory atEnd = MemoryOf(childPid);

    std::printf(
        "start_ms=%.1f cpu_start_ms=%.1f rss_start_kb=%llu private_start_kb=%llu "
        "cpu_ms=%.1f server_cpu_ms=%.1f rss_end_kb=%llu private_end_kb=%llu\n",
        Milliseconds(launched, shown), cpuAtWindow, atStart.residentKb, atStart.privateKb, cpuUsed,
        serverUsed, atEnd.residentKb, atEnd.privateKb);
    std::fflush(stdout);

    for (const HWND window : WindowsOf(child.dwProcessId).windows) {
        if (IsWindowVisible(window) != FALSE) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    if (WaitForSingleObject(child.hProcess, kCloseGraceMs) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 1);
        WaitForSingleObject(child.hProcess, kCloseGraceMs);
    }
    CloseHandle(child.hProcess);
    LocalFree(argv);
    return 0;
}
