// The popup menu, opened from the notification-area icon as the shell would, and what hangs off
// it: docking, About, help, Quit, and the hand-over of a second start.
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <system_error>

#include "desktop_test.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace tw::e2e {
namespace {

constexpr wchar_t kMenuClass[] = L"Tunewarden_Menu";
constexpr wchar_t kAboutClass[] = L"Tunewarden_About";
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kGrey = RGB(128, 128, 128);
// 1890 x 3000 twips; its right edge 100 twips in from the screen's, 6.67 pixels.
constexpr LONG kMenuWidth = 126, kMenuHeight = 200, kMenuInset = 7;
// Tops in twips of the rows used here (each 255 high); 1650 twips in lies right of every
// caption, so the row's own colour shows there.
constexpr int kTitleRow = 60, kDockTopLeftRow = 1320, kDockTopRightRow = 1620, kQuitRow = 2640;
constexpr int kRowClearX = 1650;
constexpr Millis kMenuStillUpAt{4000}, kMenuGoneBy{7000};

// A point of a row, at the display's scale.
POINT OnRow(HWND menu, int rowTop, int twipsX = kRowClearX) {
    const Box box = WindowBox(menu);
    return {box[0] + Scaled(twipsX / 15), box[1] + Scaled((rowTop + 127) / 15)};
}

COLORREF PixelAt(POINT point) {
    return ScreenCopy(point, 1, 1).At(0, 0);
}

class Menu : public DesktopTest {
  protected:
    // What the shell sends the icon's sink when the mouse does `mouseMessage` on the icon.
    void NotifyFromIcon(UINT mouseMessage) {
        const HWND sink = FindWindowExW(mainWindow_, nullptr, L"Tunewarden.IconSink", nullptr);
        ASSERT_NE(sink, nullptr) << "no notification sink under the main window";
        ASSERT_TRUE(PostMessageW(sink, 512, 1, static_cast<LPARAM>(mouseMessage)));
    }

    // Leaves the menu, up, in menu_.
    void OpenMenu() {
        ASSERT_NO_FATAL_FAILURE(NotifyFromIcon(WM_RBUTTONUP));
        menu_ = FindTopLevel(kMenuClass, nullptr, tunewarden_.id());
        ASSERT_TRUE(PollUntil(Millis(3000), [&] { return IsWindowVisible(menu_) != FALSE; }))
            << "the icon's right click did not open the menu";
    }

    // Hotkeys go on whatever window is up: Control + keypad 0 still plays.
    void ExpectHotkeyPlays() {
        std::this_thread::sleep_for(kFocusSettle);
        const size_t before = Log().size();
        ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD0}));
        const std::vector<std::uint64_t> sent = SentSince(before, 1);
        EXPECT_TRUE((sent == std::vector{kPlay} || sent == std::vector{kPlay, kPlay}))
            << testing::PrintToString(sent);
    }

    HWND menu_ = nullptr;
};

