#include "platform/win32/win32_system.h"

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <limits>
#include <utility>
#include <vector>

#include "platform/command_line.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/text.h"
#include "platform/win32/units.h"
#include "platform/win32/win32_form.h"
#include "platform/win32_rules.h"

namespace tw::platform::win32 {

namespace {

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// How long a command to another program may take before that program counts as hung.
constexpr UINT kSendTimeoutMs = 3000;
// The portable rules spell the error codes out; they must be the header's.
static_assert(win32_rules::kErrorSuccess == ERROR_SUCCESS &&
              win32_rules::kErrorAccessDenied == ERROR_ACCESS_DENIED &&
              win32_rules::kErrorAlreadyExists == ERROR_ALREADY_EXISTS &&
              win32_rules::kErrorTimeout == ERROR_TIMEOUT);
// Far more windows of one class than any desktop has.
constexpr std::size_t kMaxWindowsOfClass = 1024;

// A message to another program's window that waits for it a bounded time only.
SendResult SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return SendResult::Delivered;
    }
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    const LRESULT sent = SendMessageTimeoutW(
        window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    const DWORD error = GetLastError();
    return win32_rules::SendOutcome(sent != 0, error, IsWindow(window) != FALSE);
}

std::wstring SettingsKey(std::string_view app, std::string_view section) {
    return L"Software\\" + Widen(app) + L"\\" + Widen(section);
}

}  // namespace

// --- Keyboard -----------------------------------------------------------------------

std::int16_t Win32System::AsyncKeyState(int virtualKey) {
    return static_cast<std::int16_t>(GetAsyncKeyState(virtualKey));
}

// --- Other programs' windows ----------------------------------------------------------

WindowHandle Win32System::FindTopLevelWindow(std::string_view className,
                                             std::optional<std::string_view> title) {
    const std::wstring wideClass = Widen(className);
    const std::wstring wideTitle = title ? Widen(*title) : std::wstring();
    const HWND found = FindWindowW(wideClass.c_str(), title ? wideTitle.c_str() : nullptr);
    return reinterpret_cast<WindowHandle>(found);
}

std::vector<WindowHandle> Win32System::TopLevelWindowsOfClass(std::string_view className) {
    const std::wstring wideClass = Widen(className);
    std::vector<WindowHandle> found;
    // Front to back. The bound keeps a window list that changes under the walk
    // from sending it round in circles.
    HWND window = nullptr;
    while (found.size() < kMaxWindowsOfClass &&
           (window = FindWindowExW(nullptr, window, wideClass.c_str(), nullptr)) != nullptr) {
        found.push_back(reinterpret_cast<WindowHandle>(window));
    }
    return found;
}

std::string Win32System::WindowCaption(WindowHandle window) {
    return WindowText(ToHwnd(window));
}

std::string Win32System::ProcessFileName(WindowHandle window) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(ToHwnd(window), &processId) == 0) {
        return {};
    }
    // Limited information is granted for other users' and elevated programs too,
    // and none of these calls waits on the program.
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return {};
    }
    std::wstring path(32768, L'\0');
    auto size = static_cast<DWORD>(path.size());
    const BOOL named = QueryFullProcessImageNameW(process, 0, path.data(), &size);
    CloseHandle(process);
    if (!named) {
        return {};
    }
    path.resize(size);
    const auto slash = path.find_last_of(L"\\/");
    return Narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

SendResult Win32System::SendCommand(WindowHandle window, std::uint32_t commandId) {
    // The receiver gets a pointer to a 1 in lParam, as it always has.
    int one = 1;
    return SendBounded(ToHwnd(window), WM_COMMAND, static_cast<WPARAM>(commandId),
                       reinterpret_cast<LPARAM>(&one));
}

