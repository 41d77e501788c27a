// The program as a whole: the main window's load and close, the start switches, the chat
// message template from msg.txt, and what it survives: a settings store that takes nothing,
// and a long run of everything at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "allocation_count.h"
#include "core/display_modes.h"
#include "core/message_template.h"
#include "mainwindow/start_switches.h"
#include "platform/command_line.h"
#include "test_app.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using test::SayLine;

constexpr const char* kDefault = "I am currently listening to %S.";

TEST(MainWindowTest, TheLoadReadsMsgTxtAndACloseRequestUnloadsEveryWindowOnce) {
    test::TestApp app;
    app.desktop.WriteRealFile(app.desktop.programFolder() / "msg.txt", "Tune: %S\nexit\n");
    app.desktop.commandLine = "-a";
    app.Start().GetSongTitle();
    EXPECT_EQ(app.forms.module().MessageTemplate, "Tune: %S");
    app.desktop.RequestClose(app.MainForm().Handle());
    EXPECT_TRUE(app.desktop.processEnded);
    EXPECT_TRUE(app.desktop.trayIcons.empty()) << "the icon goes first";
    for (const char* name : {"frmMain", "frmAnnounce", "frmSongShow", "Menu"}) {
        EXPECT_EQ(app.Form(name), nullptr) << name;
    }

    app.desktop.processEnded = false;
    app.forms.Shutdown();  // a second request while shutting down is ignored
    EXPECT_FALSE(app.desktop.processEnded);
}

// A second start: the running copy keeps the hotkeys, and its bar comes forward.
TEST(MainWindowTest, ACopyAlreadyRunningTakesOver) {
    test::TestApp app;
    app.desktop.anotherCopyRunning = true;
    const auto running = app.desktop.AddWindow("Tunewarden_frmMain", "Tunewarden");
    app.desktop.BringToForeground(app.desktop.AddWindow("Valve001", "Counter-Strike"));
    EXPECT_FALSE(app.forms.Start<FrmMain>());
    EXPECT_EQ(app.desktop.Foreground(), running);
    EXPECT_EQ(app.Form("frmMain"), nullptr);
    EXPECT_TRUE(app.desktop.trayIcons.empty());
}

TEST(MessageTemplateTest, ReadsTheFirstLineOfMsgTxt) {
    // A file the user may not see or read, or a folder by that name.
    enum Kind { kPlain, kHidden, kUnreadable, kFolder };
    const struct {
        const char* name;
        std::optional<std::string> fileBytes;  // nothing: no file at all
        std::string expected;
        Kind kind = kPlain;
    } cases[] = {
        {"missing", std::nullopt, kDefault},
        {"hidden or system", "Custom %S", kDefault, kHidden},
        {"unreadable", "Custom %S", kDefault, kUnreadable},
        {"a folder", std::nullopt, kDefault, kFolder},
        // What a first line that is valid UTF-8 or UTF-16 gives, also one the 64 KiB read cuts,
        // is the fuzzer's (seeds in tests/fuzz/seeds/message_template); what becomes of other
        // bytes is settled here.
        {"ANSI bytes become UTF-8", "Caf\xe9 %S", "Caf\xc3\xa9 %S"},
        {"UTF-8 mark, bytes that are not", "\xef\xbb\xbfNa\xefve", "Na?ve"},
        // As Notepad saves "Unicode": decoded before the line is cut, since "\xc4\x8d" (U+010D)
        // is 0D 01 there.
        {"UTF-16 LE", std::string("\xff\xfe%\0S\0 \0\x0d\x01\r\0\n\0x\0", 14), "%S \xc4\x8d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimDesktop desktop;
        const auto path = desktop.programFolder() / "msg.txt";
        if (c.fileBytes) {
            desktop.WriteRealFile(path, *c.fileBytes);
        }
        if (c.kind == kFolder) {
            std::filesystem::create_directories(path);
        }
        if (c.kind == kHidden) {
            desktop.hiddenOrSystem.insert(path);
        } else if (c.kind == kUnreadable) {
            desktop.unreadable.insert(path);
        }
        EXPECT_EQ(ReadMessageTemplate(desktop), c.expected);
    }
}

// The process's whole line, as the system gives it: the switches are looked for after the
// program's own name, which may hold any of them ("cs-addons"). The fuzzer holds the switches
// against a plain search of the rest, from the lines in tests/fuzz/seeds/start_switches; that a
// name whose quote never closes is all of the line is for this test to say.
TEST(StartSwitchesTest, ANameWhoseQuoteNeverClosesIsAllOfTheLine) {
    EXPECT_EQ(ParseStartSwitches(platform::ArgumentsOf("\"C:\\cs-addons\\tw.exe -a")),
              StartSwitches{});
}

// A long run of everything the program does, in a few seconds of the simulated clock's
// making, with a settings store that takes nothing: nothing may pile up.
TEST(FaultsTest, ALongRunLeavesNothingBehind) {
    test::TestApp app;
    const auto player = app.desktop.AddPlayer("1. Song - Winamp");
    app.StoreFolder(app.GameFolder());
    app.desktop.settingsWritable = false;
    app.Start();

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
        app.NotifyIcon();
        app.desktop.Click({500, 700});  // elsewhere: the menu closes
    }
    app.forms.Load<FrmAnnounce>();
    app.Ticks(10000);
    EXPECT_EQ(app.desktop.FileWrites().size(), 10000u);
    EXPECT_EQ(app.forms.unreleased(), 0u);
    EXPECT_EQ(app.Display(), nullptr);
    EXPECT_FALSE(app.Form("Menu")->IsVisible());
    EXPECT_EQ(app.TrayTips().size(), 1u);
    EXPECT_EQ(app.MainForm().Bounds().height, 240) << "10000 switches: one step on";
    EXPECT_EQ(app.desktop.settings.size(), 1u) << "the game folder alone";

    const long long before = test::AllocationCount();
    app.forms.Loaded<FrmMain>()->Timer1_Timer();
    EXPECT_EQ(test::AllocationCount() - before, 0) << "an idle tick allocates nothing";
}

}  // namespace
}  // namespace tw
