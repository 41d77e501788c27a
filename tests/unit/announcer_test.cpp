// The announcer window (folder, drag, "OK", close area, hidden start), driven by the pointer;
// the once-a-second writer of the game script that its timer drives; and the script's line.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "announcer/script_writer.h"
#include "test_app.h"

namespace tw {
namespace {

using platform::TwipRect;
using test::SayLine;
using test::TestApp;

// The announcer loaded on a desktop with a player and a stored game folder.
struct AnnouncerApp : TestApp {
    explicit AnnouncerApp(const char* caption = "1. Song - Winamp") {
        if (caption != nullptr) {
            desktop.AddPlayer(caption);
        }
        StoreFolder(GameFolder());
        forms.Load<FrmAnnounce>();
    }
    sim::PixelPoint At(int control, int x, int y) { return Announcer().At(control, x, y); }
};

TEST(AnnouncerTest, LoadShowsTheStoredFolderOnlyAPickedOneIsStoredAndTheCloseAreaUnloads) {
    AnnouncerApp app;
    const std::string stored = app.GameFolder();
    EXPECT_EQ(app.FolderBox(), stored);
    const auto findButton = app.At(FrmAnnounce::cmdFind, 5, 5);
    app.TypeFolder("C:\\typed");
    app.desktop.Click(findButton);  // cancelled: nothing changes
    EXPECT_EQ(app.FolderBox(), "C:\\typed");
    EXPECT_EQ(app.StoredFolder(), stored);
    app.desktop.folderPickerAnswers.push_back("C:\\picked");
    app.desktop.Click(findButton);
    EXPECT_EQ(app.desktop.folderPickerOwners, std::vector(2, app.Announcer().Handle()));
    EXPECT_EQ(app.FolderBox(), "C:\\picked");
    EXPECT_EQ(app.StoredFolder(), "C:\\picked");

    // The close area and the system unload the announcer alone.
    app.TypeFolder(stored);
    app.StoreFolder(stored);
    app.Ticks(1);
    app.desktop.Click(app.At(FrmAnnounce::Image1, 2, 2));
    EXPECT_EQ(app.Form("frmAnnounce"), nullptr);

    const int lookups = app.desktop.windowLookups;
    app.Ticks(5);
    EXPECT_EQ(app.desktop.FileWrites().size(), 1u);
    EXPECT_EQ(app.desktop.windowLookups, lookups);
    // The last script stays for the game to use.
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));

    // The next load starts from the design and the stored folder.
    app.forms.Load<FrmAnnounce>();
    EXPECT_EQ(app.FolderBox(), app.GameFolder());
    EXPECT_EQ(app.Announcer().Bounds().width, 3495);
    app.desktop.RequestClose(app.Announcer().Handle());
    EXPECT_EQ(app.Form("frmAnnounce"), nullptr);
    EXPECT_FALSE(app.desktop.processEnded);
}

