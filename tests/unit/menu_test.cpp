// The popup menu, driven by the pointer: its rows and what each does, the
// highlight, closing by itself, and the About window and help it opens.
#include "menu/frm_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/menu_seam.h"
#include "menu/frm_about.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
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
    const struct {
        float top;
        int index;
        const char* caption;
        Done done;
    } rows[] = {
        {420, 5, "Switch Mode", [](MenuApp& a) { return a.MainForm().Bounds().height == 240; }},
        {720, 3, "Dock Bottom Left", at({0, 15 * 700 - 4350, 2835, 4350})},
        {1020, 4, "Dock Bottom Right", at({12525, 15 * 700 - 4350, 2835, 4350})},
        {1320, 1, "Dock Top Left", at({0, 0, 2835, 4350})},
        {1620, 2, "Dock Top Right", at({12525, 0, 2835, 4350})},
        {1980, 7, "Announcer",
         [](MenuApp& a) {
             return a.Form("frmAnnounce") != nullptr &&
                    a.Announcer().Bounds() == TwipRect{1500, 5850, 3495, 1920};
         }},
        {2280, 6, "Help", [](MenuApp& a) { return a.desktop.messageBoxes.size() == 1; }},
        {2640, 0, "Quit",
         [](MenuApp& a) {
             return a.desktop.processEnded && a.desktop.trayIcons.empty() &&
                    a.Form("frmAnnounce") == nullptr;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
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
    // A click on the game closes it, timer and all.
    app.desktop.Click({500, 400});
    EXPECT_FALSE(app.Menu().IsVisible());
    EXPECT_FALSE(app.Menu().TimerRunning(FrmMenu::Timer1));
}

TEST(MenuTest, TheTitleOpensAboutOverTheBarUntilOk) {
    MenuApp app;
    app.MainForm().Move(1500, 1500, 2835, 4350);
    app.desktop.Click(app.Menu().At(FrmMenu::lblTitle, 10, 5));
    EXPECT_FALSE(app.Menu().IsVisible());
    ASSERT_NE(app.Form("About"), nullptr);
    sim::SimForm& about = *app.Form("About");
    // Its dialog frame makes it 392 x 172 pixels. Centred, it would reach 22.5
    // twips past the screen's left edge: it stays on the work area.
    EXPECT_EQ(about.Bounds(), (TwipRect{0, 1500 - (2580 - 4350) / 2.0f, 5880, 2580}));
    // The bar takes no input while About is up.
    app.desktop.DoubleClick(app.MainForm().At(FrmMain::Label1, 20, 5));
    EXPECT_EQ(app.MainForm().Bounds().height, 4350);

    app.desktop.Click(about.At(FrmAbout::lblWebSite, 5, 5));
    app.desktop.Click(about.At(FrmAbout::lblEmail, 5, 5));
    EXPECT_EQ(app.desktop.openedLinks, (std::vector<std::pair<platform::WindowHandle, std::string>>{
                                           {about.Handle(), "https://example.org/tunewarden"},
                                           {about.Handle(), "mailto:support@example.org"}}));

    // Its title drags it with the left button alone.
    const TwipRect before = about.Bounds();
    for (const std::int16_t button : {platform::mouse::kRight, platform::mouse::kLeft}) {
        app.desktop.Press(about.At(FrmAbout::lblTitle, 50, 5), button);
        app.desktop.Move(about.At(FrmAbout::lblTitle, 54, 7));
        app.desktop.Release(about.At(FrmAbout::lblTitle, 54, 7), button);
    }
    EXPECT_EQ(about.Bounds(), (TwipRect{before.left + 60, before.top + 30, 5880, 2580}));

    app.desktop.Click(about.At(FrmAbout::lblOk, 10, 5));
    EXPECT_EQ(app.Form("About"), nullptr);
    app.desktop.DoubleClick(app.MainForm().At(FrmMain::Label1, 20, 5));
    EXPECT_EQ(app.MainForm().Bounds().height, 240) << "the bar answers again";

    // Over a bar docked top right it stays on the screen, as near the centre as it can.
    app.MainForm().Move(12525, 0, 2835, 4350);
    app.desktop.NotifyIcon(app.MainForm().Handle(), 1, kRightClick);
    app.desktop.Click(app.Menu().At(FrmMenu::lblTitle, 10, 5));
    ASSERT_NE(app.Form("About"), nullptr);
    EXPECT_EQ(app.Form("About")->Bounds(), (TwipRect{15360 - 5880, 885, 5880, 2580}));
}

TEST(MenuTest, HelpOpensTheReadmeInNotepadOrSaysItIsMissing) {
    const struct {
        const char* name;
        bool present;
        bool hidden;
    } cases[] = {{"present", true, false}, {"hidden", true, true}, {"missing", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestApp app;
        app.desktop.programFolderName = "Tune warden";
        const auto readme = app.desktop.programFolder() / "readme.txt";
        if (c.present) {
            app.desktop.WriteRealFile(readme, "help");
        }
        if (c.hidden) {
            app.desktop.hiddenOrSystem.insert(readme);
        }
        app.Start();
        app.forms.Loaded<FrmMain>()->Form_KeyUp(112, 2);  // F1, with Control held
        const bool opens = c.present && !c.hidden;
        const std::vector<std::pair<std::string, std::string>> notepad{
            {"notepad.exe", "notepad.exe " + app.desktop.ProgramFolder() + "\\readme.txt"}};
        EXPECT_EQ(app.desktop.startedPrograms, opens ? notepad : decltype(notepad){});
        EXPECT_EQ(app.desktop.messageBoxes.size(), opens ? 0u : 1u) << "the readme is missing";
    }
}

TEST(MenuTest, TheAnnouncerOpensUnderTheBarOrAboveItWhenUnderIsOffTheWorkArea) {
    const struct {
        TwipRect bar;
        float top;
    } cases[] = {
        {{0, 0, 2835, 240}, 240},                 // Small Mode in a top corner: under the strip
        {{1500, 4800, 2835, 4350}, 9150},         // reaching exactly the work area's bottom (11070)
        {{1500, 4815, 2835, 4350}, 4815 - 1920},  // one pixel further: above the bar
        {{12525, 6720, 2835, 4350}, 6720 - 1920},  // docked bottom right
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bar.top);
        MenuApp app;
        app.MainForm().Move(c.bar.left, c.bar.top, c.bar.width, c.bar.height);
        app.desktop.Click(app.Row(1980));
        ASSERT_NE(app.Form("frmAnnounce"), nullptr);
        EXPECT_EQ(app.Announcer().Bounds(), (TwipRect{c.bar.left, c.top, 3495, 1920}));
        EXPECT_TRUE(app.Announcer().IsVisible());
    }
}

}  // namespace
}  // namespace tw
