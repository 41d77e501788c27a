#include "mainwindow/message_template.h"

#include <gtest/gtest.h>

#include <optional>

#include "sim_desktop.h"

namespace tw {
namespace {

constexpr const char* kDefault = "I am currently listening to %S.";

struct TemplateCase {
    const char* name;
    std::optional<std::string> fileBytes;  // nothing: no file at all
    std::string expected;
};

class MessageTemplateTest : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(MessageTemplateTest, ReadsTheFirstLineOfMsgTxt) {
    sim::SimDesktop desktop;
    if (GetParam().fileBytes) {
        desktop.WriteRealFile(desktop.programFolder() / "msg.txt", *GetParam().fileBytes);
    }
    EXPECT_EQ(ReadMessageTemplate(desktop), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MessageTemplateTest,
    ::testing::Values(
        TemplateCase{"Missing", std::nullopt, kDefault},
        TemplateCase{"ZeroBytes", std::string(), kDefault},
        TemplateCase{"EmptyFirstLine", std::string("\r\nsecond %S"), kDefault},
        TemplateCase{"BlanksOnly", std::string("   \r\n"), kDefault},
        TemplateCase{"BlanksKeptAroundText", std::string(" Hello %S \r\n"), " Hello %S "},
        TemplateCase{"TabsAreNotBlanks", std::string("\t\r\n"), "\t"},
        TemplateCase{"CrLf", std::string("Now: %S\r\nsay other"), "Now: %S"},
        TemplateCase{"LfOnlyEndsTheLine", std::string("Now: %S\nquit\n"), "Now: %S"},
        TemplateCase{"LoneCrEndsTheLine", std::string("Now: %S\rquit"), "Now: %S"},
        TemplateCase{"NoLineEnd", std::string("Playing %S"), "Playing %S"},
        TemplateCase{"TwoLines", std::string("first\r\nsecond\r\n"), "first"},
        TemplateCase{"AnsiBytesBecomeUtf8", std::string("Caf\xe9 %S"), "Caf\xc3\xa9 %S"},
        TemplateCase{"BinaryStopsAtFirstLineEnd", std::string("\x01\x02\0x\n\xff", 6),
                     std::string("\x01\x02\0x", 4)}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(MessageTemplateFileTest, UnreadableFileGivesTheDefault) {
    sim::SimDesktop desktop;
    const auto path = desktop.programFolder() / "msg.txt";
    desktop.WriteRealFile(path, "Custom %S");
    desktop.unreadable.insert(path);
    EXPECT_EQ(ReadMessageTemplate(desktop), kDefault);
}

TEST(MessageTemplateFileTest, AFolderNamedMsgTxtGivesTheDefault) {
    sim::SimDesktop desktop;
    std::filesystem::create_directories(desktop.programFolder() / "msg.txt");
    EXPECT_EQ(ReadMessageTemplate(desktop), kDefault);
}

TEST(MessageTemplateFileTest, AHugeFileWithoutLineEndsIsReadOnlyInPart) {
    sim::SimDesktop desktop;
    desktop.WriteRealFile(desktop.programFolder() / "msg.txt", std::string(8 << 20, 'x'));
    const auto text = ReadMessageTemplate(desktop);
    EXPECT_GT(text.size(), 1000u);
    EXPECT_LE(text.size(), 64u * 1024u);
}

}  // namespace
}  // namespace tw