TEST(AnnouncerTest, OkCollapsesTheWindowOnlyWhenReleasedStrictlyInside) {
    // "OK" is 23 x 16 pixels; positions relative to its top-left corner.
    const struct {
        int x, y;
        bool collapses;
    } cases[] = {{11, 8, true},  {1, 1, true},    {22, 15, true}, {0, 8, false},  {23, 8, false},
                 {11, 0, false}, {11, 16, false}, {-2, 8, false}, {11, 60, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        AnnouncerApp app;
        const auto before = app.Announcer().Bounds();
        app.desktop.Press(app.At(FrmAnnounce::Label4, 5, 5));
        EXPECT_EQ(app.Announcer().foreColour(FrmAnnounce::Label4), 0xE0E0E0u);
        app.desktop.Release(app.At(FrmAnnounce::Label4, c.x, c.y));
        EXPECT_EQ(app.Announcer().foreColour(FrmAnnounce::Label4), 0xFFFFFFu);
        EXPECT_EQ(app.Announcer().Bounds(), (c.collapses ? TwipRect{0, 0, 0, 0} : before));
        // Collapsed or not, the window stays loaded and keeps writing.
        app.Ticks(1);
        EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
    }
}

TEST(AnnouncerTest, TheTitleStripDragsWithAnyButtonWhereverThePointerGoes) {
    for (const std::int16_t button : {std::int16_t{1}, std::int16_t{2}, std::int16_t{4}}) {
        SCOPED_TRACE(button);
        TestApp app;
        // 7.5 twips a pixel: the grab point falls on half twips, which go to the even neighbour.
        app.desktop.screen = {2048, 1536, 7.5f, 7.5f};
        app.forms.Load<FrmAnnounce>();
        sim::SimForm& form = app.Announcer();
        const TwipRect start = form.Bounds();

        app.desktop.Press(form.At(FrmAnnounce::Label3, 5, 5), button);  // not the strip
        app.desktop.Move(form.At(FrmAnnounce::Label3, 9, 9));
        app.desktop.Release(form.At(FrmAnnounce::Label3, 9, 9), button);
        EXPECT_EQ(form.Bounds(), start);

        // Grabbed at 22.5 twips across (22) and 37.5 down (38), moved to 37.5 and 30:
        // 15.5 twips right and 8 up, which Windows makes two whole pixels and one.
        app.desktop.Press(form.At(FrmAnnounce::Label1, 3, 5), button);
        app.desktop.Move(form.At(FrmAnnounce::Label1, 5, 4));
        const TwipRect moved{start.left + 15, start.top - 7.5f, start.width, start.height};
        EXPECT_EQ(form.Bounds(), moved);
        // Far off the strip, the window still follows: 742 twips down, 99 pixels.
        app.desktop.Move(form.At(FrmAnnounce::Label1, 5, 104));
        EXPECT_EQ(form.Bounds().top, moved.top + 99 * 7.5f);
        app.desktop.Release(form.At(FrmAnnounce::Label1, 5, 104), button);
        const TwipRect dropped = form.Bounds();
        app.desktop.Move(form.At(FrmAnnounce::Label1, 50, 10));
        EXPECT_EQ(form.Bounds(), dropped) << "no button held, no drag";
    }
}

TEST(AnnouncerTest, TheAnnounceSwitchRunsTheWriterHiddenAndOnScreen) {
    const struct {
        sim::PixelPoint openedAt;  // where the system opens the window
        bool movedIn;
    } cases[] = {{{90, 90}, false}, {{0, 0}, false}, {{-1, 90}, true}, {{90, -1}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.openedAt.x << ", " << c.openedAt.y);
        TestApp app;
        app.desktop.commandLine = "-a";
        app.desktop.newWindowAt = c.openedAt;
        app.StoreFolder(app.GameFolder());
        app.desktop.AddPlayer("5. Band - Tune - Winamp");
        app.Start();
        EXPECT_FALSE(app.Announcer().IsVisible());
        EXPECT_GE(app.Announcer().timesShown(), 1);
        const TwipRect opened{static_cast<float>(c.openedAt.x) * 15,
                              static_cast<float>(c.openedAt.y) * 15, 3495, 1920};
        // 10 twips in, which is one pixel.
        EXPECT_EQ(app.Announcer().Bounds(), (c.movedIn ? TwipRect{15, 15, 3495, 1650} : opened));
        app.Ticks(2);
        EXPECT_EQ(app.Script(), SayLine("I am currently listening to Band - Tune."));
    }
}

TEST(AnnouncerWriterTest, EveryTickWithAFolderLooksThePlayerUpAfreshAndRewritesTheFile) {
    TestApp app;
    app.forms.Load<FrmAnnounce>();  // no stored folder: no lookup, no file
    app.Ticks(3);
    EXPECT_EQ(app.desktop.windowLookups, 0);
    EXPECT_TRUE(app.desktop.FileWrites().empty());

    // The box as it is now decides the folder, and typing saves nothing.
    app.TypeFolder(app.GameFolder());
    app.Ticks(1);
    EXPECT_EQ(app.Script(), test::kNoSongScript);
    EXPECT_EQ(app.StoredFolder(), std::nullopt);

    const auto player = app.desktop.AddPlayer("7. First - Winamp");
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to First."));
    app.forms.module().MessageTemplate = "Now: %S";  // as read from msg.txt

    // A write that fails is tried again on the next tick, and an unchanged song is written again
    // all the same: the user may have emptied the file meanwhile. A game folder that went is
    // not made again.
    const auto folder = app.desktop.root() / "cstrike", script = folder / "winamp.cfg";
    std::filesystem::remove_all(folder);
    app.Ticks(2);
    EXPECT_FALSE(std::filesystem::exists(folder));
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(script);  // a folder by the script's name
    app.Ticks(2);
    EXPECT_TRUE(std::filesystem::is_directory(script));
    std::filesystem::remove(script);
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("Now: First"));

    app.desktop.RemoveWindow(player);
    app.Ticks(1);
    EXPECT_EQ(app.Script(), test::kNoSongScript);
    app.TypeFolder("");
    app.Ticks(2);
    EXPECT_EQ(app.desktop.FileWrites().size(), 8u);
}

