#include "mainwindow/start_switches.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct SwitchCase {
    const char* commandLine;
    StartSwitches expected;
};

void PrintTo(const SwitchCase& c, std::ostream* out) {
    *out << '"' << c.commandLine << '"';
}

class StartSwitchesTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(StartSwitchesTest, FindsEachSwitchTextAnywhereCaseSensitively) {
    EXPECT_EQ(ParseStartSwitches(GetParam().commandLine), GetParam().expected);
}

// Fields: announce, smallMode, TR, BR, TL, BL.
INSTANTIATE_TEST_SUITE_P(
    Table, StartSwitchesTest,
    ::testing::Values(SwitchCase{"", {}}, SwitchCase{"hello world", {}},
                      SwitchCase{"-a", {true, false, false, false, false, false}},
                      SwitchCase{"--all-the-things", {true, false, false, false, false, false}},
                      SwitchCase{"x-ay", {true, false, false, false, false, false}},
                      SwitchCase{"-A", {}},
                      SwitchCase{"-mode 1", {false, true, false, false, false, false}},
                      SwitchCase{"-mode 2", {}}, SwitchCase{"-mode  1", {}},
                      SwitchCase{"-MODE 1", {}},
                      SwitchCase{"-mode 12", {false, true, false, false, false, false}},
                      SwitchCase{"-dock tr", {}}, SwitchCase{"-dockTR", {}},
                      SwitchCase{"-dock TR", {false, false, true, false, false, false}},
                      SwitchCase{"-dock BL -dock TR", {false, false, true, false, false, true}},
                      SwitchCase{"-dock TR -dock BL", {false, false, true, false, false, true}},
                      SwitchCase{"-a -mode 1 -dock BR", {true, true, false, true, false, false}},
                      SwitchCase{"\"C:\\Program Files\\x\" -dock TL",
                                 {false, false, false, false, true, false}}));

TEST(StartSwitchesTest, SurvivesVeryLongAndOddCommandLines) {
    std::string line(100000, 'x');
    line += "\xff\x01\t\"-dock BL";
    line += std::string(1000, '\0');
    const auto switches = ParseStartSwitches(line);
    EXPECT_TRUE(switches.dockBottomLeft);
    EXPECT_FALSE(switches.announce);
}

}  // namespace
}  // namespace tw
