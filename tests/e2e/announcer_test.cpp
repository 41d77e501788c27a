// The announcer started hidden with "-a": the game script it keeps in the game folder, read
// back byte for byte while the stand-in's caption changes.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

constexpr wchar_t kAnnounceClass[] = L"Tunewarden_frmAnnounce";

// The script is written once a second. Started with "-a", the program shows the announcer,
// lets its events run, then hides it, and under Wine on Xvfb without a window manager that
// hide alone blocks for about two seconds before the first tick can run. Counted from the
// moment the main window exists, the first write lands 2.0 to 2.1 s later there, so the
// limit carries one more second so that a busy machine does not make the test flaky.
constexpr Millis kFirstWriteLimit{3000};
// One tick period, plus room for the write itself.
constexpr Millis kNextWriteLimit{1500};

// The script for a title; with no song, a notice for the user's console alone.
std::string Line(const std::string& title) {
    return title.empty() ? "echo \"Tunewarden: no song is playing\"\r\n"
                         : "say \"I am currently listening to " + title + ".\r\n";
}

class Announcer : public DesktopTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DesktopTest::SetUp());
        // A message template beside the program would change every expected line.
        ASSERT_FALSE(std::filesystem::exists(ExeDirectory() / L"msg.txt"))
            << "remove msg.txt from " << ExeDirectory().string();
        game_ = folder_ / L"game";
        ASSERT_TRUE(std::filesystem::create_directory(game_));
        ASSERT_TRUE(gameFolder_.Write(game_.wstring()))
            << "cannot store the game folder in the registry";
    }

    // Waits for the script to read `title`'s line, from the first start ("-a") or the last
    // caption change.
    void ExpectScript(const std::string& title, bool first = false) const {
        const auto deadline =
            first ? mainWindowUp_ + kFirstWriteLimit : Clock::now() + kNextWriteLimit;
        EXPECT_TRUE(FileHolds(game_ / L"winamp.cfg", Line(title), deadline))
            << "after " << std::chrono::duration_cast<Millis>(Clock::now() - mainWindowUp_).count()
            << " ms from the main window's appearance";
    }

    void ExpectFollows(const wchar_t* caption, const std::string& title) const {
        ASSERT_TRUE(SetWindowTextW(playerWindow_, caption));
        ExpectScript(title);
    }

    // The game folder setting is the user's own, put back after the test.
    KeptSetting gameFolder_{L"WTF", L"CSFolder"};
    std::filesystem::path game_;
};

TEST_F(Announcer, WritesTheSongWhileHiddenAndFollowsTheCaption) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-a"}));
    ExpectScript("Artist - Song", true);

    const HWND announcer = FindTopLevel(kAnnounceClass, L"CS Announce", tunewarden_.id());
    ASSERT_NE(announcer, nullptr) << "no announcer window titled CS Announce";
    // Still hidden a tick later: the writer must not bring it back.
    std::this_thread::sleep_for(Millis(1200));
    EXPECT_FALSE(IsWindowVisible(announcer)) << "the announcer started with -a is showing";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game_), {}), 1)
        << "something beside the script was written into the game's folder";

    // Each differs from the one before, so a stale file can never pass for the next.
    const struct {
        const wchar_t* caption;
        const char* title;
    } captions[] = {
        {L"3. Other - Tune - Winamp", "Other - Tune"},
        // The game splits commands at ";" outside quotes: the quote must not close the say.
        {L"x\"; quit - Winamp", "x'; quit"},
        {L"Winamp 5.9", ""},
        {L"12. Artist - Song - Winamp", "Artist - Song"},
    };
    for (const auto& row : captions) {
        SCOPED_TRACE(std::filesystem::path(row.caption).string());
        ASSERT_NO_FATAL_FAILURE(ExpectFollows(row.caption, row.title));
    }
}

TEST_F(Announcer, TellsOnlyTheUserWithoutPlayerAndOutlastsALockedScript) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-a"}));
    ExpectScript("", true);
    ASSERT_NO_FATAL_FAILURE(StartPlayer(L"1. First - Song - Winamp"));
    ExpectScript("First - Song");

    // Held open without sharing, the file refuses every writer.
    const HANDLE held = LockFile(game_ / L"winamp.cfg");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetWindowTextW(playerWindow_, L"2. Locked - Song - Winamp"));
    // Long enough for two ticks to have come and gone.
    std::this_thread::sleep_for(Millis(2500));
    const std::string locked = ReadAll(held);
    CloseHandle(held);
    EXPECT_EQ(locked, Line("First - Song")) << "the locked file changed";
    ASSERT_TRUE(tunewarden_.Running()) << "Tunewarden ended on an unwritable script";
    EXPECT_TRUE(Answers(mainWindow_)) << "Tunewarden stopped answering";
    EXPECT_EQ(FindTopLevel(kDialogClass, nullptr, tunewarden_.id()), nullptr) << "a dialog came up";

    // Not checked for the locked caption's line first: the tick that follows the release may
    // already have come and gone.
    ExpectFollows(L"3. Free - Song - Winamp", "Free - Song");
}

TEST_F(Announcer, NamesTheSessionsSongWhileItPlaysAndOutlastsAnOperationThatNeverEnds) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-a"}));
    ExpectScript("", true);  // no session
    // The album's artist is "Various Artists" unless given: it must not pass for the artist.
    // A provider in another process takes a moment to answer, well within the worker's wait.
    SetMediaSession("status=Playing\nartist=The Artist\ntitle=The Song\nslow=150");
    ExpectScript("The Artist - The Song");
    SetMediaSession("status=Playing\ntitle=Untitled Artist's Song");
    ExpectScript("Untitled Artist's Song");
    SetMediaSession("status=Paused\nartist=The Artist\ntitle=The Song");
    ExpectScript("");

    SetMediaSession("status=Playing\ntitle=Still Here\nnever=TrySkipNextAsync,TryStopAsync");
    ExpectScript("Still Here");
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_ADD}));  // ten skips
    ASSERT_TRUE(PollUntil(Millis(1000), [&] { return !Log(kMediaSession).empty(); }));
    // The worker waits on the first skip now, but the script is written on, the bar answers
    // at once and hotkeys are taken, to be carried out once the wait is over.
    std::filesystem::remove(game_ / L"winamp.cfg");
    ExpectScript("Still Here");
    EXPECT_TRUE(Answers(mainWindow_, Millis(200)));
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_DECIMAL}));
    ASSERT_NO_FATAL_FAILURE(Chord({VK_CONTROL, VK_NUMPAD0}));
    std::vector<std::uint64_t> log;
    EXPECT_TRUE(PollUntil(Millis(12000), [&] {
        log = Log(kMediaSession);
        return log.back() == kTryPlay;
    })) << testing::PrintToString(log);
    // One wait per action, each for one tick that saw the chord: the other nine skips were
    // dropped, and a Stop that never answered was not taken for a refusal.
    const auto skips = std::count(log.begin(), log.end(), kTrySkipNext);
    EXPECT_TRUE(skips == 1 || skips == 2) << testing::PrintToString(log);
    EXPECT_EQ(std::count(log.begin(), log.end(), kTryPause), 0) << testing::PrintToString(log);
}

}  // namespace
}  // namespace tw::e2e