// A disk that does not answer holds the writer's thread alone: the hotkeys and the ticks go on,
// nothing piles up behind the held write but the newest line, which lands once the disk answers,
// and neither unloading the announcer nor the end of the run waits on it.
TEST(AnnouncerWriterTest, AHeldWriteHoldsNoHotkeyNorTickAndOnlyTheNewestLineWaits) {
    TestApp app;
    const auto player = app.desktop.AddPlayer("1. First - Winamp");
    app.StoreFolder(app.GameFolder());
    app.Start();
    app.forms.Load<FrmAnnounce>();
    app.HoldNextWrite();
    app.desktop.KeyDown(test::kControl);
    app.desktop.KeyDown(105);
    for (const char* caption : {"2. Second - Winamp", "3. Third - Winamp"}) {
        app.desktop.Other(player)->caption = caption;
        app.Ticks(2);
    }
    app.desktop.Click(app.Announcer().At(FrmAnnounce::Image1, 2, 2));  // unloaded at once
    EXPECT_EQ(app.desktop.CommandsTo(player).size(), 16u * 5) << "Volume Up on every tick";
    EXPECT_EQ(app.desktop.FileWrites().size(), 1u);
    app.desktop.ReleaseWrites();
    app.desktop.WaitForFileWrites(2);
    EXPECT_EQ(app.desktop.FileWrites().size(), 2u);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Third."));
    app.forms.Load<FrmAnnounce>();
    app.HoldNextWrite();  // and the test ends, with the write held
}

// The game script's line against hostile song titles: whatever the title, the game must find
// exactly one command in the file, and it must be "say". The fuzzer reads every line it makes
// as the game's console does; here, what becomes of each kind of hostile byte.
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
        EXPECT_EQ(announcer::BuildScriptLine("%S", c.title), SayLine(c.message));
    }
    EXPECT_EQ(announcer::BuildScriptLine("\xe9 %S", "x"), SayLine("? x")) << "template";
}

// How a template of plain text fills is the fuzzer's (tests/fuzz/seeds/script_line); here, that
// the filling stops once the message is past the limit, for a template far past any use too.
TEST(ScriptLineTest, FillTemplateStopsOncePastTheLimit) {
    EXPECT_EQ(announcer::FillTemplate("%S%S%S", "ab", 2), "abab");
    EXPECT_EQ(announcer::FillTemplate("ab%S-cd", "", 1), "ab");
    std::string huge;
    for (int i = 0; i < 100000; ++i) {
        huge += "%S";
    }
    const std::string longSong(1000, 'x');
    EXPECT_EQ(announcer::FillTemplate(huge, longSong, 104), longSong);
    EXPECT_EQ(announcer::BuildScriptLine(huge, longSong), SayLine(longSong.substr(0, 104)));
}

}  // namespace
}  // namespace tw
