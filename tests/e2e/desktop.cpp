#include "desktop.h"

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace tw::e2e {

std::filesystem::path ExeDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::filesystem::path(buffer).parent_path();
}

TempDir::TempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    const auto stamp = static_cast<unsigned long long>(Clock::now().time_since_epoch().count());
    for (unsigned attempt = 0;; ++attempt) {
        std::filesystem::path candidate =
            base / (L"tw-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(stamp) + L"-" + std::to_wstring(attempt));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = std::move(candidate);
            return;
        }
        if (attempt > 100) {
            throw std::filesystem::filesystem_error("cannot create a test folder", candidate,
                                                    error);
        }
    }
}

TempDir::~TempDir() {
    // A child that was just terminated can keep a file open for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        if (!error) {
            return;
        }
        Sleep(100);
    }
}

Process::~Process() {
    Kill();
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return arg;
    }
    // Backslashes are literal except before a quote, where they must be doubled.
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

Process Process::Launch(const std::filesystem::path& exe, const std::vector<std::wstring>& args,
                        const std::filesystem::path& workingDir, std::wstring* error,
                        const std::filesystem::path& outputFile) {
    std::wstring commandLine = QuoteArgument(exe.wstring());
    for (const std::wstring& arg : args) {
        commandLine += L' ';
        commandLine += QuoteArgument(arg);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    HANDLE output = nullptr;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
        output = CreateFileW(outputFile.wstring().c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output == INVALID_HANDLE_VALUE) {
            if (error != nullptr) {
                *error = L"cannot create " + outputFile.wstring();
            }
            return {};
        }
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION info = {};
    const std::wstring directory = workingDir.wstring();
    const BOOL created =
        CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr,
                       output != nullptr, 0, nullptr, directory.c_str(), &startup, &info);
    const DWORD lastError = GetLastError();
    if (output != nullptr) {
        CloseHandle(output);
    }
    if (!created) {
        if (error != nullptr) {
            *error = L"CreateProcessW failed for " + commandLine + L" (error " +
                     std::to_wstring(lastError) + L")";
        }
        return {};
    }
    CloseHandle(info.hThread);
    Process process;
    process.process_ = info.hProcess;
    process.id_ = info.dwProcessId;
    return process;
}

bool Process::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(Millis timeout) const {
    return process_ != nullptr &&
           WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void Process::Kill() {
    if (process_ == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}

namespace {

struct WindowQuery {
    const wchar_t* windowClass;
    const wchar_t* title;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto& query = *reinterpret_cast<WindowQuery*>(param);
    wchar_t name[256] = {};
    if (GetClassNameW(window, name, 256) == 0 || std::wcscmp(name, query.windowClass) != 0) {
        return TRUE;
    }
    if (query.title != nullptr) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (std::wcscmp(text, query.title) != 0) {
            return TRUE;
        }
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (query.processId == 0 || owner == query.processId) {
        query.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> FindAll(const wchar_t* windowClass, const wchar_t* title, DWORD processId) {
    WindowQuery query{windowClass, title, processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

}  // namespace

HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId) {
    const std::vector<HWND> found = FindAll(windowClass, title, processId);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId,
                     Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const HWND window = FindTopLevel(windowClass, title, processId)) {
            return window;
        }
        if (Clock::now() >= deadline) {
            return nullptr;
        }
        std::this_thread::sleep_for(Millis(25));
    }
}

void KillOwnersOf(const wchar_t* windowClass) {
    for (const HWND window : FindAll(windowClass, nullptr, 0)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == 0 || owner == GetCurrentProcessId()) {
            continue;
        }
        if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

namespace {

INPUT KeyInput(WORD vk, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0u : static_cast<DWORD>(KEYEVENTF_KEYUP);
    return input;
}

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

}  // namespace

bool HoldChord(std::initializer_list<WORD> virtualKeys, Millis hold) {
    std::vector<INPUT> presses;
    for (const WORD vk : virtualKeys) {
        presses.push_back(KeyInput(vk, true));
    }
    std::vector<INPUT> releases;
    for (auto it = std::rbegin(virtualKeys); it != std::rend(virtualKeys); ++it) {
        releases.push_back(KeyInput(*it, false));
    }
    const bool pressed = Send(presses);
    std::this_thread::sleep_for(hold);
    const bool released = Send(releases);
    return pressed && released;
}

void ReleaseHotkeyKeys() {
    std::vector<INPUT> releases;
    for (WORD vk = VK_NUMPAD0; vk <= VK_DIVIDE; ++vk) {
        releases.push_back(KeyInput(vk, false));
    }
    for (const int vk : {VK_LCONTROL, VK_RCONTROL, VK_CONTROL}) {
        releases.push_back(KeyInput(static_cast<WORD>(vk), false));
    }
    Send(releases);
}

std::vector<std::uint64_t> ReadCommandLog(const std::filesystem::path& log) {
    std::vector<std::uint64_t> entries;
    std::ifstream in(log, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        // A line that is not a number is kept as 0 so it shows up in a failing assertion.
        std::uint64_t value = 0;
        std::istringstream(line) >> value;
        entries.push_back(value);
    }
    return entries;
}

std::vector<std::uint64_t> WaitForLogEntries(const std::filesystem::path& log, size_t count,
                                             Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        std::vector<std::uint64_t> entries = ReadCommandLog(log);
        if (entries.size() >= count || Clock::now() >= deadline) {
            return entries;
        }
        std::this_thread::sleep_for(Millis(25));
    }
}

size_t CountOf(const std::vector<std::uint64_t>& entries, std::uint64_t value) {
    return static_cast<size_t>(std::count(entries.begin(), entries.end(), value));
}

}  // namespace tw::e2e
