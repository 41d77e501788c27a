// The game script's line against hostile song titles: whatever the title, the
// game must find exactly one command in the file, and it must be "say".
#include "announcer/script_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "test_app.h"

namespace tw {
namespace {

using test::SayLine;
using Commands = std::vector<std::string>;

// How the game's console reads a script: lines end at LF and at CR; a line
// longer than 1,023 bytes runs its remainder as a line of its own; a line is
// split into commands at ';' outside double quotes, each '"' toggling the
// quoting. Blank commands do nothing.
Commands ConsoleCommands(std::string_view script) {
    constexpr std::size_t kMaxLine = 1023;
    Commands commands;
    const auto add = [&commands](std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            commands.emplace_back(text.substr(first));
        }
    };
    while (!script.empty()) {
        const auto end = std::min(script.find_first_of("\r\n"), script.size());
        for (auto line = script.substr(0, end); !line.empty();) {
            const auto part = line.substr(0, kMaxLine);
            line.remove_prefix(part.size());
            bool quoted = false;
            std::size_t from = 0;
            for (std::size_t i = 0; i < part.size(); ++i) {
                if (part[i] == '"') {
                    quoted = !quoted;
                } else if (part[i] == ';' && !quoted) {
                    add(part.substr(from, i - from));
                    from = i + 1;
                }
            }
            add(part.substr(from));
        }
        script.remove_prefix(std::min(end + 1, script.size()));
    }
    return commands;
}

// The model must see the attacks that the unmended line let through, or the
// table below proves nothing.
TEST(ConsoleModelTest, FindsTheCommandsThatRawTitlesSmuggleIn) {
    const std::string filler(1018, 'x');
    const struct {
        std::string script;
        Commands commands;
    } cases[] = {
        {"say \"x\"; connect 1.2.3.4 //\r\n", {"say \"x\"", "connect 1.2.3.4 //"}},
        {"say \"a\nquit\r\n", {"say \"a", "quit"}},
        {"say \"a\rquit\r\n", {"say \"a", "quit"}},
        {"say \"" + filler + "quit\r\n", {"say \"" + filler, "quit"}},
        {"say \"a;b\r\n", {"say \"a;b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConsoleCommands(c.script), c.commands) << c.script;
    }
}

TEST(ScriptLineTest, WhateverTheTitleTheScriptHoldsOneSayCommand) {
    std::string longTitle;
    std::string longMessage;
    while (longTitle.size() < 2000) {
        longTitle += "ab\"; quit\n//\r";
        longMessage += "ab'; quit // ";
    }
    const struct {
        const char* name;
        std::string title;    // UTF-8, as the player's caption holds it
        std::string message;  // the bytes written after the opening quote
    } cases[] = {
        {"double quote", "x\"; connect 1.2.3.4 //", "x'; connect 1.2.3.4 //"},
        {"typographic quotes stay", "\xe2\x80\x9cHi\xe2\x80\x9d \xe2\x80\x98yo\xe2\x80\x99; quit",
         "\x93Hi\x94 \x91yo\x92; quit"},
        {"semicolon and comment", "a;quit // b", "a;quit // b"},
        {"LF", "a\nquit", "a quit"},
        {"CR", "a\rquit", "a quit"},
        {"other control bytes",
         "a\t\x01\x1b\x7f\x1f"
         "b",
         "a     b"},
        {"quote then LF", "\"\n\"; kill", "' '; kill"},
        {"cut to 120 bytes", longTitle.substr(0, 2000), longMessage.substr(0, 120)},
    };
    sim::SimDesktop desktop;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = announcer::BuildScriptLine(desktop, "%S", c.title);
        EXPECT_EQ(ConsoleCommands(line), Commands{"say \"" + c.message});
        EXPECT_EQ(line, SayLine(c.message));
    }
}

TEST(ScriptLineTest, FillTemplateReplacesEveryCapitalPlaceholderOnce) {
    const struct {
        const char* messageTemplate;
        const char* song;
        const char* expected;
    } cases[] = {
        {"%S %s %S", "A", "A %s A"},
        {"no placeholder", "A", "no placeholder"},
        {"%S%S", "%S", "%S%S"},
        {"%%SS", "x", "%xS"},
        {"%", "x", "%"},
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

TEST(ScriptLineTest, TheCutNeverSplitsATwoByteCharacter) {
    const std::string kana = "\x83\x41";  // one character, two bytes
    EXPECT_EQ(announcer::CutLength(std::string(119, 'a') + kana, 120, ShiftJisLead), 119u);
    EXPECT_EQ(announcer::CutLength(std::string(118, 'a') + kana + "b", 120, ShiftJisLead), 120u);
    EXPECT_EQ(announcer::CutLength("ab\x83", 120, ShiftJisLead), 2u) << "a lead byte alone";

    // 0x5C ('\') and 0x7C ('|') are trail bytes in Shift-JIS, and stay.
    std::string kanaRun = "\x83\x5C\x83\x7C\x81\x40";
    EXPECT_EQ(announcer::ScriptLineFromAnsi(kanaRun, ShiftJisLead), SayLine(kanaRun));
    while (kanaRun.size() < 140) {
        kanaRun += kana;
    }
    EXPECT_EQ(announcer::ScriptLineFromAnsi("x" + kanaRun, ShiftJisLead),
              SayLine("x" + kanaRun.substr(0, 118)));
}

}  // namespace
}  // namespace tw
