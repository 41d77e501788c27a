// The announcer window (folder, drag, "OK", close area, hidden start), driven
// by the pointer, and the once-a-second writer of the game script that its
// timer drives.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "test_app.h"

namespace tw {
namespace {

using platform::TwipRect;
using test::SayLine;
using test::TestApp;

// No song: the script tells the user alone, never the other players.
const std::string kNothing = "echo \"Tunewarden: no song is playing\"\r\n";

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
    EXPECT_TRUE(app.Announcer().IsVisible());
    const auto findButton = app.At(FrmAnnounce::cmdFind, 5, 5);
    app.TypeFolder("C:\\typed");
    app.desktop.Click(findButton);  // cancelled: nothing changes
    EXPECT_EQ(app.FolderBox(), "C:\\typed");
    EXPECT_EQ(app.StoredFolder(), stored);
    app.desktop.folderPickerAnswers.push_back("C:\\picked");
    app.desktop.Press(findButton);
    app.desktop.Release(app.At(FrmAnnounce::cmdFind, 40, 5));  // off the button: no click
    app.desktop.Click(findButton);
    EXPECT_EQ(app.desktop.folderPickerOwners.back(), app.Announcer().Handle());
    EXPECT_EQ(app.FolderBox(), "C:\\picked");
    EXPECT_EQ(app.StoredFolder(), "C:\\picked");

    // The close area and the system unload the announcer alone.
    app.TypeFolder(stored);
    app.StoreFolder(stored);
    app.Ticks(1);
    app.desktop.Click(app.At(FrmAnnounce::Label4, 5, 5));  // collapsed: the writer goes on
    app.forms.Load<FrmAnnounce>().window().Move(900, 900, 3495, 1920);
    app.desktop.Press(app.At(FrmAnnounce::Image1, 2, 2));
    app.desktop.Release(app.At(FrmAnnounce::Label1, 20, 2));  // slipped off: no click
    ASSERT_NE(app.Form("frmAnnounce"), nullptr);
    app.desktop.Click(app.At(FrmAnnounce::Image1, 2, 2));
    EXPECT_EQ(app.Form("frmAnnounce"), nullptr);

    const int lookups = app.desktop.windowLookups;
    app.Ticks(5);
    EXPECT_EQ(app.desktop.fileWrites.size(), 1u);
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
    const auto& announcer = *app.forms.Loaded<FrmAnnounce>();
    app.Ticks(3);
    EXPECT_EQ(app.desktop.windowLookups, 0);
    EXPECT_TRUE(app.desktop.fileWrites.empty());

    // The box as it is now decides the folder, and typing saves nothing.
    app.TypeFolder(app.GameFolder());
    app.Ticks(1);
    EXPECT_EQ(app.Script(), kNothing);
    EXPECT_EQ(app.StoredFolder(), std::nullopt);

    const auto player = app.desktop.AddPlayer("7. First - Winamp");
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), player);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to First."));
    app.forms.module().MessageTemplate = "Now: %S";  // as read from msg.txt

    // A failed write is tried again on the next tick; an unchanged song is
    // written again all the same: the user may have emptied the file meanwhile.
    std::filesystem::remove(app.desktop.root() / "cstrike" / "winamp.cfg");
    app.desktop.unwritable.insert(app.desktop.root() / "cstrike");
    app.Ticks(1);
    EXPECT_EQ(app.Script(), std::nullopt);
    app.desktop.unwritable.clear();
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("Now: First"));

    app.desktop.RemoveWindow(player);
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), 0u);
    EXPECT_EQ(app.Script(), kNothing);
    app.TypeFolder("");
    app.Ticks(2);
    EXPECT_EQ(app.desktop.fileWrites.size(), 5u);
}

}  // namespace
}  // namespace tw