TEST_F(Menu, IconRightClickOpensItOnTheTaskbarForFiveSecondsLitUnderThePointerAndDocks) {
    APPBARDATA taskbar{};
    taskbar.cbSize = sizeof(taskbar);
    ASSERT_NE(SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar), 0u);
    ASSERT_GT(taskbar.rc.top, GetSystemMetrics(SM_CYSCREEN) / 2) << "no taskbar along the bottom";
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // Docked bottom left, the bar is clear of the menu and away from where Dock Top Left puts it.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"BL"}));
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    const auto opened = Clock::now();

    const LONG right = GetSystemMetrics(SM_CXSCREEN) - kMenuInset;
    const Box wanted{right - kMenuWidth, taskbar.rc.top - kMenuHeight, right, taskbar.rc.top};
    const auto inFront = [&] {
        return GetForegroundWindow() == menu_ &&
               (GetWindowLongW(menu_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_TRUE(PollUntil(Millis(2000), [&] { return WindowBox(menu_) == wanted && inFront(); }))
        << testing::PrintToString(WindowBox(menu_)) << " is not topmost in front at "
        << testing::PrintToString(wanted);

    // Grey once painted: a window not yet painted shows black too.
    ASSERT_TRUE(PollUntil(Millis(2000), [&] {
        return PixelAt(OnRow(menu_, kDockTopLeftRow)) == kGrey;
    })) << "the menu's rows are not grey";
    ASSERT_TRUE(MoveTo(OnRow(menu_, kDockTopLeftRow, kRowClearX - 150)));
    EXPECT_TRUE(PollUntil(Millis(2000), [&] {
        return PixelAt(OnRow(menu_, kDockTopLeftRow)) == kBlack;
    })) << "the row under the pointer did not turn black";
    EXPECT_EQ(PixelAt(OnRow(menu_, kDockTopRightRow)), kGrey) << "the next row lit up too";
    ASSERT_NO_FATAL_FAILURE(ExpectHotkeyPlays());

    std::this_thread::sleep_until(opened + kMenuStillUpAt);
    EXPECT_TRUE(IsWindowVisible(menu_)) << "the menu went before its five seconds were up";
    EXPECT_TRUE(PollUntil(kMenuGoneBy - kMenuStillUpAt, [&] { return !IsWindowVisible(menu_); }))
        << "the menu was still up " << kMenuGoneBy.count() << " ms after it opened";

    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_TRUE(Click(OnRow(menu_, kDockTopLeftRow), Button::kLeft));
    EXPECT_TRUE(PollUntil(Millis(3000), [&] { return !IsWindowVisible(menu_); }))
        << "the menu stayed up after its row was clicked";
    const Box topLeft{0, 0, kMainWidth, kMainHeight};
    // It goes to its new top first and then across, a few milliseconds apart: the top left may
    // be a stop on the way to another corner.
    PollUntil(Millis(3000), [&] { return WindowBox(mainWindow_) == topLeft; });
    std::this_thread::sleep_for(kTick);
    EXPECT_EQ(WindowBox(mainWindow_), topLeft);
}

// At any display scale: the menu is the design's size, every row lights up under the pointer
// alone, and a click on a row acts.
TEST_F(Menu, RowsLightUpUnderThePointerAndActAtTheDisplaysScale) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"BR"}));
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    const Box box = WindowBox(menu_);
    EXPECT_EQ(box[2] - box[0], Scaled(kMenuWidth));
    EXPECT_EQ(box[3] - box[1], Scaled(kMenuHeight));
    // A row's colour is what most of its middle line shows: fonts differ in where their
    // letters reach at each scale.
    const auto lit = [&](int row) {
        const POINT left = OnRow(menu_, row, 60), right = OnRow(menu_, row, 1815);
        const ScreenCopy line(left, right.x - left.x, 1);
        int black = 0;
        for (LONG x = 0; x < right.x - left.x; ++x) {
            black += line.At(x, 0) == kBlack ? 1 : line.At(x, 0) == kGrey ? -1 : 0;
        }
        return black > 0;
    };
    const int rows[] = {420, 720, 1020, 1320, 1620, 1980, 2280, 2640};
    for (const int row : rows) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(MoveTo(OnRow(menu_, row)));
        EXPECT_TRUE(PollUntil(Millis(2000), [&] {
            return std::ranges::all_of(rows,
                                       [&](int other) { return lit(other) == (other == row); });
        })) << "not the one row under the pointer lit";
    }
    ASSERT_TRUE(Click(OnRow(menu_, kDockTopLeftRow), Button::kLeft));
    const Box topLeft{0, 0, Scaled(kMainWidth), Scaled(kMainHeight)};
    EXPECT_TRUE(PollUntil(Millis(3000), [&] { return WindowBox(mainWindow_) == topLeft; }))
        << testing::PrintToString(WindowBox(mainWindow_));
}

TEST_F(Menu, TitleOpensAboutModallyOverTheBarAndOkClosesIt) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // Centred over the bar in a corner, About would reach off the screen.
    ASSERT_TRUE(SetWindowPos(mainWindow_, nullptr, 400, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_TRUE(Click(OnRow(menu_, kTitleRow), Button::kLeft));
    HWND about = nullptr;
    ASSERT_TRUE(PollUntil(Millis(5000), [&] {
        about = FindTopLevel(kAboutClass, nullptr, tunewarden_.id());
        return IsWindowVisible(about) != FALSE;
    })) << "the menu's title did not open About";
    EXPECT_FALSE(IsWindowEnabled(mainWindow_)) << "About is not modal over the bar";
    const Box bar = WindowBox(mainWindow_), box = WindowBox(about);
    EXPECT_LE(std::abs((bar[0] + bar[2]) - (box[0] + box[2])), 1) << "not centred over the bar";
    EXPECT_LE(std::abs((bar[1] + bar[3]) - (box[1] + box[3])), 1) << "not centred over the bar";

    // The title band, 165 to 5625 twips across and 210 to 450 down, is black with white text
    // in its middle.
    POINT client{};
    ASSERT_TRUE(ClientToScreen(about, &client));
    const auto titleWhite = [&] {
        const ScreenCopy band({client.x + 11, client.y + 14}, 364, 16);
        int white = 0, black = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 364; ++x) {
                white += band.At(x, y) == kWhite;
                black += band.At(x, y) == kBlack && (x < 100 || x >= 264);
            }
        }
        return black == 16 * 200 && white >= 60;
    };
    EXPECT_TRUE(PollUntil(Millis(3000), titleWhite)) << "no white title in the black band";
    ASSERT_NO_FATAL_FAILURE(ExpectHotkeyPlays());

    ASSERT_TRUE(Click({client.x + (2220 + 675) / 15, client.y + (2070 + 135) / 15}, Button::kLeft));
    EXPECT_TRUE(PollUntil(Millis(3000), [&] { return !IsWindow(about); })) << "OK left About up";
    EXPECT_TRUE(IsWindowEnabled(mainWindow_)) << "the bar stayed disabled";
}

