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

// Chromium's window classes, which Spotify and the browsers share.
constexpr const char *kChrome0 = "Chrome_WidgetWin_0", *kChrome1 = "Chrome_WidgetWin_1";

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
        {{{kChrome0, "Artist - Song - YouTube", "chrome.exe"}}, false, -1},
        {{{kChrome0, "A - B", "chrome.exe"}, {kChrome0, "Spotify Premium", "Spotify.exe"}},
         false,
         1},
        {{{kChrome0, "A - B", "Spotify.exe"}, {"Winamp v1.x", "1. C - Winamp", "AIMP.exe"}},
         true,
         1},
        {{{kChrome1, "A - B", "Spotify.exe"}}, true, 0},
        {{{kChrome0, "Spotify Premium", "Spotify.exe"}}, true, kSession},
        {{{kChrome0, "Advertisement", "Spotify.exe"}}, true, kSession},
        // Its untitled windows and helpers, even of its main window's classes, are never it;
        // its main window is, hidden too, as Windows lists hidden windows.
        {{{kChrome1, "", "Spotify.exe"},
          {kChrome1, "Default IME", "Spotify.exe"},
          {kChrome0, "GDI+ Window (Spotify.exe)", "Spotify.exe"},
          {kChrome1, "Chrome Legacy Window", "Spotify.exe"},
          {kChrome1, "Spotify Free", "Spotify.exe"}},
         false,
         4},
        {{{kChrome1, "Spotify", "Spotify.exe"}, {kChrome1, "A - B", "Spotify.exe"}}, true, 1},
        {{{kChrome0, "A - B", "SPOTIFY.EXE"}}, false, 0},
        {{{kChrome0, "A - B", "NotSpotify.exe"}}, false, -1},
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
        const auto at = static_cast<std::size_t>(c.found);
        const bool window = c.found >= 0 && c.found != kSession;
        EXPECT_EQ(link.window(), window ? handles[at] : 0);
        const bool winamp = window && std::string_view(c.windows[at].className) == "Winamp v1.x";
        using enum PlayerKind;
        EXPECT_EQ(link.kind(), c.found == kSession ? MediaSession
                               : !window           ? None
                               : winamp            ? Winamp
                                                   : Spotify);
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

// What the hotkeys and the bar send each kind of player, and Spotify's gates on its caption, are
// the end-to-end tests' (hotkeys_test.cpp); here, that the song display and the announcer name
// the song of the player they drive, never a browser's.
TEST(PlayersTest, TheDisplayAndTheAnnouncerFollowSpotifyThenTheSessionThenAWinampClassOne) {
    test::TestApp app;
    // In front, with a caption that reads like a song.
    app.desktop.AddWindow(kChrome0, "Artist - Song - YouTube", "chrome.exe");
    const auto spotify = app.desktop.AddWindow(kChrome0, "Artist - Song", "Spotify.exe");
    app.StoreFolder(app.GameFolder());
    app.desktop.commandLine = "-a";  // the announcer, hidden, off the bar
    app.Start();
    const auto expect = [&](const std::string& song) {
        app.Chord(104);
        app.Ticks(1);
        EXPECT_EQ(app.Display()->ControlText(FrmSongShow::lblSong),
                  song.empty() ? "No song is playing" : song);
        EXPECT_EQ(app.Script(), song.empty()
                                    ? test::kNoSongScript
                                    : test::SayLine("I am currently listening to " + song + "."));
    };
    expect("Artist - Song");
    app.desktop.Other(spotify)->caption = "Spotify Free";
    expect("");
    // Spotify paused, a session that plays takes over.
    sim::SimMediaSession& session = app.desktop.mediaSession;
    session.present = session.playing = true;
    session.artist = "Artist";
    session.title = "Title";
    expect("Artist - Title");
    session.playing = false;
    expect("");
    app.desktop.AddPlayer("2. Other - Tune - Winamp");
    expect("Other - Tune");
}

}  // namespace
}  // namespace tw
