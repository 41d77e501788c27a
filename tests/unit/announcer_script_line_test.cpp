// The game script's line against hostile song titles: whatever the title, the
// game must find exactly one command in the file, and it must be "say".
#include "announcer/script_writer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "announcer_fixture.h"

namespace tw {
namespace {

using test::AnnouncerApp;
using test::SayLine;

// How the game's console reads a script: lines end at LF and at CR; a line
// longer than 1,023 bytes runs its remainder as a line of its own; a line is
// split into commands at ';' outside double quotes, each '"' toggling the
// quoting. Blank commands do nothing.
std::vector<std::string> ConsoleCommands(std::string_view script) {
    constexpr std::size_t kMaxLine = 1023;
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= script.size(); ++i) {
        if (i == script.size() || script[i] == '\n' || script[i] == '\r') {
            for (auto line = script.substr(start, i - start);; line.remove_prefix(kMaxLine)) {
                lines.push_back(line.substr(0, kMaxLine));
                if (line.size() <= kMaxLine) {
                    break;
                }
            }
            start = i + 1;
        }
    }
    std::vector<std::string> commands;
    const auto add = [&commands](std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            commands.emplace_back(text.substr(first));
        }
    };
    for (const auto line : lines) {
        bool quoted = false;
        std::size_t from = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') {
                quoted = !quoted;
            } else if (line[i] == ';' && !quoted) {
                add(line.substr(from, i - from));
                from = i + 1;
            }
        }
        add(line.substr(from));
    }
    return commands;
}

// The model must see the attacks that the unmended line let through, or the
// table below proves nothing.
TEST(AnnouncerConsoleModelTest, FindsTheCommandsThatRawTitlesSmuggleIn) {
    EXPECT_EQ(ConsoleCommands("say \"x\"; connect 1.2.3.4 //\r\n"),
              (std::vector<std::string>{"say \"x\"", "connect 1.2.3.4 //"}));
    EXPECT_EQ(ConsoleCommands("say \"a\nquit\r\n"), (std::vector<std::string>{"say \"a", "quit"}));
    EXPECT_EQ(ConsoleCommands("say \"a\rquit\r\n"), (std::vector<std::string>{"say \"a", "quit"}));
    EXPECT_EQ(ConsoleCommands("say \"" + std::string(1018, 'x') + "quit\r\n"),
              (std::vector<std::string>{"say \"" + std::string(1018, 'x'), "quit"}));
    EXPECT_EQ(ConsoleCommands("say \"a;b\r\n"), (std::vector<std::string>{"say \"a;b"}));
}

struct HostileCase {
    const char* name;
    std::string title;    // UTF-8, as the player's caption holds it
    std::string message;  // the bytes written after the opening quote
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

class AnnouncerHostileTitleTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(AnnouncerHostileTitleTest, TheScriptHoldsExactlyOneSayCommand) {
    AnnouncerApp app;
    app.desktop.AddPlayer("1. " + GetParam().title + " - Winamp");
    app.LoadWithFolder();
    app.forms->module().MessageTemplate = "%S";
    app.Ticks(1);