// Puts a file back, however the test ends.
struct PutBack {
    std::filesystem::path from, to;
    ~PutBack() {
        std::error_code error;
        std::filesystem::rename(from, to, error);
    }
};

// A file that goes away however the test ends.
struct Planted {
    std::filesystem::path path;
    ~Planted() {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
};

TEST_F(Menu, F1OpensTheReadmeInNotepadOrSaysItIsMissing) {
    // A stranger's notepad.exe beside the program and in its current folder, where a search
    // by name would find it before the system's. Any program will do: one F1 starts one
    // program, so the real Notepad on the readme means neither of these ran.
    const Planted besideProgram{ExeDirectory() / L"notepad.exe"};
    for (const auto& folder : {ExeDirectory(), folder_}) {
        std::filesystem::copy_file(ExeDirectory() / L"player-standin.exe", folder / L"notepad.exe",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    const auto pressF1 = [&] {
        // The icon's left click gives the bar the keyboard.
        ASSERT_NO_FATAL_FAILURE(NotifyFromIcon(WM_LBUTTONUP));
        ASSERT_TRUE(PollUntil(Millis(2000), [&] { return GetForegroundWindow() == mainWindow_; }))
            << "the icon's left click did not bring the bar forward";
        ASSERT_NO_FATAL_FAILURE(Chord({VK_F1}, Millis(50)));
    };
    ASSERT_NO_FATAL_FAILURE(pressF1());
    const HWND notepad = WaitForTopLevel(L"Notepad", nullptr, 0, Millis(10000));
    ASSERT_NE(notepad, nullptr) << "F1 opened no Notepad from the system folder";
    const auto onReadme = [&] {
        wchar_t title[256] = {};
        GetWindowTextW(notepad, title, 256);
        return std::wcsstr(title, L"readme.txt") != nullptr;
    };
    EXPECT_TRUE(PollUntil(Millis(3000), onReadme)) << "Notepad did not open the readme";
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PollUntil(Millis(5000), [] { return FindTopLevel(L"Notepad") == nullptr; }));

    const PutBack readme{ExeDirectory() / L"readme.txt.away", ExeDirectory() / L"readme.txt"};
    std::filesystem::rename(readme.to, readme.from);
    ASSERT_NO_FATAL_FAILURE(pressF1());
    const HWND box =
        WaitForTopLevel(kDialogClass, L"Couldn't find Help file", tunewarden_.id(), Millis(5000));
    ASSERT_NE(box, nullptr) << "no message box for the missing readme";
    EXPECT_NE(FindWindowExW(box, nullptr, L"Static",
                            L"Could not find readme file. Please re-download and re-install this "
                            L"program."),
              nullptr);
    EXPECT_EQ(FindTopLevel(L"Notepad"), nullptr) << "Notepad opened without a readme";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PollUntil(Millis(3000), [&] { return !IsWindow(box); }));
}

TEST_F(Menu, ASecondStartHandsOverToTheFirstAndQuitEndsIt) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    ASSERT_NO_FATAL_FAILURE(BringPlayerForward());
    Process second;
    ASSERT_EQ(second.Start(ExeDirectory() / L"tunewarden.exe", {}, folder_), "");
    EXPECT_TRUE(second.WaitForExit(Millis(5000))) << "the second copy kept running";
    EXPECT_EQ(FindTopLevels(kMainClass).size(), 1u);
    EXPECT_TRUE(PollUntil(Millis(2000), [&] { return GetForegroundWindow() == mainWindow_; }))
        << "the running bar did not come forward";

    // Held four periods, a chord is seen by three to five ticks of one poller; two pollers
    // would send at least six times.
    std::this_thread::sleep_for(kFocusSettle);
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD0}, 4 * kTick));
    const std::vector<std::uint64_t> sent = SentSince(0, 3);
    EXPECT_EQ(std::ranges::count(sent, kPlay), std::ssize(sent)) << testing::PrintToString(sent);
    EXPECT_GE(sent.size(), 3u);
    EXPECT_LE(sent.size(), 5u);

    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_TRUE(Click(OnRow(menu_, kQuitRow), Button::kLeft));
    // The menu, the bar and Wine's stand-alone tray window, which goes with the last icon,
    // each leave the screen on the way out.
    EXPECT_TRUE(tunewarden_.WaitForExit(3 * kCloseGrace + Millis(1000))) << "Quit did not end it";
}

}  // namespace
}  // namespace tw::e2e
