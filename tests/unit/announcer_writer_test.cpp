// The once-a-second writer of the game script, driven by the announcer's timer.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "announcer_fixture.h"
#include "test_app.h"

namespace tw {
namespace {

using test::AnnouncerApp;
using test::SayLine;

constexpr const char* kDefault = "I am currently listening to %S.";

struct WriterCase {
    const char* name;
    std::string messageTemplate;
    std::optional<std::string> caption;  // nothing: no player running
    std::string expected;                // the whole file
};

void PrintTo(const WriterCase& c, std::ostream* out) {
    *out << c.name;
}

class AnnouncerWriterTableTest : public ::testing::TestWithParam<WriterCase> {};

TEST_P(AnnouncerWriterTableTest, OneTickWritesTheLine) {
    AnnouncerApp app;
    if (GetParam().caption) {
        app.desktop.AddPlayer(*GetParam().caption);
    }
    app.LoadWithFolder();
    app.forms->module().MessageTemplate = GetParam().messageTemplate;
    app.Ticks(1);
    EXPECT_EQ(app.Script(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AnnouncerWriterTableTest,
    ::testing::Values(WriterCase{"Ordinary", kDefault, "12. Artist - Song - Winamp",
                                 "say \"I am currently listening to Artist - Song.\r\n"},
                      WriterCase{"NoPlayer", kDefault, std::nullopt,
                                 "say \"I am currently listening to .\r\n"},
                      WriterCase{"CaptionWithoutMarker", kDefault, "Winamp 5.9",
                                 "say \"I am currently listening to .\r\n"},
                      WriterCase{"OnlyCapitalPlaceholders", "%S %s %S", "1. Song - Winamp",
                                 SayLine("Song %s Song")},
                      WriterCase{"TemplateWithoutPlaceholder", "Hello all", "1. Song - Winamp",
                                 SayLine("Hello all")},
                      WriterCase{"TitleIsNotSearchedAgain", "[%S|%S]", "1. 100%Sure - Winamp",
                                 SayLine("[100%Sure|100%Sure]")},
                      WriterCase{"WesternLettersInTheCodePage", kDefault,
                                 "1. Caf\xc3\xa9 Mot\xc3\xb6rhead - Winamp",
                                 SayLine("I am currently listening to Caf\xe9 Mot\xf6rhead.")},
                      WriterCase{"QuotesInTheTemplateToo", "\"%S\" rocks", "1. Song - Winamp",
                                 SayLine("'Song' rocks")}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AnnouncerWriterTest, AnEmptyFolderBoxTouchesNoFileAndLooksUpNoPlayer) {
    AnnouncerApp app;
    app.desktop.AddPlayer();
    app.Load();  // no stored folder
    const int lookups = app.desktop.windowLookups;
    app.Ticks(3);
    EXPECT_EQ(app.desktop.windowLookups, lookups);
    EXPECT_TRUE(app.desktop.fileWrites.empty());

    // Emptying the box after it held a folder stops the writes too.
    app.TypeFolder(app.gameFolder());
    app.Ticks(1);
    ASSERT_EQ(app.desktop.fileWrites.size(), 1u);
    app.TypeFolder("");
    app.Ticks(2);
    EXPECT_EQ(app.desktop.fileWrites.size(), 1u);
}

struct MsgTxtCase {
    const char* name;
    std::string fileBytes;
    std::string expected;
};

void PrintTo(const MsgTxtCase& c, std::ostream* out) {
    *out << c.name;
}

class AnnouncerWriterTemplateFromFileTest : public ::testing::TestWithParam<MsgTxtCase> {};

TEST_P(AnnouncerWriterTemplateFromFileTest, TheTemplateComesFromMsgTxtAtStart) {
    test::TestApp app;
    app.desktop.WriteRealFile(app.desktop.programFolder() / "msg.txt", GetParam().fileBytes);
    std::filesystem::create_directories(app.desktop.root() / "cs");
    app.desktop.settings[{"Tunewarden", "WTF", "CSFolder"}] = app.desktop.root().string() + "\\cs";
    app.desktop.AddPlayer("3. Band - Tune - Winamp");
    app.Start();
    app.forms->frmAnnounce();
    app.desktop.Advance(std::chrono::seconds(1));
    EXPECT_EQ(app.desktop.ReadRealFile(app.desktop.root() / "cs" / "winamp.cfg"),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AnnouncerWriterTemplateFromFileTest,
    ::testing::Values(MsgTxtCase{"BlanksOnlyGiveTheDefault", "   \r\nsecond %S\r\n",
                                 SayLine("I am currently listening to Band - Tune.")},
                      MsgTxtCase{"BlanksAroundTextStay", " Hello %S \r\n",
                                 SayLine(" Hello Band - Tune ")}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AnnouncerWriterTest, AnEarlierLongerFileLeavesNothingBehind) {
    AnnouncerApp app;
    app.desktop.WriteRealFile(app.scriptReal(),
                              std::string(4000, 'x') + "\r\nquit\r\nbind w \"+attack\"\r\n");
    app.desktop.AddPlayer("1. A - Winamp");
    app.LoadWithFolder();
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to A."));
}

TEST(AnnouncerWriterTest, AFolderWithATrailingBackslashGetsOneMore) {
    AnnouncerApp app;
    app.StoreFolder(app.gameFolder() + "\\");
    app.Load();
    app.Ticks(1);
    ASSERT_EQ(app.desktop.fileWrites.size(), 1u);
    EXPECT_EQ(app.desktop.fileWrites[0], app.gameFolder() + "\\\\winamp.cfg");
    // The system reads a doubled separator as one.
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to ."));
}

TEST(AnnouncerWriterTest, AnUnwritableFolderIsRetriedEveryTick) {
    AnnouncerApp app;
    app.desktop.unwritable.insert(app.gameFolderReal());
    app.desktop.AddPlayer("1. Song - Winamp");
    auto& announcer = app.LoadWithFolder();
    app.Ticks(2);
    EXPECT_EQ(app.desktop.fileWrites.size(), 2u);
    EXPECT_FALSE(app.Script().has_value());
    EXPECT_EQ(announcer.sSong(), "Song");  // the tick went on past the failure

    app.desktop.unwritable.clear();
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
}

TEST(AnnouncerWriterTest, AReadOnlyScriptKeepsItsContentUntilItIsWritableAgain) {
    AnnouncerApp app;
    app.desktop.WriteRealFile(app.scriptReal(), "say \"old\r\n");
    app.desktop.unwritable.insert(app.scriptReal());
    app.desktop.AddPlayer("1. Song - Winamp");
    app.LoadWithFolder();
    app.Ticks(3);
    EXPECT_EQ(app.Script(), "say \"old\r\n");
    app.desktop.unwritable.clear();
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
}

TEST(AnnouncerWriterTest, AMissingFolderIsNotCreatedAndNothingElseIsWritten) {
    AnnouncerApp app;
    app.StoreFolder(app.desktop.root().string() + "\\gone\\cstrike");
    app.Load();
    app.Ticks(2);
    EXPECT_FALSE(std::filesystem::exists(app.desktop.root() / "gone"));
    ASSERT_EQ(app.desktop.fileWrites.size(), 2u);
    EXPECT_EQ(app.desktop.fileWrites[1],
              app.desktop.root().string() + "\\gone\\cstrike\\winamp.cfg");
}

TEST(AnnouncerWriterTest, EveryTickLooksThePlayerUpAfreshAndRewritesTheFile) {
    AnnouncerApp app;
    auto& announcer = app.LoadWithFolder();
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), 0u);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to ."));

    const auto player = app.desktop.AddPlayer("7. First - Winamp");
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), player);
    EXPECT_EQ(announcer.sSong(), "First");
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to First."));

    app.desktop.Other(player)->caption = "8. Second - Winamp";
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Second."));

    // An unchanged song is written again all the same: the user may have
    // emptied or replaced the file in between.
    std::filesystem::remove(app.scriptReal());
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Second."));

    app.desktop.RemoveWindow(player);
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), 0u);
    EXPECT_EQ(announcer.sSong(), "");
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to ."));
}

TEST(AnnouncerWriterTest, TheBoxAsItIsNowDecidesTheFolderNotTheSetting) {
    AnnouncerApp app;
    app.LoadWithFolder();
    const auto other = app.desktop.root() / "other";
    std::filesystem::create_directories(other);
    app.TypeFolder(app.desktop.root().string() + "\\other");
    app.Ticks(1);
    EXPECT_TRUE(app.desktop.ReadRealFile(other / "winamp.cfg").has_value());
    EXPECT_FALSE(app.Script().has_value());
    EXPECT_EQ(app.StoredFolder(), app.gameFolder());  // typing saves nothing
}

}  // namespace
}  // namespace tw
