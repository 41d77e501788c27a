// What the program survives: the game folder or its script going away or
// turning into something else, a settings store that takes nothing, and a
// long run of everything at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "allocation_count.h"
#include "core/display_modes.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using test::SayLine;

TEST(FaultsTest, TheScriptComesBackWhenTheGameFolderOrTheScriptDoes) {
    test::TestApp app;
    app.desktop.AddPlayer("1. Song - Winamp");
    app.StoreFolder(app.GameFolder());
    app.forms.Load<FrmAnnounce>();
    const auto folder = app.desktop.root() / "cstrike";
    const auto script = folder / "winamp.cfg";
    const std::string line = SayLine("I am currently listening to Song.");

    std::filesystem::remove_all(folder);
    app.Ticks(2);
    EXPECT_FALSE(std::filesystem::exists(folder)) << "the folder is not made again";
    std::filesystem::create_directories(folder);
    app.Ticks(1);
    EXPECT_EQ(app.Script(), line);

    std::filesystem::remove(script);
    std::filesystem::create_directory(script);  // a folder by the script's name
    app.Ticks(2);
    EXPECT_TRUE(std::filesystem::is_directory(script));
    std::filesystem::remove(script);
    app.Ticks(1);
    EXPECT_EQ(app.Script(), line);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app.desktop.root()), {}), 2)
        << "nothing written beside the game folder and the program's";
}

TEST(FaultsTest, ModesSwitchWhenTheSettingsStoreTakesNothing) {
    test::TestApp app;
    app.desktop.settingsWritable = false;
    app.Start();
    for (const float height : {240.0f, 600.0f, 4350.0f}) {
        SwitchMode(app.forms);
        EXPECT_EQ(app.MainForm().Bounds().height, height);
    }
    EXPECT_TRUE(app.desktop.settings.empty());
}

// A long run of everything the program does, in a few seconds of the
// simulated clock's making: nothing may pile up.
TEST(FaultsTest, ALongRunLeavesNothingBehind) {
    test::TestApp app;
    const auto player = app.desktop.AddPlayer("1. Song - Winamp");
    app.StoreFolder(app.GameFolder());
    app.Start();
    const auto main = app.MainForm().Handle();

    app.desktop.KeyDown(test::kControl);
    app.desktop.KeyDown(96);
    app.desktop.Advance(100000 * 250ms);
    app.desktop.KeyUp(96);
    app.desktop.KeyUp(test::kControl);
    EXPECT_EQ(app.desktop.CommandsTo(player).size(), 100000u) << "one Play a tick";
    for (int i = 0; i < 10000; ++i) {
        app.forms.Loaded<FrmMain>()->GetSongTitle();
        app.desktop.Advance(2000ms);
        SwitchMode(app.forms);
        app.desktop.NotifyIcon(main, 1, 0x0205);
        app.desktop.Click({500, 700});  // elsewhere: the menu closes
    }
    app.forms.Load<FrmAnnounce>();
    app.Ticks(10000);
    EXPECT_EQ(app.desktop.fileWrites.size(), 10000u);
    EXPECT_EQ(app.forms.unreleased(), 0u);
    EXPECT_EQ(app.Display(), nullptr);
    EXPECT_FALSE(app.Form("Menu")->IsVisible());
    EXPECT_EQ(app.TrayTips().size(), 1u);

    const long long before = test::AllocationCount();
    app.forms.Loaded<FrmMain>()->Timer1_Timer();
    EXPECT_EQ(test::AllocationCount() - before, 0) << "an idle tick allocates nothing";
}

}  // namespace
}  // namespace tw
