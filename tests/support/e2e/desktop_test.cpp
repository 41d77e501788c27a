#include "desktop_test.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <utility>

// After <windows.h>, which it needs.
#include <shellapi.h>

namespace tw::e2e {

namespace {

// One argument as CommandLineToArgvW reads it back: backslashes double only before a quote.
// Plain words stay bare, as a user would type the switches.
std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    return quoted.append(backslashes * 2, L'\\') + L'"';
}

// The program that made the window, with its folder.
std::filesystem::path ImagePath(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::wstring path(32768, L'\0');
    auto size = static_cast<DWORD>(path.size());
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner);
    const bool named =
        process != nullptr && QueryFullProcessImageNameW(process, 0, path.data(), &size);
    if (process != nullptr) {
        CloseHandle(process);
    }
    path.resize(named ? size : 0);
    return path;
}

// A stand-in that a test copied into its folder.
bool IsCopiedStandIn(HWND window) {
    return ImagePath(window).parent_path().filename().wstring().starts_with(L"tw-e2e-");
}

// Programs left over by an earlier, crashed run would receive or send commands too. Of
// Chromium's class, only the stand-ins that the tests copied.
void KillOwnersOf(const wchar_t* windowClass, bool onlyCopies = false) {
    for (const HWND window : FindTopLevels(windowClass)) {
        if (onlyCopies && !IsCopiedStandIn(window)) {
            continue;
        }
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

std::string Difference(const std::string& what, int x, int y, COLORREF shown, COLORREF wanted) {
    std::ostringstream out;
    out << what << ": (" << x << ", " << y << ") is 0x" << std::hex << shown << ", not 0x"
        << wanted;
    return out.str();
}

constexpr WORD kHotkeyKeys[] = {VK_NUMPAD0, VK_NUMPAD1,  VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4,
                                VK_NUMPAD5, VK_NUMPAD6,  VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9,
                                VK_ADD,     VK_SUBTRACT, VK_DECIMAL, VK_CONTROL};

}  // namespace

std::filesystem::path ExeDirectory() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return std::filesystem::path(path).parent_path();
}

LONG Scaled(double designPixels) {
    // Read once, aware of the display's scale as the program is (its manifest says so).
    static const int dpi = [] {
        SetProcessDPIAware();
        const HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    return std::lround(designPixels * dpi / 96.0);
}

int DesignPixel(int pixel) {
    int design = 0;
    while (Scaled(design + 1) <= pixel) {
        ++design;
    }
    return design;
}

Box WindowBox(HWND window) {
    const RECT rect = WindowRect(window).value_or(RECT{});
    return {rect.left, rect.top, rect.right, rect.bottom};
}

testing::AssertionResult RestsAt(HWND window, const Box& wanted, Millis timeout) {
    PollUntil(timeout, [&] { return WindowBox(window) == wanted; });
    std::this_thread::sleep_for(kTick);
    const Box box = WindowBox(window);
    if (box == wanted) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the window is at " << testing::PrintToString(box)
                                       << ", not " << testing::PrintToString(wanted);
}

bool ComesForward(HWND window, Millis timeout) {
    return PollUntil(timeout, [&] { return GetForegroundWindow() == window; });
}

std::optional<RECT> TaskbarPosition() {
    APPBARDATA taskbar{};
    taskbar.cbSize = sizeof(taskbar);
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar) == 0) {
        return std::nullopt;
    }
    return taskbar.rc;
}

HWND VisibleTaskbar() {
    const HWND taskbar = WaitForTopLevel(L"Shell_TrayWnd", nullptr, 0, Millis(10000));
    return PollUntil(Millis(5000), [&] { return IsWindowVisible(taskbar) != FALSE; }) ? taskbar
                                                                                      : nullptr;
}

ScreenCopy::ScreenCopy(POINT origin, int width, int height) : width_(width), height_(height) {
    const HDC screen = GetDC(nullptr);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ before = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels_.push_back(GetPixel(copy, x, y));
        }
    }
    SelectObject(copy, before);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
}

