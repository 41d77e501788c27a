// The popup menu, opened from the notification-area icon as the shell would, and what hangs off
// it: docking, About, help, Quit, and the hand-over of a second start.
#include <algorithm>
#include <cstdlib>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

constexpr wchar_t kAboutClass[] = L"Tunewarden_About";
// 1890 x 3000 twips; its right edge 100 twips in from the screen's, 6.67 pixels.
constexpr LONG kMenuWidth = 126, kMenuHeight = 200, kMenuInset = 7;
// Tops in twips of the rows (each 255 high); 1650 twips in lies right of every caption.
constexpr int kTitleRow = 60, kDockTopLeftRow = 1320, kQuitRow = 2640;
constexpr int kRows[] = {420, 720, 1020, kDockTopLeftRow, 1620, 1980, 2280, kQuitRow};
constexpr Millis kMenuStillUpAt{4000}, kMenuGoneBy{7000};

// A point of a row, at the display's scale.
POINT OnRow(HWND menu, int rowTop, int twipsX = 1650) {
    const Box box = WindowBox(menu);
    return {box[0] + Scaled(twipsX / 15), box[1] + Scaled((rowTop + 127) / 15)};
}

class Menu : public DesktopTest {
  protected:
    // Leaves the menu, up, in menu_.
    void OpenMenu() {
        ASSERT_NO_FATAL_FAILURE(NotifyFromIcon(WM_RBUTTONUP));
        ASSERT_NE(menu_ = WaitForMenu(), nullptr) << "the icon's right click did not open the menu";
    }

    HWND menu_ = nullptr;
};

TEST_F(Menu, IconRightClickOpensItTopmostOnTheTaskbarForFiveSeconds) {
    const std::optional<RECT> taskbar = TaskbarPosition();
    ASSERT_TRUE(taskbar.has_value());
    ASSERT_GT(taskbar->top, GetSystemMetrics(SM_CYSCREEN) / 2) << "no taskbar along the bottom";
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"BL"}));
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    const auto opened = Clock::now();

    const LONG right = GetSystemMetrics(SM_CXSCREEN) - kMenuInset;
    const Box wanted{right - kMenuWidth, taskbar->top - kMenuHeight, right, taskbar->top};
    const auto inFront = [&] {
        return GetForegroundWindow() == menu_ &&
               (GetWindowLongW(menu_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_TRUE(PollUntil(Millis(2000), [&] { return WindowBox(menu_) == wanted && inFront(); }))
        << testing::PrintToString(WindowBox(menu_)) << " is not topmost in front at "
        << testing::PrintToString(wanted);

    std::this_thread::sleep_until(opened + kMenuStillUpAt);
    EXPECT_TRUE(IsWindowVisible(menu_)) << "the menu went before its five seconds were up";
    EXPECT_TRUE(PollUntil(kMenuGoneBy - kMenuStillUpAt, [&] { return !IsWindowVisible(menu_); }))
        << "the menu was still up " << kMenuGoneBy.count() << " ms after it opened";
}

// At any display scale: the menu is the design's size, every row lights up under the pointer
// alone (black, the others grey), and a click on a row acts and closes the menu.
TEST_F(Menu, RowsLightUpUnderThePointerAndActAtTheDisplaysScale) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"BR"}));
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    const Box box = WindowBox(menu_);
    EXPECT_EQ(box[2] - box[0], Scaled(kMenuWidth));
    EXPECT_EQ(box[3] - box[1], Scaled(kMenuHeight));
    // A row's colour is what most of its middle line shows: fonts differ in where their
    // letters reach at each scale.
    const auto colour = [&](int row) {
        const POINT left = OnRow(menu_, row, 60);
        return Mostly(left, OnRow(menu_, row, 1815).x - left.x, {kGrey, kBlack});
    };
    for (const int row : kRows) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(MoveTo(OnRow(menu_, row)));
        EXPECT_TRUE(PollUntil(Millis(2000), [&] {
            return std::ranges::all_of(
                kRows, [&](int other) { return colour(other) == (other == row ? kBlack : kGrey); });
        })) << "not the one row under the pointer lit";
    }
    ASSERT_TRUE(Click(OnRow(menu_, kDockTopLeftRow), Button::kLeft));
    EXPECT_TRUE(PollUntil(Millis(3000), [&] { return !IsWindowVisible(menu_); }))
        << "the menu stayed up after its row was clicked";
    // It goes to its new top first and then across, a few milliseconds apart.
    EXPECT_TRUE(RestsAt(mainWindow_, {0, 0, Scaled(kMainWidth), Scaled(kMainHeight)}));
}

