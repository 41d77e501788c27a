// The notification-area icon: what its clicks do, where it opens the menu,
// and the icon surviving a shell that restarts or refuses it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/display_modes.h"
#include "core/menu_seam.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using platform::PixelRect;
using platform::TwipRect;

constexpr std::uint32_t kRightClick = 0x0205;

class TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app.Start();
        game = app.desktop.AddWindow("Valve001", "Counter-Strike");
        app.desktop.BringToForeground(game);
    }
    void Notify(std::uint32_t shellMessage) {
        app.desktop.NotifyIcon(app.MainForm().Handle(), 1, shellMessage);
    }

    test::TestApp app;
    platform::WindowHandle game = 0;
};

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
        Notify(c.shellMessage);
        EXPECT_EQ(app.desktop.Foreground() == app.MainForm().Handle(), c.barForward);
        EXPECT_EQ(MenuVisible(app.forms), c.menuOpen);
        SetMenuVisible(app.forms, false);
    }
}

TEST(TrayMenuTest, TheMenuOpensAboveTheTaskbarOrInTheWorkAreasCorner) {
    // The menu is 1890 x 3000 twips; it stands 100 twips in from the right, to
    // the whole pixel.
    constexpr platform::ScreenInfo k96{1024, 768, 15, 15}, k120{1280, 1024, 12, 12};
    const struct {
        const char* name;
        platform::ScreenInfo screen;
        PixelRect taskbar, workArea;
        float left, top;
    } cases[] = {
        {"bottom", k96, {0, 738, 1024, 768}, {0, 0, 1024, 738}, 13365, 8070},
        {"one-pixel strip", k96, {0, 767, 1024, 768}, {0, 0, 1024, 748}, 13365, 8220},
        {"bottom, 120 dpi", k120, {0, 984, 1280, 1024}, {0, 0, 1280, 984}, 13368, 8808},
        {"top", k96, {0, 0, 1024, 30}, {0, 30, 1024, 768}, 13365, 8520},
        {"top, 120 dpi", k120, {0, 0, 1280, 40}, {0, 40, 1280, 1024}, 13368, 9288},
        {"left", k96, {0, 0, 60, 768}, {60, 0, 1024, 768}, 13365, 8520},
        {"right", k96, {964, 0, 1024, 768}, {0, 0, 964, 768}, 12465, 8520},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestApp app;
        app.desktop.screen = c.screen;
        app.desktop.taskbar = c.taskbar;
        app.desktop.workArea = c.workArea;
        app.Start();
        app.desktop.NotifyIcon(app.MainForm().Handle(), 1, kRightClick);
        EXPECT_EQ(MenuBounds(app.forms).left, c.left);
        EXPECT_EQ(MenuBounds(app.forms).top, c.top);
        EXPECT_TRUE(app.desktop.IsTopmost(MenuHandle(app.forms)));
    }
}

TEST_F(TrayTest, ARightClickWithTheMenuOpenPutsItBackWithoutAFreshFiveSeconds) {
    Notify(kRightClick);
    EXPECT_EQ(MenuBounds(app.forms), (TwipRect{13365, 8070, 1890, 3000}));
    app.desktop.Advance(3000ms);
    // The taskbar moved to the top meanwhile: the second opening finds it there.
    app.desktop.taskbar = {0, 0, 1024, 30};
    app.desktop.workArea = {0, 30, 1024, 768};
    Notify(kRightClick);
    EXPECT_EQ(MenuBounds(app.forms), (TwipRect{13365, 8520, 1890, 3000}));
    EXPECT_TRUE(MenuVisible(app.forms));
    app.desktop.Advance(2000ms);
    EXPECT_FALSE(MenuVisible(app.forms)) << "five seconds from the first opening";
}

TEST_F(TrayTest, TheIconComesBackWhenTheShellRestartsOrLaterWhenItWasRefused) {
    SwitchMode(app.forms);
    app.desktop.RestartShell();
    EXPECT_EQ(app.TrayTips(), std::vector<std::string>{"Tunewarden 1.4 - Small Mode"});

    test::TestApp refused;
    refused.desktop.shellRefusesIcons = true;
    refused.Start();
    EXPECT_TRUE(refused.desktop.trayIcons.empty());
    refused.desktop.shellRefusesIcons = false;
    SwitchMode(refused.forms);
    EXPECT_EQ(refused.desktop.trayIcons.size(), 1u) << "later additions are still sent";
}

}  // namespace
}  // namespace tw