SendResult Win32System::SendAppCommand(WindowHandle window, std::uint16_t appCommand) {
    // As a media key sends it: the window it is meant for, and the command in the
    // high word with FAPPCOMMAND_KEY and no keys held.
    return SendBounded(ToHwnd(window), WM_APPCOMMAND, reinterpret_cast<WPARAM>(ToHwnd(window)),
                       MAKELPARAM(0, appCommand | FAPPCOMMAND_KEY));
}

void Win32System::SetTopmost(WindowHandle window, bool topmost) {
    // SWP_NOACTIVATE: raising an informative popup must not take the focus from the game.
    // SWP_ASYNCWINDOWPOS: another program's window is only asked, never waited on, so a
    // hung player cannot freeze this one; the program's own windows are placed at once.
    SetWindowPos(ToHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void Win32System::BringToForeground(WindowHandle window) {
    // Activating a window talks to its thread and waits for it: a hung player's
    // dialog would freeze the program, hotkeys and announcer included.
    if (IsHungAppWindow(ToHwnd(window)) != FALSE) {
        return;
    }
    SetForegroundWindow(ToHwnd(window));
}

// --- The system's media session --------------------------------------------------------

void Win32System::StartMediaSession() {
    if (!mediaSession_) {
        mediaSession_ = std::make_unique<MediaSessionWorker>();
        mediaSession_->Start();
    }
}

MediaSession Win32System::MediaSessionSnapshot() {
    return mediaSession_ ? mediaSession_->Snapshot() : MediaSession{};
}

void Win32System::QueueMediaCommand(const MediaRequest& request) {
    if (mediaSession_) {
        mediaSession_->Queue(request);
    }
}

// --- Screen ---------------------------------------------------------------------------

ScreenInfo Win32System::Screen() {
    const platform::Units& units = ScreenUnits();
    ScreenInfo info;
    info.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    info.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    info.twipsPerPixelX = units.twipsPerPixelX();
    info.twipsPerPixelY = units.twipsPerPixelY();
    return info;
}

bool Win32System::QueryTaskbarRect(PixelRect& rect) {
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &data) == 0) {
        return false;
    }
    rect = PixelRect{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
    return true;
}

// --- Monitors ------------------------------------------------------------------------------

Monitor Win32System::MonitorAt(PixelPoint point) {
    return DescribeMonitor(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST));
}

Monitor Win32System::MonitorOf(const PixelRect& rect) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    return DescribeMonitor(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

Monitor Win32System::MonitorOfWindow(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    if (hwnd == nullptr || IsWindow(hwnd) == FALSE) {
        return DescribeMonitor(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    }
    return DescribeMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

WindowHandle Win32System::ForegroundWindow() {
    return reinterpret_cast<WindowHandle>(GetForegroundWindow());
}

// --- The program's own windows ------------------------------------------------------------

std::unique_ptr<Form> Win32System::CreateForm(const FormDesc& desc, FormEvents& events) {
    return std::make_unique<Win32Form>(desc, events);
}

void Win32System::DoEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which is the one that ends on it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

// --- Process ------------------------------------------------------------------------------

std::string Win32System::CommandLine() {
    const wchar_t* line = GetCommandLineW();
    return line != nullptr ? std::string(ArgumentsOf(Narrow(line))) : std::string();
}

std::string Win32System::ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        // Truncated: long paths need more room.
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {};
    }
    path.resize(separator);
    return Narrow(path);
}

void Win32System::EndProcess() {
    ExitProcess(0);
}

bool Win32System::ClaimSingleInstance() {
    if (instanceMark_) {
        return true;
    }
    // Per session: a copy in another user's session has a keyboard of its own.
    UniqueHandle mark(CreateMutexW(nullptr, FALSE, L"Local\\Tunewarden.Running"));
    const DWORD error = GetLastError();
    if (!win32_rules::InstanceClaimed(static_cast<bool>(mark), error)) {
        return false;
    }
    instanceMark_ = std::move(mark);
    return true;
}

// --- Files --------------------------------------------------------------------------------

bool Win32System::IsNormalFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    constexpr DWORD kNotNormal =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (attributes & kNotNormal) == 0;
}

