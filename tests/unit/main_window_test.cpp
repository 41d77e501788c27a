// The main window's load and close, the start switches and the chat message
// template from msg.txt.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/message_template.h"
#include "mainwindow/start_switches.h"
#include "platform/command_line.h"
#include "test_app.h"

namespace tw {
namespace {

constexpr const char* kDefault = "I am currently listening to %S.";

TEST(MainWindowTest, TheLoadReadsMsgTxtAndACloseRequestUnloadsEveryWindowOnce) {
    test::TestApp app;
    const auto player = app.desktop.AddPlayer();
    app.desktop.WriteRealFile(app.desktop.programFolder() / "msg.txt", "Tune: %S\nexit\n");
    app.desktop.commandLine = "-a";
    app.Start().GetSongTitle();
    EXPECT_TRUE(app.MainForm().IsVisible());
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
    app.desktop.KeyDown(test::kControl);
    app.desktop.KeyDown(96);
    app.desktop.Advance(std::chrono::milliseconds(1000));
    EXPECT_TRUE(app.desktop.CommandsTo(player).empty());
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
        {"empty first line", "\r\nsecond %S", kDefault},
        {"blanks only", "   \r\n", kDefault},
        {"blanks kept around text", " Hello %S \r\n", " Hello %S "},
        {"LF alone ends the line", "Now: %S\nquit\n", "Now: %S"},
        {"CR alone ends the line", "Now: %S\rquit", "Now: %S"},
        {"ANSI bytes become UTF-8", "Caf\xe9 %S", "Caf\xc3\xa9 %S"},
        {"UTF-8 mark dropped", "\xef\xbb\xbfNa\xc3\xafve %S", "Na\xc3\xafve %S"},
        {"UTF-8 mark then blanks", "\xef\xbb\xbf  \r\n", kDefault},
        {"UTF-8 mark, bytes that are not", "\xef\xbb\xbfNa\xefve", "Na?ve"},
        {"binary", std::string("\x01\x02\0x\n\xff", 6), std::string("\x01\x02\0x", 4)},
        // As Notepad saves "Unicode": decoded before the line is cut, since
        // "\xc4\x8d" (U+010D) is 0D 01 there; a lone surrogate repaired.
        {"UTF-16 LE", std::string("\xff\xfe%\0S\0 \0\x0d\x01\r\0\n\0x\0", 14), "%S \xc4\x8d"},
        {"UTF-16 BE", std::string("\xfe\xff\0N\xd8\x00\0%\0S\0\n\0", 13), "N?%S"},
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

TEST(MessageTemplateTest, AHugeFileIsReadInPart) {
    sim::SimDesktop desktop;
    // A huge file without line ends is read only in part, and the read may
    // stop inside a character.
    std::string euros = "xx";
    while (euros.size() < (1 << 20)) {
        euros += "\xe2\x82\xac";
    }
    desktop.WriteRealFile(desktop.programFolder() / "msg.txt", euros);
    const auto text = ReadMessageTemplate(desktop);
    EXPECT_GT(text.size(), 1000u);
    EXPECT_TRUE(euros.starts_with(text)) << text.substr(0, 20);
    EXPECT_EQ(text.size() % 3, 2u) << "a character cut in two";
}

// The process's whole line, as the system gives it: the switches are looked for
// after the program's own name, which may hold any of them ("cs-addons"). The
// fuzzer holds the switches against a plain search of the rest.
TEST(StartSwitchesTest, FindsEachSwitchTextAfterTheProgramsNameCaseSensitively) {
    // Fields: announce, smallMode, TR, BR, TL, BL.
    const struct {
        const char* line;
        StartSwitches expected;
    } cases[] = {
        {"tw.exe hello world", {}},
        {"tw.exe -a", {true, false, false, false, false, false}},
        {"tw.exe -A", {}},
        {"tw.exe -mode 1", {false, true, false, false, false, false}},
        {"tw.exe -dock tr", {}},
        {"tw.exe -mode 1 -dock BR -a", {true, true, false, true, false, false}},
        {"\"C:\\cs-addons -mode 1\\tw.exe\" -dock TL", {false, false, false, false, true, false}},
        {"C:\\cs-addons\\tw.exe\t \t-dock BL", {false, false, false, false, false, true}},
        {"C:\\cs-addons\\tw.exe", {}},
        {"\"C:\\cs-addons\\tw.exe -a", {}},  // no closing quote: all of it is the name
        {"\"\"-a", {true, false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseStartSwitches(platform::ArgumentsOf(c.line)), c.expected) << c.line;
    }
}

}  // namespace
}  // namespace tw