int ScreenCopy::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (LONG y = std::max(area.top, 0L); y < std::min<LONG>(area.bottom, height_); ++y) {
        for (LONG x = std::max(area.left, 0L); x < std::min<LONG>(area.right, width_); ++x) {
            count += At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

int ScreenCopy::RowsShowing(const RECT& area, COLORREF colour) const {
    int rows = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        rows += Count({area.left, y, area.right, y + 1}, colour) > 0 ? 1 : 0;
    }
    return rows;
}

COLORREF Mostly(POINT left, LONG width, std::initializer_list<COLORREF> candidates) {
    const ScreenCopy line(left, width, 1);
    COLORREF most = CLR_INVALID;
    int mostCount = 0;
    for (const COLORREF candidate : candidates) {
        if (const int count = line.Count({0, 0, width, 1}, candidate); count > mostCount) {
            most = candidate;
            mostCount = count;
        }
    }
    return most;
}

std::vector<std::string> Differences(const ScreenCopy& copy, std::span<const Pixel> pixels) {
    std::vector<std::string> found;
    for (const Pixel& pixel : pixels) {
        if (const COLORREF shown = copy.At(pixel.x, pixel.y); shown != pixel.colour) {
            found.push_back(Difference(pixel.what, pixel.x, pixel.y, shown, pixel.colour));
        }
    }
    return found;
}

std::vector<std::string> Differences(const ScreenCopy& copy,
                                     const std::function<COLORREF(int x, int y)>& expected,
                                     const std::function<std::string(int x, int y)>& region) {
    std::vector<std::string> found;
    std::set<std::string> reported;
    for (int y = 0; y < copy.height(); ++y) {
        for (int x = 0; x < copy.width(); ++x) {
            const COLORREF shown = copy.At(x, y), wanted = expected(x, y);
            if (shown != wanted) {
                const std::string name = region(x, y);
                if (reported.insert(name).second) {
                    found.push_back(Difference(name, x, y, shown, wanted));
                }
            }
        }
    }
    return found;
}

std::string ReadAll(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string bytes;
    char buffer[4096];
    for (DWORD read = 0; ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0;) {
        bytes.append(buffer, read);
    }
    return bytes;
}

std::optional<std::string> FileBytes(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes = ReadAll(file);
    CloseHandle(file);
    return bytes;
}

testing::AssertionResult FileHolds(const std::filesystem::path& path, const std::string& wanted,
                                   Clock::time_point deadline) {
    std::optional<std::string> bytes;
    const Millis timeout = std::chrono::duration_cast<Millis>(deadline - Clock::now());
    if (PollUntil(
            timeout, [&] { return (bytes = FileBytes(path)) == wanted; }, Millis(20))) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << path.filename().string() << " holds " << testing::PrintToString(bytes) << ", not "
           << testing::PrintToString(wanted);
}

HANDLE LockFile(const std::filesystem::path& path) {
    HANDLE file = INVALID_HANDLE_VALUE;
    PollUntil(
        Millis(2000),
        [&] {
            file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            return file != INVALID_HANDLE_VALUE;
        },
        Millis(10));
    return file;
}

HWND WaitForShown(const wchar_t* windowClass, DWORD processId, Millis timeout, Millis step) {
    HWND window = nullptr;
    const bool shown = PollUntil(
        timeout,
        [&] {
            window = FindTopLevel(windowClass, nullptr, processId);
            return IsWindowVisible(window) != FALSE;
        },
        step);
    return shown ? window : nullptr;
}

std::wstring WindowTitle(HWND window) {
    std::wstring title(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    title.resize(
        static_cast<size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
    return title;
}

bool MoveWindowTo(HWND window, POINT to) {
    return SetWindowPos(window, nullptr, to.x, to.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool LeaveAfterADisplayChange(HWND window, POINT to) {
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    DWORD_PTR result = 0;
    return MoveWindowTo(window, to) &&
           SendMessageTimeoutW(window, WM_DISPLAYCHANGE, 32, size, SMTO_NORMAL, 5000, &result) != 0;
}

std::wstring RootClassAt(POINT point) {
    wchar_t name[256] = {};
    GetClassNameW(GetAncestor(WindowFromPoint(point), GA_ROOT), name, 256);
    return name;
}

// GetErrorMode lies at the same address in every process of the session, and its result is the
// thread's exit code.
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

HWND IconSink(HWND mainWindow) {
    return FindWindowExW(mainWindow, nullptr, L"Tunewarden_IconSink", nullptr);
}

namespace {
constexpr UINT kIconId = 1;
}  // namespace

bool RemoveIcon(HWND mainWindow) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = IconSink(mainWindow);
    icon.uID = kIconId;
    return Shell_NotifyIconW(NIM_DELETE, &icon) != FALSE;
}

// Wine 8 does not say where the icon is (E_NOTIMPL): its taskbar paints the icons itself, right
// of its buttons (child windows), on its own colour, and the test's icon is the only one there.
std::optional<RECT> FindIcon(HWND mainWindow, HWND taskbar) {
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = IconSink(mainWindow);
    icon.uID = kIconId;
    RECT rect{};
    if (SUCCEEDED(Shell_NotifyIconGetRect(&icon, &rect))) {
        return rect;
    }
    const RECT bar = WindowRect(taskbar).value_or(RECT{});
    LONG left = bar.left;
    for (HWND child = GetWindow(taskbar, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            left = std::max(left, WindowRect(child).value_or(RECT{}).right);
        }
    }
    const int width = bar.right - left, height = bar.bottom - bar.top;
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const ScreenCopy area({left, bar.top}, width, height);
    const COLORREF face = area.At(width - 1, 0);
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (area.At(x, y) != face) {
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    if (box.right == 0) {
        return std::nullopt;
    }
    OffsetRect(&box, left, bar.top);
    return box;
}

Planted::~Planted() {
    std::error_code error;
    std::filesystem::remove(path, error);
}

PutBack::~PutBack() {
    std::error_code error;
    std::filesystem::rename(from, to, error);
}

KeptSetting::KeptSetting(const std::wstring& section, std::wstring name)
    : key_(L"Software\\Tunewarden\\" + section), name_(std::move(name)), saved_(Read()) {}

KeptSetting::~KeptSetting() {
    if (saved_) {
        Write(*saved_);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
    }
}

std::optional<std::wstring> KeptSetting::Read() const {
    std::wstring value(4 * MAX_PATH, L'\0');
    auto size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(std::wcslen(value.c_str()));
    return value;
}

bool KeptSetting::Write(const std::wstring& value) const {
    return RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

bool Answers(HWND window, Millis timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(timeout.count()), &result) != 0;
}

std::string Process::Start(const std::filesystem::path& exe, const std::vector<std::wstring>& args,
                           const std::filesystem::path& workingDir) {
    Kill();
    std::wstring commandLine = Quote(exe.wstring());
    for (const std::wstring& arg : args) {
        commandLine += L' ' + Quote(arg);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // With the system's default error mode, not the test program's: what a program under test
    // shows of its own is then its own doing. Wine on a busy machine now and then loses a new
    // process before it has run any of its code (CreateProcess then fails with
    // ERROR_INTERNAL_ERROR); Windows does not, so that start is made again.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                           CREATE_DEFAULT_ERROR_MODE, nullptr, workingDir.wstring().c_str(),
                           &startup, &info)) {
            break;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            return "cannot start " + exe.string() + ", error " + std::to_string(error);
        }
        std::this_thread::sleep_for(Millis(200));
    }
    CloseHandle(info.hThread);
    handle_ = info.hProcess;
    id_ = info.dwProcessId;
    return {};
}

bool Process::Running() const {
    return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(Millis timeout) const {
    return handle_ != nullptr &&
           WaitForSingleObject(handle_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void Process::Kill() {
    if (handle_ != nullptr) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, 5000);
        CloseHandle(handle_);
        handle_ = nullptr;
    }
}

namespace {

// The media session double's state, beside it: none, no session.
std::filesystem::path MediaSessionState() {
    return ExeDirectory() / L"media-session.txt";
}

void EndMediaSession() {
    std::error_code error;
    std::filesystem::remove(MediaSessionState(), error);
}

}  // namespace

void DesktopTest::SetMediaSession(const std::string& state) const {
    std::ofstream(MediaSessionState(), std::ios::binary | std::ios::trunc)
        << state << "\nlog=" << (folder_ / L"media-session.log").string() << "\n";
}

void DesktopTest::SetUp() {
    // The program is DPI aware: the test reads the screen in the same pixels.
    SetProcessDPIAware();
    EndMediaSession();
    KillOwnersOf(kMainClass);
    KillOwnersOf(kPlayerClass);
    KillOwnersOf(kChromiumClass, true);
    ReleaseKeys(kHotkeyKeys);
    ASSERT_EQ(FindTopLevel(kMainClass), nullptr) << "a Tunewarden window survived the cleanup";
    ASSERT_EQ(FindTopLevel(kPlayerClass), nullptr) << "a player window survived the cleanup";
    static unsigned count = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("tw-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(std::filesystem::create_directory(folder_));
}

void DesktopTest::TearDown() {
    EndMediaSession();
    tunewarden_.Kill();
    player_.Kill();
    spotify_.Kill();
    browser_.Kill();
    ReleaseKeys(kHotkeyKeys);
    // A child that was just terminated can keep a file open for a moment.
    PollUntil(Millis(2000), [&] {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
        return !error;
    });
}

void DesktopTest::StartPlayer(const std::wstring& caption, unsigned hangMs) {
    const std::string error =
        player_.Start(ExeDirectory() / L"player-standin.exe",
                      {L"--caption", caption, L"--log", (folder_ / L"commands.log").wstring(),
                       L"--hang-ms", std::to_wstring(hangMs)},
                      folder_);
    ASSERT_EQ(error, "");
    playerWindow_ = WaitForTopLevel(kPlayerClass, nullptr, player_.id(), Millis(15000));
    ASSERT_NE(playerWindow_, nullptr) << "the stand-in player never showed its window";
}

void DesktopTest::StartChromium(Process& process, const wchar_t* exeName,
                                const std::wstring& caption, HWND& window) {
    for (const HWND other : FindTopLevels(kChromiumClass)) {
        ASSERT_TRUE(IsCopiedStandIn(other) ||
                    _wcsicmp(ImagePath(other).filename().c_str(), kSpotify) != 0)
            << "close Spotify: Tunewarden could drive it instead of the stand-in";
    }
    const std::filesystem::path exe = folder_ / exeName;
    std::filesystem::copy_file(ExeDirectory() / L"player-standin.exe", exe);
    const std::string error =
        process.Start(exe,
                      {L"--class", kChromiumClass, L"--caption", caption, L"--log",
                       (folder_ / (std::wstring(exeName) + L".log")).wstring()},
                      folder_);
    ASSERT_EQ(error, "");
    window = WaitForTopLevel(kChromiumClass, nullptr, process.id(), Millis(15000));
    ASSERT_NE(window, nullptr) << "the stand-in never showed its window";
}

void DesktopTest::StartSpotify(const std::wstring& caption) {
    StartChromium(spotify_, kSpotify, caption, spotifyWindow_);
}

void DesktopTest::StartBrowser(const std::wstring& caption) {
    StartChromium(browser_, kBrowser, caption, browserWindow_);
}

void DesktopTest::StartTunewarden(const std::vector<std::wstring>& switches) {
    ASSERT_EQ(tunewarden_.Start(ExeDirectory() / L"tunewarden.exe", switches, folder_), "");
    mainWindow_ = WaitForTopLevel(kMainClass, nullptr, tunewarden_.id(), Millis(15000));
    mainWindowUp_ = Clock::now();
    ASSERT_NE(mainWindow_, nullptr) << "Tunewarden never created its main window"
                                    << (tunewarden_.Running() ? "" : " (it has exited)");
    // The keyboard timer starts once the window is up; one period covers that.
    std::this_thread::sleep_for(kTick);
}

void DesktopTest::BringPlayerForward(HWND window) {
    window = window != nullptr ? window : playerWindow_;
    // Under load Wine now and then drops a request for the foreground from another process
    // (about one in thirty on a busy 2-core machine): asked again, it takes it.
    ASSERT_TRUE(PollUntil(Millis(6000), [&] {
        SetForegroundWindow(window);
        return ComesForward(window, Millis(1000));
    })) << "could not put the player in front";
    std::this_thread::sleep_for(kFocusSettle);
}

void DesktopTest::Chord(std::initializer_list<WORD> keys, Millis hold) {
    ASSERT_TRUE(HoldChord(keys, hold)) << "SendInput refused the chord";
}

std::vector<std::uint64_t> DesktopTest::Log(const std::wstring& exeName) const {
    std::vector<std::uint64_t> entries;
    std::ifstream in(folder_ / (exeName.empty() ? L"commands.log" : exeName + L".log"));
    // A line that is not a number ends the reading, which shows in the count.
    for (std::uint64_t value = 0; in >> value;) {
        entries.push_back(value);
    }
    return entries;
}

std::vector<std::uint64_t> DesktopTest::SentSince(size_t skip, size_t atLeast,
                                                  const std::wstring& exeName) {
    PollUntil(Millis(3000), [&] { return Log(exeName).size() >= skip + atLeast; });
    std::this_thread::sleep_for(kSettle);
    const std::vector<std::uint64_t> all = Log(exeName);
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(skip, all.size())), all.end()};
}

void DesktopTest::ExpectEachTick(const std::vector<std::uint64_t>& sent, std::uint64_t command,
                                 size_t perTick, Millis hold) {
    SCOPED_TRACE("sent " + testing::PrintToString(sent));
    const size_t periods = static_cast<size_t>(hold / kTick);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), command), std::ssize(sent))
        << "other commands were sent";
    EXPECT_GE(sent.size(), perTick * std::max<size_t>(periods - 1, 1));
    EXPECT_LE(sent.size(), perTick * (periods + 1));
    EXPECT_EQ(sent.size() % std::max<size_t>(perTick, 1), 0u);
}

