// The popup menu, driven by the pointer: its rows and what each does, the
// highlight, closing by itself, and the About window and help it opens.
#include "menu/frm_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "menu/frm_about.h"
#include "test_app.h"

namespace tw {
namespace {

using platform::TwipRect;

constexpr std::uint32_t kRightClick = 0x0205;

// The program with its menu opened from the tray icon.
struct MenuApp : test::TestApp {
    MenuApp() {
        Start();
        desktop.NotifyIcon(MainForm().Handle(), 1, kRightClick);
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
    const float bottom = 15 * 700 - 4350;
    const struct {
        float top;
        int index;
        Done done;
    } rows[] = {
        {420, 5, [](MenuApp& a) { return a.MainForm().Bounds().height == 240; }},  // Switch Mode
        {720, 3, at({0, bottom, 2835, 4350})},
        {1020, 4, at({12525, bottom, 2835, 4350})},
        {1320, 1, at({0, 0, 2835, 4350})},
        {1620, 2, at({12525, 0, 2835, 4350})},
        {1980, 7,
         [](MenuApp& a) {
             return a.Form("frmAnnounce") &&
                    a.Announcer().Bounds() == TwipRect{1500, 5850, 3495, 1920};
         }},
        {2280, 6, [](MenuApp& a) { return a.desktop.messageBoxes.size() == 1; }},  // Help
        {2640, 0,
         [](MenuApp& a) {  // Quit
             return a.desktop.processEnded && a.desktop.trayIcons.empty() &&
                    a.Form("frmAnnounce") == nullptr;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.top);
        MenuApp app;
        if (row.index == 0) {
            app.forms.Load<FrmAnnounce>();  // Quit closes it too
            app.desktop.NotifyIcon(app.MainForm().Handle(), 1, kRightClick);
        }
        app.MainForm().Move(1500, 1500, 2835, 4350);
        app.desktop.taskbar = {0, 700, 1024, 768};  // read again by every row
        app.desktop.Move(app.Row(row.top));
        EXPECT_EQ(app.Lit(), std::vector<int>{row.index});
        app.desktop.Click(app.Row(row.top));
        EXPECT_EQ(app.forms.module().TaskbarTop, 700);
        EXPECT_TRUE(row.done(app));
        EXPECT_TRUE(app.desktop.processEnded || !app.Menu().IsVisible());
    }
}

TEST(MenuTest, RowsLightUnderThePointerWithNoButtonOrTheLeftOneOnly) {
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
}

TEST(MenuTest, TheMenuHidesItselfWhenTheUserClicksElsewhere) {
    // The five seconds are counted in title_strip_test.cpp and tray_test.cpp.
    MenuApp app;
    ASSERT_TRUE(app.Menu().IsVisible());
    app.desktop.Click({500, 400});  // on the game: timer and all
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

    // Over a bar docked top right: on the screen, as near the centre as it can.
    app.MainForm().Move(12525, 0, 2835, 4350);
    app.desktop.NotifyIcon(app.MainForm().Handle(), 1, kRightClick);
    app.desktop.Click(app.Menu().At(FrmMenu::lblTitle, 10, 5));
    ASSERT_NE(app.Form("About"), nullptr);
    EXPECT_EQ(app.Form("About")->Bounds(), (TwipRect{15360 - 5880, 885, 5880, 2580}));
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
        app.Start().Form_KeyUp(112, 2);  // F1, with Control held
        const std::vector<std::pair<std::string, std::string>> notepad{
            {"notepad.exe", "notepad.exe " + app.desktop.ProgramFolder() + "\\readme.txt"}};
        EXPECT_EQ(app.desktop.startedPrograms, hidden ? decltype(notepad){} : notepad);
        EXPECT_EQ(app.desktop.messageBoxes.size(), hidden ? 1u : 0u);
    }
}

TEST(MenuTest, TheAnnouncerOpensUnderTheBarOrAboveItWhenUnderIsOffTheWorkArea) {
    const TwipRect small{0, 0, 2835, 240}, fits{1500, 4800, 2835, 4350},
        past{1500, 4815, 2835, 4350}, bottomRight{12525, 6720, 2835, 4350};
    // Small Mode in a top corner; reaching exactly the work area's bottom (11070); one pixel
    // further, and docked bottom right: above the bar.
    const std::pair<TwipRect, float> cases[] = {
        {small, 240}, {fits, 9150}, {past, 4815 - 1920}, {bottomRight, 6720 - 1920}};
    for (const auto& [bar, top] : cases) {
        SCOPED_TRACE(bar.top);
        MenuApp app;
        app.MainForm().Move(bar.left, bar.top, bar.width, bar.height);
        app.desktop.Click(app.Row(1980));
        ASSERT_NE(app.Form("frmAnnounce"), nullptr);
        EXPECT_EQ(app.Announcer().Bounds(), (TwipRect{bar.left, top, 3495, 1920}));
        EXPECT_TRUE(app.Announcer().IsVisible());
    }
}

}  // namespace
}  // namespace tw
