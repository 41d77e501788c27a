// The game script's line against hostile song titles: whatever the title, the
// game must find exactly one command in the file, and it must be "say".
#include "announcer/script_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "console_model.h"
#include "test_app.h"

namespace tw {
namespace {

using test::Commands;
using test::ConsoleCommands;
using test::SayLine;

TEST(ScriptLineTest, WhateverTheTitleTheScriptHoldsOneSayCommand) {
    std::string longTitle;
    std::string longMessage;
    const std::string a102(102, 'a');
    while (longTitle.size() < 2000) {
        longTitle += "ab\"; quit\n//\r";
        longMessage += "ab'; quit // ";
    }
    const struct {
        const char* name;
        std::string title;    // as the player's caption holds it, UTF-8 or not
        std::string message;  // the bytes written after the opening quote
    } cases[] = {
        {"double quote", "x\"; connect 1.2.3.4 //", "x'; connect 1.2.3.4 //"},
        {"typographic quotes stay", "\xe2\x80\x9cHi\xe2\x80\x9d \xe2\x80\x98yo\xe2\x80\x99; quit",
         "\xe2\x80\x9cHi\xe2\x80\x9d \xe2\x80\x98yo\xe2\x80\x99; quit"},
        {"semicolon and comment", "a;quit // b", "a;quit // b"},
        {"LF", "a\nquit", "a quit"},
        {"CR and other control bytes",
         "a\r\t\x01\x1b\x7f\x1f"
         "b",
         "a      b"},
        {"quote then LF", "\"\n\"; kill", "' '; kill"},
        {"cut to 104 bytes", longTitle, longMessage.substr(0, 104)},
        // The game keeps 104 bytes of a dead player's message; a character that the cut
        // would split is left out whole.
        {"a character that fits", a102 + "\xc3\xb6z", a102 + "\xc3\xb6"},
        {"a character cut", a102 + "a\xc3\xb6", a102 + "a"},
        {"a 4-byte character cut", a102 + "\xf0\x9f\x8e\xb8", a102},
        // Not UTF-8: stray, overlong, surrogate, past U+10FFFF, unfinished.
        {"invalid bytes",
         "\xff\x80\xc0\xaf\xe0\x9f\xbf\xf0\x8f\xbf\xbf\xed\xa0\x80\xf4\x90\x80\x80;\xe2\x80",
         "??????????????????;??"},
        {"edges of the valid ranges", "\xe0\xa0\x80\xed\x9f\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf",
         "\xe0\xa0\x80\xed\x9f\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = announcer::BuildScriptLine("%S", c.title);
        EXPECT_EQ(ConsoleCommands(line), Commands{"say \"" + c.message});
        EXPECT_EQ(line, SayLine(c.message));
    }
    EXPECT_EQ(announcer::BuildScriptLine("\xe9 %S", "x"), SayLine("? x")) << "template";
}

TEST(ScriptLineTest, FillTemplateReplacesEveryCapitalPlaceholderOnce) {
    std::string huge;
    for (int i = 0; i < 100000; ++i) {
        huge += "%S";
    }
    const std::string longSong(1000, 'x');
    const struct {
        std::string messageTemplate, song, expected;
        std::size_t stopPast = std::string::npos;
    } cases[] = {
        {"%S %s %S", "A", "A %s A"},
        {"no placeholder", "A", "no placeholder"},
        {"%S%S", "%S", "%S%S"},
        {"%%SS", "x", "%xS"},
        {"%", "x", "%"},
        {"[%S]", "", "[]"},
        // Filling stops only once the message is past the limit.
        {"%S%S%S", "ab", "abab", 2},
        {"%S-%S-%S", "ab", "ab-ab", 4},
        {"ab%S-cd", "", "ab", 1},
        {huge, longSong, longSong, 104},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(announcer::FillTemplate(c.messageTemplate, c.song, c.stopPast), c.expected)
            << c.messageTemplate.substr(0, 20) << " / " << c.song.substr(0, 20);
    }
    EXPECT_EQ(announcer::BuildScriptLine(huge, longSong), SayLine(longSong.substr(0, 104)));
}

}  // namespace
}  // namespace tw