    const auto script = app.Script();
    ASSERT_TRUE(script.has_value());
    const auto commands = ConsoleCommands(*script);
    ASSERT_EQ(commands.size(), 1u) << *script;
    EXPECT_EQ(commands[0].rfind("say \"", 0), 0u) << *script;
    EXPECT_EQ(*script, SayLine(GetParam().message));
}

const std::string kLongTitle = [] {
    std::string title;
    while (title.size() < 2000) {
        title += "ab\"; quit\n//\r";
    }
    return title.substr(0, 2000);
}();

const std::string kLongTitleMessage = [] {
    std::string message;
    while (message.size() < 120) {
        message += "ab'; quit // ";
    }
    return message.substr(0, 120);
}();

INSTANTIATE_TEST_SUITE_P(
    Table, AnnouncerHostileTitleTest,
    ::testing::Values(
        HostileCase{"DoubleQuote", "x\"; connect 1.2.3.4 //", "x'; connect 1.2.3.4 //"},
        HostileCase{"TypographicQuotesStayTypographic",
                    "\xe2\x80\x9cHi\xe2\x80\x9d \xe2\x80\x98yo\xe2\x80\x99; quit",
                    "\x93Hi\x94 \x91yo\x92; quit"},
        HostileCase{"Semicolon", "a;quit", "a;quit"}, HostileCase{"Comment", "a // b", "a // b"},
        HostileCase{"LineFeed", "a\nquit", "a quit"},
        HostileCase{"CarriageReturn", "a\rquit", "a quit"}, HostileCase{"Tab", "a\tb", "a b"},
        HostileCase{"OtherControlBytes",
                    std::string("a\x01\x1b\x7f\x1f"
                                "b"),
                    "a    b"},
        HostileCase{"QuoteThenLineFeed", "\"\n\"; kill", "' '; kill"},
        HostileCase{"LongTitleIsCutTo120Bytes", kLongTitle, kLongTitleMessage},
        HostileCase{"Cyrillic", "\xd0\x9a\xd0\xb8\xd0\xbd\xd0\xbe", "????"},
        HostileCase{"Japanese", "\xe6\xae\x8b\xe9\x85\xb7\xe3\x81\xaa", "???"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AnnouncerScriptLineTest, AnOrdinaryTitleComesOutByteForByte) {
    AnnouncerApp app;
    app.desktop.AddPlayer("42. Daft Punk - One More Time (Radio Edit) - Winamp");
    app.LoadWithFolder();
    app.Ticks(1);
    EXPECT_EQ(app.Script(),
              "say \"I am currently listening to Daft Punk - One More Time (Radio Edit).\r\n");
}

struct FillCase {
    const char* messageTemplate;
    const char* song;
    const char* expected;
};

TEST(AnnouncerScriptLineTest, FillTemplateReplacesEveryCapitalPlaceholderOnce) {
    const FillCase cases[] = {
        {"%S %s %S", "A", "A %s A"},
        {"no placeholder", "A", "no placeholder"},
        {"%S%S", "%S", "%S%S"},
        {"%%SS", "x", "%xS"},
        {"%", "x", "%"},
        {"", "x", ""},
        {"[%S]", "", "[]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(announcer::FillTemplate(c.messageTemplate, c.song), c.expected)
            << c.messageTemplate << " / " << c.song;
    }
}

// Shift-JIS: lead bytes 0x81..0x9F and 0xE0..0xFC.
bool ShiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(AnnouncerScriptLineTest, TheCutNeverSplitsATwoByteCharacter) {
    const std::string kana = "\x83\x41";  // one character, two bytes
    // 119 single bytes and a two-byte character: the character does not fit.
    EXPECT_EQ(announcer::CutLength(std::string(119, 'a') + kana, 120, ShiftJisLead), 119u);
    EXPECT_EQ(announcer::CutLength(std::string(118, 'a') + kana + "b", 120, ShiftJisLead), 120u);
    // A lead byte without its trail byte is dropped.
    EXPECT_EQ(announcer::CutLength("ab\x83", 120, ShiftJisLead), 2u);
    EXPECT_EQ(announcer::CutLength("short", 120, ShiftJisLead), 5u);
}

TEST(AnnouncerScriptLineTest, TrailBytesThatLookLikeCommandCharactersSurvive) {
    // 0x5C ('\') and 0x7C ('|') are trail bytes in Shift-JIS; 0x7F never is.
    const std::string message = "\x83\x5C\x83\x7C\x81\x40";
    EXPECT_EQ(announcer::ScriptLineFromAnsi(message, ShiftJisLead), SayLine(message));

    std::string kanaRun;
    for (int i = 0; i < 70; ++i) {
        kanaRun += "\x83\x41";
    }
    const auto line = announcer::ScriptLineFromAnsi("x" + kanaRun, ShiftJisLead);
    EXPECT_EQ(line, SayLine("x" + kanaRun.substr(0, 118)));
}

}  // namespace
}  // namespace tw
