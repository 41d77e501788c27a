// The song cut out of the player's caption, as each kind of player writes it.
#include "player/song_title.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

TEST(SongTitleTest, CutsTheSongOutOfTheCaption) {
    const struct {
        std::string caption, expected;
        player::PlayerKind kind = player::PlayerKind::Winamp;
    } cases[] = {
        {"12. Artist - Song - Winamp", "Artist - Song"},
        {"12. Artist - Song - Winamp [Paused]", "Artist - Song"},
        {"0. Artist - Song - Winamp", "Artist - Song"},
        {"Artist - Song - Winamp", "Artist - Song"},
        {"1234.Song - wInAmP", "Song"},
        // Only a number before the first period is the playlist's.
        {"Mr. Big - Song - Winamp", "Mr. Big - Song"},
        {"R.E.M. - Song - Winamp", "R.E.M. - Song"},
        {"12. Mr. Big - Song - Winamp", "Mr. Big - Song"},
        {" 12 . Song - Winamp", "Song"},
        {"1a. Song - Winamp", "1a. Song"},
        {"-1. Song - Winamp", "-1. Song"},
        {". Song - Winamp", ". Song"},
        {"Song 2.0 - Winamp", "Song 2.0"},
        // No marker, or nothing before it.
        {"12. Artist - Song", ""},
        {"Winamp 2.91", ""},
        {"12. Artist - Song -Winamp", ""},
        {" - Winamp - Winamp", ""},
        // The first marker in any case cuts, even inside the song.
        {"3. Live - WINAMP Tour - Winamp", "Live"},
        // Only spaces are trimmed.
        {"12.\tSong\t - Winamp", "\tSong\t"},
        {"   Song    - Winamp", "Song"},
        {"8. 宇多田ヒカル - First Love - Winamp", "宇多田ヒカル - First Love"},
        // Spotify: the song while one plays, its name while paused or idle.
        {" Artist - Song ", "Artist - Song", player::PlayerKind::Spotify},
        {"1. Song - Winamp", "1. Song - Winamp", player::PlayerKind::Spotify},
        {"Spotify", "", player::PlayerKind::Spotify},
        {"Spotify Premium", "", player::PlayerKind::Spotify},
        {"Spotify - Song", "Spotify - Song", player::PlayerKind::Spotify},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(player::SongInCaption(c.kind, c.caption), c.expected) << '"' << c.caption << '"';
    }
}

}  // namespace
}  // namespace tw
