#include "desktop_test.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <fstream>
#include <system_error>
#include <utility>

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

Box WindowBox(HWND window) {
    const RECT rect = WindowRect(window).value_or(RECT{});
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ScreenCopy::ScreenCopy(POINT origin, int width, int height) : width_(width) {
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
    // shows of its own is then its own doing.
    if (!CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE, nullptr, workingDir.wstring().c_str(), &startup,
                        &info)) {
        return "cannot start " + exe.string() + ", error " + std::to_string(GetLastError());
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

void DesktopTest::SetUp() {
    // The program is DPI aware: the test reads the screen in the same pixels.
    SetProcessDPIAware();
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
    tunewarden_.Kill();
    player_.Kill();
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
                    _wcsicmp(ImagePath(other).filename().c_str(), L"Spotify.exe") != 0)
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
    SetForegroundWindow(window);
    ASSERT_TRUE(PollUntil(Millis(2000), [&] { return GetForegroundWindow() == window; }))
        << "could not put the player in front";
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

}  // namespace tw::e2e
