// Which player the program talks to, the song its caption names, and what Spotify gets: the
// hotkeys, the bar, the song display and the announcer all go through one lookup.
#include "player/player_link.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "player/song_title.h"
#include "test_app.h"

namespace tw {
namespace {

using player::PlayerKind;
using AppCommands = std::vector<std::uint16_t>;

constexpr const char *kChromium = "Chrome_WidgetWin_0", *kChromiumNew = "Chrome_WidgetWin_1";
constexpr std::uint16_t kNext = 11, kPlayPause = 14;

TEST(PlayerLinkTest, WinampClassThenSpotifyPlayingThenTheMediaSessionThenSpotifyIdle) {
    struct Window {
        const char *className, *caption, *exe;
    };
    constexpr int kSession = 99;
    const struct {
        std::vector<Window> windows;  // front to back
        bool session;                 // the system has a current media session, paused
        int found;                    // -1: none
    } cases[] = {
        {{}, false, -1},
        {{}, true, kSession},
        {{{kChromium, "Artist - Song - YouTube", "chrome.exe"}}, false, -1},
        {{{kChromium, "A - B", "chrome.exe"}, {kChromium, "Spotify Premium", "Spotify.exe"}},
         false,
         1},
        {{{kChromium, "A - B", "Spotify.exe"}, {"Winamp v1.x", "1. C - Winamp", "AIMP.exe"}},
         true,
         1},
        {{{kChromiumNew, "A - B", "Spotify.exe"}}, true, 0},
        {{{kChromium, "Spotify Premium", "Spotify.exe"}}, true, kSession},
        {{{kChromium, "Advertisement", "Spotify.exe"}}, true, kSession},
        // Its untitled windows and helpers, even of its main window's classes, are never it;
        // its main window is, hidden too, as Windows lists hidden windows.
        {{{kChromiumNew, "", "Spotify.exe"},
          {kChromiumNew, "Default IME", "Spotify.exe"},
          {kChromium, "GDI+ Window (Spotify.exe)", "Spotify.exe"},
          {kChromiumNew, "Chrome Legacy Window", "Spotify.exe"},
          {kChromiumNew, "Spotify Free", "Spotify.exe"}},
         false,
         4},
        {{{kChromiumNew, "Spotify", "Spotify.exe"}, {kChromiumNew, "A - B", "Spotify.exe"}},
         true,
         1},
        {{{kChromium, "A - B", "SPOTIFY.EXE"}}, false, 0},
        {{{kChromium, "A - B", "NotSpotify.exe"}}, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.windows.size() << " windows, " << c.found);
        sim::SimDesktop desktop;
        desktop.mediaSession.present = c.session;
        std::vector<platform::WindowHandle> handles;
        for (const Window& w : c.windows) {
            handles.push_back(desktop.AddWindow(w.className, w.caption, w.exe));
        }
        player::PlayerLink link(desktop);
        link.FindPlayer();
        const bool window = c.found >= 0 && c.found != kSession;
        EXPECT_EQ(link.hWndWinamp(), window ? handles[static_cast<std::size_t>(c.found)] : 0);
        const auto kind =
            c.found == kSession ? PlayerKind::MediaSession
            : !window           ? PlayerKind::None
            : std::string_view(c.windows[static_cast<std::size_t>(c.found)].className) ==
                    "Winamp v1.x"
                ? PlayerKind::Winamp
                : PlayerKind::Spotify;
        EXPECT_EQ(link.kind(), kind);
    }
}

TEST(SongTitleTest, CutsTheSongOutOfTheCaptionOrComposesTheSessions) {
    const struct {
        std::string caption, expected;
        PlayerKind kind = PlayerKind::Winamp;
    } cases[] = {
        // A Winamp-class caption: the fuzzer's oracle holds every other caption to the rule,
        // starting from the cases in tests/fuzz/seeds/song_title.
        {"12. Mr. Big - Song - Winamp [Paused]", "Mr. Big - Song"},
        {"Winamp 2.91", ""},
        // Spotify: the song while one plays; paused, idle or advertising, no song.
        {" Artist - Song ", "Artist - Song", PlayerKind::Spotify},
        {"1. Song - Winamp", "1. Song - Winamp", PlayerKind::Spotify},
        {"Spotify", "", PlayerKind::Spotify},
        {"Advertisement", "", PlayerKind::Spotify},
        {"Acme Insurance", "", PlayerKind::Spotify},
        {"Spotify - Song", "Spotify - Song", PlayerKind::Spotify},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(player::SongInCaption(c.kind, c.caption), c.expected) << '"' << c.caption << '"';
    }
    const struct {
        platform::MediaSession session;
        const char* song;
    } sessions[] = {
        {{true, true, " Artist ", " Title "}, "Artist - Title"},
        {{true, true, "", "Title"}, "Title"},
        {{true, false, "Artist", "Title"}, ""},
        {{true, true, "Artist", " "}, ""},
    };
    for (const auto& c : sessions) {
        EXPECT_EQ(player::SongOfSession(c.session), c.song) << c.session.title;
    }
}

// The key maps, and Spotify's gates on its caption, are the end-to-end tests'
// (hotkeys_test.cpp), through the real worker and a real session.
TEST(PlayersTest, TheDisplayTheAnnouncerAndTheBarFollowSpotifyThenTheSessionThenAWinampClassOne) {
    test::TestApp app;
    // In front, with a caption that reads like a song.
    const auto browser = app.desktop.AddWindow(kChromium, "Artist - Song - YouTube", "chrome.exe");
    const auto spotify = app.desktop.AddWindow(kChromium, "Artist - Song", "Spotify.exe");
    const auto received = [&] { return app.desktop.Other(spotify)->appCommands; };
    app.StoreFolder(app.GameFolder());
    app.desktop.commandLine = "-a";  // the announcer, hidden, off the bar
    app.Start();
    const auto click = [&](int x) {
        app.desktop.Click(app.MainForm().At(FrmMain::picButtons, x, 8));
    };
    const auto expect = [&](const char* shown, const std::string& script) {
        app.Chord(104);
        app.Ticks(1);
        EXPECT_EQ(app.Display()->ControlText(FrmSongShow::lblSong), shown);
        EXPECT_EQ(app.Script(), script);
    };
    expect("Artist - Song", test::SayLine("I am currently listening to Artist - Song."));
    click(30);  // Play while a song plays: Spotify has only the toggle
    click(92);
    EXPECT_EQ(received(), AppCommands{kNext});

    app.desktop.Other(spotify)->caption = "Spotify Free";
    expect("No song is playing", test::kNoSongScript);
    click(30);
    EXPECT_EQ(received(), (AppCommands{kNext, kPlayPause}));

    // Spotify paused, a session that plays takes over. Refused, its Stop pauses and never
    // toggles; unanswered, ten skips cost one wait.
    sim::SimMediaSession& session = app.desktop.mediaSession;
    session.present = session.playing = session.refusesStop = true;
    session.artist = "Artist";
    session.title = "Title";
    expect("Artist - Title", test::SayLine("I am currently listening to Artist - Title."));
    click(71);
    session.neverCompletes = true;
    app.Chord(107);
    using enum platform::MediaCommand;
    EXPECT_EQ(session.received, (std::vector{Stop, Pause, Next}));
    session.playing = false;
    expect("No song is playing", test::kNoSongScript);

    const auto winamp = app.desktop.AddPlayer("2. Other - Tune - Winamp");
    click(92);
    expect("Other - Tune", test::SayLine("I am currently listening to Other - Tune."));
    EXPECT_EQ(app.desktop.CommandsTo(winamp), std::vector<std::uint32_t>{test::kNext});
    EXPECT_EQ(received(), (AppCommands{kNext, kPlayPause}));
    EXPECT_EQ(session.received.size(), 3u);
    EXPECT_TRUE(app.desktop.CommandsTo(spotify).empty());
    EXPECT_TRUE(app.desktop.Other(browser)->appCommands.empty());
}

}  // namespace
}  // namespace tw
