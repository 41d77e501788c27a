// Which player the program talks to, the song its caption names, and what Spotify gets: the
// hotkeys, the bar, the song display and the announcer all go through one lookup.
#include "player/player_link.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "announcer/script_writer.h"
#include "player/song_title.h"
#include "test_app.h"

namespace tw {
namespace {

using player::PlayerKind;
using AppCommands = std::vector<std::uint16_t>;

constexpr const char* kChromium = "Chrome_WidgetWin_0";
constexpr std::uint16_t kNext = 11, kPlayPause = 14;

TEST(PlayerLinkTest, AWinampClassWindowFirstThenSpotifysCaptionedWindowByItsProgram) {
    struct Window {
        const char *className, *caption, *exe;
    };
    const struct {
        std::vector<Window> windows;  // front to back
        int found;                    // -1: none
    } cases[] = {
        {{}, -1},
        {{{kChromium, "Artist - Song - YouTube", "chrome.exe"}}, -1},
        {{{kChromium, "A - B", "chrome.exe"}, {kChromium, "Spotify Premium", "Spotify.exe"}}, 1},
        {{{kChromium, "A - B", "Spotify.exe"}, {"Winamp v1.x", "1. C - Winamp", "AIMP.exe"}}, 1},
        // Spotify's hidden helper window has no caption.
        {{{kChromium, "", "Spotify.exe"}, {kChromium, "Spotify", "Spotify.exe"}}, 1},
        {{{kChromium, "A - B", "SPOTIFY.EXE"}}, 0},
        {{{kChromium, "A - B", "NotSpotify.exe"}}, -1},
        {{{"Chrome_WidgetWin_1", "A - B", "Spotify.exe"}}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.windows.size() << " windows, " << c.found);
        sim::SimDesktop desktop;
        std::vector<platform::WindowHandle> handles{0};
        for (const Window& w : c.windows) {
            handles.push_back(desktop.AddWindow(w.className, w.caption, w.exe));
        }
        player::PlayerLink link(desktop);
        link.FindPlayer();
        EXPECT_EQ(link.hWndWinamp(), handles[static_cast<std::size_t>(c.found + 1)]);
        const auto kind =
            c.found < 0 ? PlayerKind::None
            : std::string_view(c.windows[static_cast<std::size_t>(c.found)].className) == kChromium
                ? PlayerKind::Spotify
                : PlayerKind::Winamp;
        EXPECT_EQ(link.kind(), kind);
    }
}

TEST(SongTitleTest, CutsTheSongOutOfTheCaption) {
    const struct {
        std::string caption, expected;
        PlayerKind kind = PlayerKind::Winamp;
    } cases[] = {
        // A Winamp-class caption: the fuzzer's oracle holds every other caption to the rule,
        // starting from the cases in tests/fuzz/seeds/song_title.
        {"12. Mr. Big - Song - Winamp [Paused]", "Mr. Big - Song"},
        {"Winamp 2.91", ""},
        // Spotify: the song while one plays, its name while paused or idle.
        {" Artist - Song ", "Artist - Song", PlayerKind::Spotify},
        {"1. Song - Winamp", "1. Song - Winamp", PlayerKind::Spotify},
        {"Spotify", "", PlayerKind::Spotify},
        {"Spotify Premium", "", PlayerKind::Spotify},
        {"Spotify - Song", "Spotify - Song", PlayerKind::Spotify},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(player::SongInCaption(c.kind, c.caption), c.expected) << '"' << c.caption << '"';
    }
}

// The key map and its gates on the caption are the end-to-end test's (hotkeys_test.cpp).
TEST(SpotifyTest, TheDisplayTheAnnouncerAndTheBarFollowSpotifyUntilAWinampClassPlayerRuns) {
    test::TestApp app;
    // In front, with a caption that reads like a song.
    const auto browser = app.desktop.AddWindow(kChromium, "Artist - Song - YouTube", "chrome.exe");
    const auto spotify = app.desktop.AddWindow(kChromium, "Artist - Song", "Spotify.exe");
    const auto received = [&] { return app.desktop.Other(spotify)->appCommands; };
    app.StoreFolder(app.GameFolder());
    app.desktop.commandLine = "-a";  // the announcer, hidden, off the bar
    app.Start();
    const auto button = [&](int x) { return app.MainForm().At(FrmMain::picButtons, x, 8); };
    const auto expect = [&](const char* shown, const std::string& script) {
        app.Chord(104);
        app.Ticks(1);
        EXPECT_EQ(app.Display()->ControlText(FrmSongShow::lblSong), shown);
        EXPECT_EQ(app.Script(), script);
    };
    expect("Artist - Song", test::SayLine("I am currently listening to Artist - Song."));
    app.desktop.Click(button(30));  // Play while a song plays: Spotify has only the toggle
    app.desktop.Click(button(92));
    EXPECT_EQ(received(), AppCommands{kNext});

    app.desktop.Other(spotify)->caption = "Spotify Free";
    expect("No song is playing", std::string(announcer::kNoSongLine));
    app.desktop.Click(button(30));
    EXPECT_EQ(received(), (AppCommands{kNext, kPlayPause}));

    const auto winamp = app.desktop.AddPlayer("2. Other - Tune - Winamp");
    app.desktop.Click(button(92));
    expect("Other - Tune", test::SayLine("I am currently listening to Other - Tune."));
    EXPECT_EQ(app.desktop.CommandsTo(winamp), std::vector<std::uint32_t>{test::kNext});
    EXPECT_EQ(received(), (AppCommands{kNext, kPlayPause}));
    EXPECT_TRUE(app.desktop.CommandsTo(spotify).empty());
    EXPECT_TRUE(app.desktop.Other(browser)->appCommands.empty());
}

}  // namespace
}  // namespace tw