std::optional<std::string> Win32System::ReadFileStart(const std::string& path,
                                                      std::size_t maxBytes) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::size_t wanted = maxBytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) < wanted) {
        wanted = static_cast<std::size_t>(size.QuadPart);
    }
    std::string bytes(wanted, '\0');
    std::size_t total = 0;
    while (total < wanted) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(wanted - total, std::numeric_limits<DWORD>::max()));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + total, chunk, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            break;
        }
        total += read;
    }
    bytes.resize(total);
    return bytes;
}

bool Win32System::WriteWholeFile(const std::string& path, std::string_view bytes) {
    HANDLE opened = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return false;
    }
    UniqueFile file(opened);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(bytes.size() - total, std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + total, chunk, &written, nullptr) ||
            written == 0) {
            return false;
        }
        total += written;
    }
    // Closing is where a full disk or a network share may still report the failure.
    return CloseHandle(file.release()) != FALSE;
}

// --- Text ---------------------------------------------------------------------------------

std::string Win32System::AnsiToUtf8(std::string_view ansi) {
    return Narrow(WidenAnsi(ansi));
}

// --- Settings -------------------------------------------------------------------------------

std::string Win32System::ReadSetting(std::string_view app, std::string_view section,
                                     std::string_view key) {
    const std::wstring subKey = SettingsKey(app, section);
    const std::wstring name = Widen(key);
    DWORD size = 0;
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ,
                                  nullptr, nullptr, &size);
    // The value may change between asking its size and reading it.
    for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS; ++attempt) {
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ,
                              nullptr, buffer.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            // The size counts the terminating null that RegGetValue guarantees.
            buffer.resize(wcsnlen(buffer.c_str(), bytes / sizeof(wchar_t)));
            return Narrow(buffer);
        }
        if (status == ERROR_MORE_DATA) {
            size = bytes;
            status = ERROR_SUCCESS;
        }
    }
    return {};
}

void Win32System::WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                               std::string_view value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    UniqueKey settings(opened);
    const std::wstring name = Widen(key);
    const std::wstring data = Widen(value);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    RegSetValueExW(settings.get(), name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

// --- Shell ------------------------------------------------------------------------------------

Win32System::~Win32System() {
    // A worker still inside a call into a session that does not answer keeps
    // using its object: it is left to the end of the process.
    if (mediaSession_ && !mediaSession_->Stop()) {
        static_cast<void>(mediaSession_.release());
    }
    if (comEntered_) {
        CoUninitialize();
    }
}

std::string Win32System::BrowseForFolder(WindowHandle owner, std::string_view prompt) {
    // The shell's dialog needs a single-threaded apartment on this, the UI thread; entered
    // here rather than at start because nothing else in the program uses COM.
    if (!comEntered_) {
        comEntered_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    const std::wstring title = Widen(prompt);
    BROWSEINFOW browse{};
    browse.hwndOwner = ToHwnd(owner);
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    const BOOL hasPath = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return hasPath ? Narrow(path) : std::string();
}

void Win32System::StartSystemProgram(std::string_view exeName, std::string_view commandLine) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    const std::wstring program = std::wstring(folder, length) + L'\\' + Widen(exeName);
    // By its full path: with no program name, CreateProcess would look in this program's
    // folder and the current one before the system folder. The command line is passed on as
    // given (the program reads an unquoted path with spaces itself); CreateProcess may write
    // into it.
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == FALSE) {
        return;
    }
    // The new program may take the foreground even if this one has lost it meanwhile.
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void Win32System::OpenLink(WindowHandle owner, std::string_view target) {
    // Nothing to do about a link the shell cannot open: it reports that itself.
    ShellExecuteW(ToHwnd(owner), L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32System::ShowInformation(WindowHandle owner, std::string_view text,
                                  std::string_view title) {
    MessageBoxW(ToHwnd(owner), Widen(text).c_str(), Widen(title).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace tw::platform::win32
