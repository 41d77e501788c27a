#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "player/song_title.h"
#include "sim_desktop.h"

namespace tw {
namespace {

struct TitleCase {
    std::string caption;
    std::string expected;
};

void PrintTo(const TitleCase& c, std::ostream* out) {
    *out << '"' << c.caption << '"';
}

class TitleRuleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleRuleTest, CutsTheSongOutOfTheCaption) {
    EXPECT_EQ(player::CutSongTitle(GetParam().caption), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, TitleRuleTest,
    ::testing::Values(
        TitleCase{"12. Artist - Song - Winamp", "Artist - Song"},
        TitleCase{"12. Artist - Song - Winamp [Paused]", "Artist - Song"},
        TitleCase{"12. Artist - Song - Winamp [Stopped]", "Artist - Song"},
        TitleCase{"Artist - Song - Winamp", "Artist - Song"},
        TitleCase{"12. Song - WINAMP", "Song"}, TitleCase{"12.Song - Winamp", "Song"},
        TitleCase{"1234. Song - wInAmP", "Song"},
        // Only a number before the first period is the playlist's.
        TitleCase{"Mr. Big - Song - Winamp", "Mr. Big - Song"},
        TitleCase{"R.E.M. - Song - Winamp", "R.E.M. - Song"},
        TitleCase{"12. Mr. Big - Song - Winamp", "Mr. Big - Song"},
        TitleCase{"12. R.E.M. - Song - Winamp", "R.E.M. - Song"},
        TitleCase{" 12 . Song - Winamp", "Song"}, TitleCase{"1a. Song - Winamp", "1a. Song"},
        TitleCase{"-1. Song - Winamp", "-1. Song"}, TitleCase{". Song - Winamp", ". Song"},
        TitleCase{"Song 2.0 - Winamp", "Song 2.0"},
        // No marker, or nothing before it.
        TitleCase{"12. Artist - Song", ""}, TitleCase{"Winamp 2.91", ""},
        TitleCase{"12. Artist - Song -Winamp", ""}, TitleCase{"", ""}, TitleCase{" - Winamp", ""},
        TitleCase{" - Winamp - Winamp", ""},
        // The first marker in any case cuts, even inside the song.
        TitleCase{"3. Live - WINAMP Tour - Winamp", "Live"},
        TitleCase{"3. A - winamp b - Winamp", "A"},
        // Only spaces are trimmed.
        TitleCase{"12.\tSong\t - Winamp", "\tSong\t"}, TitleCase{"   Song    - Winamp", "Song"},
        // Characters outside ASCII are kept as they are.
        TitleCase{"7. Кино - Группа крови - Winamp", "Кино - Группа крови"},
        TitleCase{"8. 宇多田ヒカル - First Love - Winamp", "宇多田ヒカル - First Love"},
        TitleCase{"Beyoncé - Déjà Vu - Winamp", "Beyoncé - Déjà Vu"}));

TEST(ReadPlayerTitleTest, ReadsTheCaptionOfTheGivenWindow) {
    sim::SimDesktop desktop;
    const auto player = desktop.AddPlayer("5. Артист - Песня - Winamp [Paused]");
    desktop.AddWindow("Other", "9. Wrong - Song - Winamp");
    EXPECT_EQ(player::ReadPlayerTitle(desktop, player), "Артист - Песня");
}

TEST(ReadPlayerTitleTest, NoWindowGivesTheEmptyTitle) {
    sim::SimDesktop desktop;
    EXPECT_EQ(player::ReadPlayerTitle(desktop, 0), "");
    EXPECT_EQ(player::ReadPlayerTitle(desktop, 0x7777), "") << "a window that has gone";
}

}  // namespace
}  // namespace tw