TEST_F(Menu, TitleOpensAboutModallyOverTheBarAndOkClosesIt) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    // Centred over the bar in a corner, About would reach off the screen.
    ASSERT_TRUE(SetWindowPos(mainWindow_, nullptr, 400, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_TRUE(Click(OnRow(menu_, kTitleRow), Button::kLeft));
    const HWND about = WaitForShown(kAboutClass, tunewarden_.id(), Millis(5000));
    ASSERT_NE(about, nullptr) << "the menu's title did not open About";
    EXPECT_FALSE(IsWindowEnabled(mainWindow_)) << "About is not modal over the bar";
    const Box bar = WindowBox(mainWindow_), box = WindowBox(about);
    EXPECT_LE(std::abs((bar[0] + bar[2]) - (box[0] + box[2])), 1) << "not centred over the bar";
    EXPECT_LE(std::abs((bar[1] + bar[3]) - (box[1] + box[3])), 1) << "not centred over the bar";

    // The title band, 165 to 5625 twips across and 210 to 450 down, is black with white text
    // in its middle.
    POINT client{};
    ASSERT_TRUE(ClientToScreen(about, &client));
    EXPECT_TRUE(PollUntil(Millis(3000), [&] {
        const ScreenCopy band({client.x + 11, client.y + 14}, 364, 16);
        return band.Count({0, 0, 100, 16}, kBlack) + band.Count({264, 0, 364, 16}, kBlack) ==
                   16 * 200 &&
               band.Count({0, 0, 364, 16}, kWhite) >= 60;
    })) << "no white title in the black band";
    // Hotkeys go on while About is up: Control + keypad 0 still plays.
    std::this_thread::sleep_for(kFocusSettle);
    ASSERT_NO_FATAL_FAILURE(ExpectChordSends({VK_CONTROL, VK_NUMPAD0}, kPlay, 1));

    ASSERT_TRUE(Click({client.x + (2220 + 675) / 15, client.y + (2070 + 135) / 15}, Button::kLeft));
    EXPECT_TRUE(PollUntil(Millis(3000), [&] { return !IsWindow(about); })) << "OK left About up";
    EXPECT_TRUE(IsWindowEnabled(mainWindow_)) << "the bar stayed disabled";
}

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
        ASSERT_TRUE(ComesForward(mainWindow_))
            << "the icon's left click did not bring the bar forward";
        ASSERT_NO_FATAL_FAILURE(Chord({VK_F1}, Millis(50)));
    };
    ASSERT_NO_FATAL_FAILURE(pressF1());
    const HWND notepad = WaitForTopLevel(L"Notepad", nullptr, 0, Millis(10000));
    ASSERT_NE(notepad, nullptr) << "F1 opened no Notepad from the system folder";
    EXPECT_TRUE(PollUntil(Millis(3000), [&] {
        return WindowTitle(notepad).find(L"readme.txt") != std::wstring::npos;
    })) << "Notepad did not open the readme";
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
    EXPECT_TRUE(ComesForward(mainWindow_)) << "the running bar did not come forward";

    // Held four periods, a chord is seen by three to five ticks of one poller; two pollers
    // would send at least six times.
    std::this_thread::sleep_for(kFocusSettle);
    ASSERT_NO_FATAL_FAILURE(ExpectChordSends({VK_CONTROL, VK_NUMPAD0}, kPlay, 1, 4 * kTick));

    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_TRUE(Click(OnRow(menu_, kQuitRow), Button::kLeft));
    // The menu, the bar and Wine's stand-alone tray window, which goes with the last icon,
    // each leave the screen on the way out.
    EXPECT_TRUE(tunewarden_.WaitForExit(3 * kCloseGrace + Millis(1000))) << "Quit did not end it";
}

}  // namespace
}  // namespace tw::e2e
