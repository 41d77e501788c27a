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
        const char* className;
        const char* caption;
        const char* exe;
    };
    const struct {
        const char* what;
        std::vector<Window> windows;  // front to back
        int found;                    // -1: none
        PlayerKind kind;
    } cases[] = {
        {"nothing", {}, -1, PlayerKind::None},
        {"a browser tab",
         {{kChromium, "Artist - Song - YouTube", "chrome.exe"}},
         -1,
         PlayerKind::None},
        {"Spotify behind a browser",
         {{kChromium, "Artist - Song", "chrome.exe"},
          {kChromium, "Spotify Premium", "Spotify.exe"}},
         1,
         PlayerKind::Spotify},
        {"a Winamp-class player behind Spotify",
         {{kChromium, "A - B", "Spotify.exe"}, {"Winamp v1.x", "1. C - D - Winamp", "AIMP.exe"}},
         1,
         PlayerKind::Winamp},
        {"Spotify's helper window first",
         {{kChromium, "", "Spotify.exe"}, {kChromium, "Spotify", "Spotify.exe"}},
         1,
         PlayerKind::Spotify},
        {"the name in capitals", {{kChromium, "A - B", "SPOTIFY.EXE"}}, 0, PlayerKind::Spotify},
        {"a name ending in it", {{kChromium, "A - B", "NotSpotify.exe"}}, -1, PlayerKind::None},
        {"another class", {{"Chrome_WidgetWin_1", "A - B", "Spotify.exe"}}, -1, PlayerKind::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::SimDesktop desktop;
        std::vector<platform::WindowHandle> handles;
        for (const Window& w : c.windows) {
            handles.push_back(desktop.AddWindow(w.className, w.caption, w.exe));
        }
        player::PlayerLink link(desktop);
        link.FindPlayer();
        EXPECT_EQ(link.hWndWinamp(), c.found < 0 ? 0 : handles[static_cast<std::size_t>(c.found)]);
        EXPECT_EQ(link.kind(), c.kind);
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
    platform::WindowHandle browser = 0;
    platform::WindowHandle spotify = 0;
};

TEST_F(SpotifyTest, EachHotkeySendsWhatSpotifyHonoursAndNothingReachesTheBrowser) {
    const AppCommands none, next10(10, kNext), previous10(10, kPrevious);
    const struct {
        int key;
        AppCommands playing;
        AppCommands idle;
    } rows[] = {
        {96, none, {kPlayPause}},
        {110, {kPlayPause}, none},
        {97, {kPrevious}, {kPrevious}},
        {98, {kPlayPause}, {kPlayPause}},
        {99, {kNext}, {kNext}},
        {100, none, none},
        {101, none, none},
        {102, none, none},
        {103, none, none},
        {104, none, none},
        {105, none, none},
        {107, next10, next10},
        {109, previous10, previous10},
    };
    for (const char* caption : {"Artist - Song", "Spotify Premium"}) {
        app.desktop.Other(spotify)->caption = caption;
        for (const auto& row : rows) {
            const auto before = Received().size();
            app.Chord(row.key);
            const auto all = Received();
            EXPECT_EQ(AppCommands(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()),
                      caption == std::string("Spotify Premium") ? row.idle : row.playing)
                << caption << ", key " << row.key;
        }
    }
    EXPECT_TRUE(app.desktop.CommandsTo(spotify).empty());
    EXPECT_TRUE(app.desktop.CommandsTo(browser).empty());
    EXPECT_TRUE(app.desktop.Other(browser)->appCommands.empty());
}

TEST_F(SpotifyTest, TheDisplayTheAnnouncerAndTheBarFollowSpotifyUntilAWinampClassPlayerRuns) {
    const auto nextButton = app.MainForm().At(FrmMain::picButtons, 92, 8);
    const auto song = [&] { return app.Display()->ControlText(FrmSongShow::lblSong); };
    app.Chord(104);
    EXPECT_EQ(song(), "Artist - Song");
    app.Ticks(1);
    EXPECT_EQ(app.Script(), test::SayLine("I am currently listening to Artist - Song."));
    app.desktop.Click(nextButton);
    EXPECT_EQ(Received(), AppCommands{kNext});

    app.desktop.Other(spotify)->caption = "Spotify Free";
    app.Chord(104);
    app.Ticks(1);
    EXPECT_EQ(song(), "No song is playing");
    EXPECT_EQ(app.Script(), announcer::kNoSongLine);

    const auto winamp = app.desktop.AddPlayer("2. Other - Tune - Winamp");
    app.desktop.Click(nextButton);
    app.Chord(104);
    app.Ticks(1);
    EXPECT_EQ(app.desktop.CommandsTo(winamp), std::vector<std::uint32_t>{40048});
    EXPECT_EQ(song(), "Other - Tune");
    EXPECT_EQ(app.Script(), test::SayLine("I am currently listening to Other - Tune."));
    EXPECT_EQ(Received(), AppCommands{kNext});
}

}  // namespace
}  // namespace tw