void DesktopTest::ExpectChordSends(const std::vector<WORD>& keys, std::uint64_t command,
                                   size_t perTick, Millis hold, const std::wstring& exeName) {
    const size_t before = Log(exeName).size();
    if (perTick == kOncePerPress) {
        ASSERT_TRUE(HoldChord(keys, std::max(hold, 4 * kTick))) << "SendInput refused the chord";
        EXPECT_EQ(SentSince(before, 1, exeName), std::vector<std::uint64_t>{command});
        return;
    }
    ASSERT_TRUE(HoldChord(keys, hold)) << "SendInput refused the chord";
    ExpectEachTick(SentSince(before, perTick, exeName), command, perTick, hold);
}

void DesktopTest::NotifyFromIcon(UINT mouseMessage) const {
    const HWND sink = IconSink(mainWindow_);
    ASSERT_NE(sink, nullptr) << "no notification sink under the main window";
    // The message the program asked the shell for when it added the icon.
    ASSERT_TRUE(PostMessageW(sink, 512, 1, static_cast<LPARAM>(mouseMessage)));
}

void DesktopTest::ClickIcon(HWND taskbar, Button button) const {
    std::optional<RECT> icon;
    ASSERT_TRUE(PollUntil(Millis(5000), [&] {
        return (icon = FindIcon(mainWindow_, taskbar)).has_value();
    })) << "the icon is not in the notification area";
    ASSERT_TRUE(Click({(icon->left + icon->right) / 2, (icon->top + icon->bottom) / 2}, button));
}

HWND DesktopTest::WaitForMenu() const {
    return WaitForShown(kMenuClass, tunewarden_.id(), Millis(3000));
}

}  // namespace tw::e2e
