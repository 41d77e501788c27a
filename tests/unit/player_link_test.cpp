// Which player the program talks to, and what Spotify gets: the hotkeys, the
// bar, the song display and the announcer all go through one lookup.
#include "player/player_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "announcer/script_writer.h"
#include "test_app.h"

namespace tw {
namespace {

using player::PlayerKind;
using AppCommands = std::vector<std::uint16_t>;

constexpr const char* kChromium = "Chrome_WidgetWin_0";
constexpr std::uint16_t kNext = 11, kPrevious = 12, kPlayPause = 14;

TEST(PlayerLinkTest, AWinampClassWindowFirstThenSpotifysCaptionedWindowByItsProgram) {
    struct Window {
        const char *className, *caption, *exe;
    };
    const struct {
        std::vector<Window> windows;  // front to back
        int found;                    // -1: none
        PlayerKind kind;
    } cases[] = {
        {{}, -1, PlayerKind::None},
        {{{kChromium, "Artist - Song - YouTube", "chrome.exe"}}, -1, PlayerKind::None},
        {{{kChromium, "A - B", "chrome.exe"}, {kChromium, "Spotify Premium", "Spotify.exe"}},
         1,
         PlayerKind::Spotify},
        {{{kChromium, "A - B", "Spotify.exe"}, {"Winamp v1.x", "1. C - Winamp", "AIMP.exe"}},
         1,
         PlayerKind::Winamp},
        // Spotify's hidden helper window has no caption.
        {{{kChromium, "", "Spotify.exe"}, {kChromium, "Spotify", "Spotify.exe"}},
         1,
         PlayerKind::Spotify},
        {{{kChromium, "A - B", "SPOTIFY.EXE"}}, 0, PlayerKind::Spotify},
        {{{kChromium, "A - B", "NotSpotify.exe"}}, -1, PlayerKind::None},
        {{{"Chrome_WidgetWin_1", "A - B", "Spotify.exe"}}, -1, PlayerKind::None},
    };
    for (const auto& c : cases) {
        sim::SimDesktop desktop;
        std::vector<platform::WindowHandle> handles;
        for (const Window& w : c.windows) {
            handles.push_back(desktop.AddWindow(w.className, w.caption, w.exe));
        }
        player::PlayerLink link(desktop);
        link.FindPlayer();
        const auto found = c.found < 0 ? 0 : handles[static_cast<std::size_t>(c.found)];
        EXPECT_EQ(link.hWndWinamp(), found) << c.windows.size() << " windows, " << c.found;
        EXPECT_EQ(link.kind(), c.kind) << c.windows.size() << " windows, " << c.found;
    }
}

class SpotifyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // In front, with a caption that reads like a song.
        browser = app.desktop.AddWindow(kChromium, "Artist - Song - YouTube", "chrome.exe");
        spotify = app.desktop.AddWindow(kChromium, "Artist - Song", "Spotify.exe");
        app.StoreFolder(app.GameFolder());
        app.desktop.commandLine = "-a";  // the announcer, hidden, off the bar
        app.Start();
    }
    AppCommands Received() { return app.desktop.Other(spotify)->appCommands; }

    test::TestApp app;
    platform::WindowHandle browser = 0, spotify = 0;
};

// The whole key map is the end-to-end test's (players_test.cpp); here, the gates on the
// caption, with a song and idle, and that nothing reaches the browser.
TEST_F(SpotifyTest, EachHotkeySendsWhatSpotifyHonoursAndNothingReachesTheBrowser) {
    const AppCommands none, next10(10, kNext);
    const struct {
        int key;
        AppCommands playing, idle;
    } rows[] = {
        {96, none, {kPlayPause}},         {110, {kPlayPause}, none}, {97, {kPrevious}, {kPrevious}},
        {98, {kPlayPause}, {kPlayPause}}, {100, none, none},         {107, next10, next10}};
    for (const bool idle : {false, true}) {
        app.desktop.Other(spotify)->caption = idle ? "Spotify Premium" : "Artist - Song";
        for (const auto& row : rows) {
            const auto before = Received().size();
            app.Chord(row.key);
            EXPECT_EQ(test::Since(Received(), before), idle ? row.idle : row.playing)
                << idle << ", key " << row.key;
        }
    }
    EXPECT_TRUE(app.desktop.CommandsTo(spotify).empty());
    EXPECT_TRUE(app.desktop.CommandsTo(browser).empty());
    EXPECT_TRUE(app.desktop.Other(browser)->appCommands.empty());
}

TEST_F(SpotifyTest, TheDisplayTheAnnouncerAndTheBarFollowSpotifyUntilAWinampClassPlayerRuns) {
    const auto nextButton = app.MainForm().At(FrmMain::picButtons, 92, 8);
    const auto expect = [&](const char* shown, const std::string& script) {
        app.Chord(104);
        app.Ticks(1);
        EXPECT_EQ(app.Display()->ControlText(FrmSongShow::lblSong), shown);
        EXPECT_EQ(app.Script(), script);
    };
    expect("Artist - Song", test::SayLine("I am currently listening to Artist - Song."));
    app.desktop.Click(nextButton);
    EXPECT_EQ(Received(), AppCommands{kNext});

    app.desktop.Other(spotify)->caption = "Spotify Free";
    expect("No song is playing", std::string(announcer::kNoSongLine));

    const auto winamp = app.desktop.AddPlayer("2. Other - Tune - Winamp");
    app.desktop.Click(nextButton);
    expect("Other - Tune", test::SayLine("I am currently listening to Other - Tune."));
    EXPECT_EQ(app.desktop.CommandsTo(winamp), std::vector<std::uint32_t>{40048});
    EXPECT_EQ(Received(), AppCommands{kNext});
}

}  // namespace
}  // namespace tw
