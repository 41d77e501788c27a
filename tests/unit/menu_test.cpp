// The popup menu, driven by the pointer: its rows and what each does, the highlight, closing by
// itself, and the About window and help it opens; and the notification-area icon: what its
// clicks do, and the icon surviving a shell that restarts or refuses it.
#include "menu/frm_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/display_modes.h"
#include "core/menu_seam.h"
#include "menu/frm_about.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using platform::TwipRect;

using test::kRightClick;

// The program with its menu opened from the tray icon.
struct MenuApp : test::TestApp {
    MenuApp() {
        Start();
        NotifyIcon();
    }
    sim::SimForm& Menu() { return *Form("Menu"); }
    // A point of the row whose top is `top` twips down the menu.
    sim::PixelPoint Row(float top) {
        return Menu().At(platform::kFormSurface, 20, static_cast<int>(top / 15) + 8);
    }
    // The rows lit, by index.
    std::vector<int> Lit() {
        std::vector<int> lit;
        for (int index = 0; index < FrmMenu::kRows; ++index) {
            if (Menu().control(FrmMenu::lblMenu(index)).desc.backColour == 0) {
                lit.push_back(index);
            }
        }
        return lit;
    }
};

TEST(MenuTest, EachRowDoesWhatItSaysAndTheMenuCloses) {
    using Done = std::function<bool(MenuApp&)>;
    const auto at = [](TwipRect place) {
        return Done([place](MenuApp& a) { return a.MainForm().Bounds() == place; });
    };
    const auto announcerAt = [](float left, float top) {
        return Done([=](MenuApp& a) {
            return a.Form("frmAnnounce") && a.Announcer().IsVisible() &&
                   a.Announcer().Bounds() == TwipRect{left, top, 3495, 1920};
        });
    };
    const float bottom = 15 * 700 - 4350;
    const struct {
        float top;
        Done done;
        TwipRect bar{1500, 1500, 2835, 4350};
    } rows[] = {
        {420, [](MenuApp& a) { return a.MainForm().Bounds().height == 240; }},  // Switch Mode
        {720, at({0, bottom, 2835, 4350})},
        {1020, at({12525, bottom, 2835, 4350})},
        {1320, at({0, 0, 2835, 4350})},
        {1620, at({12525, 0, 2835, 4350})},
        // The announcer under the bar, or above it where under is off the work area: Small Mode
        // in a top corner; reaching exactly the work area's bottom (11070); one pixel further;
        // docked bottom right, where it stays on the screen; on the second monitor, right of
        // the primary and 9000 twips high.
        {1980, announcerAt(1500, 5850)},
        {1980, announcerAt(0, 240), {0, 0, 2835, 240}},
        {1980, announcerAt(1500, 9150), {1500, 4800, 2835, 4350}},
        {1980, announcerAt(1500, 4815 - 1920), {1500, 4815, 2835, 4350}},
        {1980, announcerAt(15360 - 3495, 6720 - 1920), {12525, 6720, 2835, 4350}},
        {1980, announcerAt(27360 - 3495, 5010 - 1920), {25005, 5010, 2835, 4350}},
        {2280, [](MenuApp& a) { return a.desktop.messageBoxes.size() == 1; }},  // Help
        {2640,
         [](MenuApp& a) {  // Quit
             return a.desktop.processEnded && a.desktop.trayIcons.empty() &&
                    a.Form("frmAnnounce") == nullptr;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.top << " under a bar at " << row.bar.top);
        MenuApp app;
        app.desktop.otherMonitors = {{{1024, 0, 1824, 600}, {1024, 0, 1824, 600}}};
        if (row.top == 2640) {
            app.forms.Load<FrmAnnounce>();  // Quit closes it too
            app.NotifyIcon();
        }
        app.MainForm().Move(row.bar.left, row.bar.top, row.bar.width, row.bar.height);
        app.desktop.taskbar = {0, 700, 1024, 768};  // read again by every row
        app.desktop.Click(app.Row(row.top));
        EXPECT_EQ(app.forms.module().TaskbarTop, 700);
        EXPECT_TRUE(row.done(app));
        EXPECT_TRUE(app.desktop.processEnded || !app.Menu().IsVisible());
    }
}

TEST(MenuTest, RowsLightUnderThePointerWithNoButtonOrTheLeftOneOnlyAndAClickElsewhereHidesIt) {
    MenuApp app;
    app.desktop.Move(app.Row(1020));
    app.desktop.Move(app.Menu().At(platform::kFormSurface, 20, 127));  // between two rows
    EXPECT_TRUE(app.Lit().empty());

    app.desktop.Press(app.Row(720), platform::mouse::kRight);
    app.desktop.Move(app.Row(1620));
    EXPECT_TRUE(app.Lit().empty()) << "the right button held lights nothing";
    app.desktop.Release(app.Row(1620), platform::mouse::kRight);
    app.desktop.Press(app.Row(1620), platform::mouse::kLeft);
    app.desktop.Move(app.Row(1620));
    EXPECT_EQ(app.Lit(), std::vector<int>{2});

    // The five seconds are counted in title_strip_test.cpp and below.
    app.desktop.Release(app.Menu().At(platform::kFormSurface, 20, 127));  // off the row: no click
    app.desktop.Click({500, 400});  // on the game: the menu hides, timer and all
    EXPECT_FALSE(app.Menu().IsVisible());
    EXPECT_FALSE(app.Menu().TimerRunning(FrmMenu::Timer1));
}

// Modal, centred over the bar and closed by OK: the end-to-end test (menu_test.cpp).
TEST(MenuTest, TheTitleOpensAboutOnTheWorkAreaWithItsLinksAndALeftDrag) {
    MenuApp app;
    app.MainForm().Move(1500, 1500, 2835, 4350);
    app.desktop.Click(app.Menu().At(FrmMenu::lblTitle, 10, 5));
    EXPECT_FALSE(app.Menu().IsVisible());
    ASSERT_NE(app.Form("About"), nullptr);
    sim::SimForm& about = *app.Form("About");
    EXPECT_EQ(about.ControlText(FrmAbout::lblTitle), "About Tunewarden " TW_VERSION_SHORT_STRING);
    // 392 x 172 pixels with its dialog frame; centred, it would reach 22.5 twips past the
    // screen's left edge.
    EXPECT_EQ(about.Bounds(), (TwipRect{0, 1500 - (2580 - 4350) / 2.0f, 5880, 2580}));
    app.desktop.Click(about.At(FrmAbout::lblWebSite, 5, 5));
    app.desktop.Click(about.At(FrmAbout::lblEmail, 5, 5));
    EXPECT_EQ(app.desktop.openedLinks, (std::vector<std::pair<platform::WindowHandle, std::string>>{
                                           {about.Handle(), "https://example.org/tunewarden"},
                                           {about.Handle(), "mailto:support@example.org"}}));
    const TwipRect before = about.Bounds();
    for (const std::int16_t button : {platform::mouse::kRight, platform::mouse::kLeft}) {
        app.desktop.Press(about.At(FrmAbout::lblTitle, 50, 5), button);
        app.desktop.Move(about.At(FrmAbout::lblTitle, 54, 7));
        app.desktop.Release(about.At(FrmAbout::lblTitle, 54, 7), button);
    }
    EXPECT_EQ(about.Bounds(), (TwipRect{before.left + 60, before.top + 30, 5880, 2580}));
    app.desktop.Click(about.At(FrmAbout::lblOk, 10, 5));
    EXPECT_EQ(app.Form("About"), nullptr);
}

// A present and a missing readme: the end-to-end test (menu_test.cpp). One the user
// cannot see counts as missing.
TEST(MenuTest, HelpTakesAHiddenReadmeForAMissingOne) {
    for (const bool hidden : {false, true}) {
        test::TestApp app;
        app.desktop.programFolderName = "Tune warden";
        const auto readme = app.desktop.programFolder() / "readme.txt";
        app.desktop.WriteRealFile(readme, "help");
        if (hidden) {
            app.desktop.hiddenOrSystem.insert(readme);
        }
        app.Start();
        app.desktop.KeyDown(test::kControl);
        app.desktop.KeyTap(112);  // F1 on the bar in front, with Control held
        const std::vector<std::pair<std::string, std::string>> notepad{
            {"notepad.exe", "notepad.exe " + app.desktop.ProgramFolder() + "\\readme.txt"}};
        EXPECT_EQ(app.desktop.startedPrograms, hidden ? decltype(notepad){} : notepad);
        EXPECT_EQ(app.desktop.messageBoxes.size(), hidden ? 1u : 0u);
    }
}

using TrayTest = test::PlayerTest;

TEST_F(TrayTest, ALeftClickBringsTheBarForwardAndARightClickOpensTheMenu) {
    const struct {
        std::uint32_t shellMessage;
        bool barForward, menuOpen;
    } cases[] = {
        {0x0200, false, false},  // the pointer passing over
        {0x0201, false, false}, {0x0202, true, false},  {0x0203, true, false},
        {0x0204, false, false}, {0x0205, false, true},  {0x0207, false, false},
        {0x0208, false, false}, {0x0209, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.shellMessage);
        app.desktop.BringToForeground(game);
        app.NotifyIcon(c.shellMessage);
        EXPECT_EQ(app.desktop.Foreground() == app.MainForm().Handle(), c.barForward);
        EXPECT_EQ(MenuVisible(app.forms), c.menuOpen);
        SetMenuVisible(app.forms, false);
    }
}

TEST_F(TrayTest, ARightClickWithTheMenuOpenPutsItBackWithoutAFreshFiveSeconds) {
    app.NotifyIcon();
    EXPECT_EQ(MenuBounds(app.forms), (TwipRect{13365, 8070, 1890, 3000}));
    app.desktop.Advance(3000ms);
    // The taskbar moved to the top meanwhile: the second opening finds it there.
    app.desktop.taskbar = {0, 0, 1024, 30};
    app.desktop.workArea = {0, 30, 1024, 768};
    app.NotifyIcon();
    EXPECT_EQ(MenuBounds(app.forms), (TwipRect{13365, 8520, 1890, 3000}));
    EXPECT_TRUE(MenuVisible(app.forms));
    app.desktop.Advance(2000ms);
    EXPECT_FALSE(MenuVisible(app.forms)) << "five seconds from the first opening";
}

// A shell that restarts: the end-to-end test (tray_test.cpp).
TEST(TrayIconTest, TheIconComesLaterWhenTheShellRefusedIt) {
    test::TestApp app;
    app.desktop.shellRefusesIcons = true;
    app.Start();
    EXPECT_TRUE(app.desktop.trayIcons.empty());
    app.desktop.shellRefusesIcons = false;
    SwitchMode(app.forms);
    EXPECT_EQ(app.desktop.trayIcons.size(), 1u) << "later additions are still sent";
}

}  // namespace
}  // namespace tw
