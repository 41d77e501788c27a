// The announcer window (folder, drag, "OK", close area, hidden start) and the
// once-a-second writer of the game script that its timer drives.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "test_app.h"

namespace tw {
namespace {

using platform::TwipRect;
using test::SayLine;
using test::TestApp;

const std::string kNothing = SayLine("I am currently listening to .");

TEST(AnnouncerTest, TabOrderAndTheCloseAreaLyingOverTheTitleStrip) {
    const auto controls = FrmAnnounce::Design().controls;
    std::vector<int> focusable;
    std::vector<int> ids;
    for (const auto& control : controls) {
        ids.push_back(control.id);
        if (control.kind == platform::ControlKind::TextBox ||
            control.kind == platform::ControlKind::PushButton) {
            focusable.push_back(control.id);
        }
    }
    EXPECT_EQ(focusable, (std::vector<int>{FrmAnnounce::txtCSFolder, FrmAnnounce::cmdFind,
                                           FrmAnnounce::Text1}));
    // Later controls lie over earlier ones: the close area must win over the strip.
    const auto strip = std::find(ids.begin(), ids.end(), FrmAnnounce::Label1) - ids.begin();
    const auto area = std::find(ids.begin(), ids.end(), FrmAnnounce::Image1) - ids.begin();
    ASSERT_LT(strip, area);
    ASSERT_LT(area, std::ssize(ids));
    const auto s = controls[static_cast<std::size_t>(strip)].rect;
    const auto a = controls[static_cast<std::size_t>(area)].rect;
    EXPECT_TRUE(a.left >= s.left && a.left + a.width <= s.left + s.width && a.top >= s.top &&
                a.top + a.height <= s.top + s.height);
}

TEST(AnnouncerTest, LoadRestoresAnyStoredFolderAndDrawsTheFrame) {
    for (const std::string folder : {"", "C:\\cstrike", "C:\\Games\\cstrike"}) {
        SCOPED_TRACE(folder);
        TestApp app;
        app.StoreFolder(folder);
        app.forms.frmAnnounce();
        auto& form = app.Announcer();
        EXPECT_EQ(app.FolderBox(), folder);
        EXPECT_TRUE(form.IsVisible());
        EXPECT_EQ(form.Bounds().width, 3495);
        EXPECT_EQ(form.Bounds().height, 1920);
        EXPECT_EQ(form.canvas(platform::kFormSurface).log,
                  (std::vector<std::string>{
                      "line 3480,-15 3480,1920 #000000 w1", "line -15,1905 3495,1905 #000000 w1",
                      "line 0,0 3510,0 #FFFFFF w1", "line 0,0 0,1920 #FFFFFF w1", "refresh"}));
    }
}

TEST(AnnouncerTest, OnlyAPickedFolderGoesIntoTheBoxAndTheSettings) {
    TestApp app;
    app.StoreFolder("C:\\old");
    auto& announcer = app.forms.frmAnnounce();
    app.TypeFolder("C:\\typed");
    app.Announcer().events().OnClick(FrmAnnounce::cmdFind);  // cancelled: nothing changes
    EXPECT_EQ(app.FolderBox(), "C:\\typed");
    EXPECT_EQ(app.StoredFolder(), "C:\\old");

    app.desktop.folderPickerAnswers.push_back(app.GameFolder());
    app.Announcer().events().OnClick(FrmAnnounce::cmdFind);
    EXPECT_EQ(app.desktop.folderPickerPrompts,
              std::vector<std::string>(2, "Select your Counter-Strike folder:"));
    EXPECT_EQ(app.desktop.folderPickerOwners[1], announcer.hWnd());
    EXPECT_EQ(app.FolderBox(), app.GameFolder());
    EXPECT_EQ(app.StoredFolder(), app.GameFolder());
}

TEST(AnnouncerTest, OkCollapsesTheWindowOnlyWhenReleasedStrictlyInside) {
    const struct {
        float x;
        float y;
        bool collapses;
    } cases[] = {{172, 120, true},  {1, 1, true},      {344.5f, 239.5f, true},
                 {0, 120, false},   {345, 120, false}, {172, 0, false},
                 {172, 240, false}, {-30, 120, false}, {172, 900, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        TestApp app;
        app.desktop.AddPlayer("1. Song - Winamp");
        app.StoreFolder(app.GameFolder());
        app.forms.frmAnnounce();
        auto& form = app.Announcer();
        const auto before = form.Bounds();
        form.events().OnMouseDown(FrmAnnounce::Label4, platform::mouse::kLeft, 0, 100, 100);
        EXPECT_EQ(form.foreColour(FrmAnnounce::Label4), 0xE0E0E0u);
        form.events().OnMouseUp(FrmAnnounce::Label4, platform::mouse::kLeft, 0, c.x, c.y);
        EXPECT_EQ(form.foreColour(FrmAnnounce::Label4), 0xFFFFFFu);
        EXPECT_EQ(form.Bounds(), (c.collapses ? TwipRect{0, 0, 0, 0} : before));
        // Collapsed or not, the window stays loaded and keeps writing.
        app.Ticks(1);
        EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
    }
}

TEST(AnnouncerTest, TheTitleStripDragsWithAnyButtonAndNothingElseDoes) {
    for (const std::int16_t button :
         {std::int16_t{1}, std::int16_t{2}, std::int16_t{4}, std::int16_t{3}}) {
        SCOPED_TRACE(button);
        TestApp app;
        app.forms.frmAnnounce();
        auto& events = app.Announcer().events();
        const auto start = app.Announcer().Bounds();
        const TwipRect moved{start.left + 30, start.top - 12, start.width, start.height};

        // 100.5 rounds to 100 and 51.5 to 52: halves go to the even neighbour.
        events.OnMouseDown(FrmAnnounce::Label1, button, 0, 100.5f, 51.5f);
        events.OnMouseMove(FrmAnnounce::Label3, button, 0, 400, 400);
        events.OnMouseMove(platform::kFormSurface, button, 0, 400, 400);
        EXPECT_EQ(app.Announcer().Bounds(), start);
        events.OnMouseMove(FrmAnnounce::Label1, button, 0, 130, 40);
        EXPECT_EQ(app.Announcer().Bounds(), moved);
        // The pointer now sits at the grab point again, relative to the moved strip.
        events.OnMouseMove(FrmAnnounce::Label1, button, 0, 100, 52);
        EXPECT_EQ(app.Announcer().Bounds(), moved);
        events.OnMouseMove(FrmAnnounce::Label1, platform::mouse::kNone, 0, 500, 500);
        EXPECT_EQ(app.Announcer().Bounds(), moved);
    }
}

TEST(AnnouncerTest, TheCloseAreaAndTheSystemUnloadOnlyTheAnnouncer) {
    TestApp app;
    app.desktop.AddPlayer("1. Song - Winamp");
    app.StoreFolder(app.GameFolder());
    app.forms.frmAnnounce();
    app.Ticks(1);
    app.Announcer().events().OnMouseUp(FrmAnnounce::Label4, platform::mouse::kLeft, 0, 10, 10);
    app.TypeFolder("C:\\typed");
    app.Announcer().events().OnClick(FrmAnnounce::Image1);
    EXPECT_EQ(app.Form("frmAnnounce"), nullptr);
    app.forms.ReleaseUnloaded();

    const int lookups = app.desktop.windowLookups;
    app.Ticks(5);
    EXPECT_EQ(app.desktop.fileWrites.size(), 1u);
    EXPECT_EQ(app.desktop.windowLookups, lookups);
    // The last script stays for the game to use.
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));

    // The next load starts from the design and the stored folder.
    app.forms.frmAnnounce();
    EXPECT_EQ(app.FolderBox(), app.GameFolder());
    EXPECT_EQ(app.Announcer().Bounds().width, 3495);
    app.Ticks(1);
    EXPECT_EQ(app.desktop.fileWrites.size(), 2u);

    app.Announcer().events().OnCloseRequest();
    EXPECT_EQ(app.Form("frmAnnounce"), nullptr);
    EXPECT_FALSE(app.desktop.processEnded);
}

TEST(AnnouncerTest, TheAnnounceSwitchRunsTheWriterHidden) {
    TestApp app;
    app.desktop.commandLine = "-a";
    app.StoreFolder(app.GameFolder());
    app.desktop.AddPlayer("5. Band - Tune - Winamp");
    app.Start();
    EXPECT_FALSE(app.Announcer().IsVisible());
    EXPECT_GE(app.Announcer().timesShown, 1);
    app.Ticks(2);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Band - Tune."));
}

TEST(AnnouncerWriterTest, OneTickWritesTheWholeFile) {
    const char* kDefault = "I am currently listening to %S.";
    const struct {
        const char* messageTemplate;
        const char* caption;  // null: no player running
        std::string expected;
    } cases[] = {
        {kDefault, "12. Artist - Song - Winamp",
         SayLine("I am currently listening to Artist - Song.")},
        {kDefault, nullptr, kNothing},
        {kDefault, "1. Caf\xc3\xa9 Mot\xc3\xb6rhead - Winamp",
         SayLine("I am currently listening to Caf\xe9 Mot\xf6rhead.")},
        {"\"%S\" rocks", "1. Song - Winamp", SayLine("'Song' rocks")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.messageTemplate);
        TestApp app;
        if (c.caption != nullptr) {
            app.desktop.AddPlayer(c.caption);
        }
        app.StoreFolder(app.GameFolder());
        app.forms.frmAnnounce();
        app.forms.module().MessageTemplate = c.messageTemplate;
        app.Ticks(1);
        EXPECT_EQ(app.Script(), c.expected);
    }
}

TEST(AnnouncerWriterTest, TheFolderBoxDecidesWhereAndWhetherToWrite) {
    TestApp app;
    app.desktop.AddPlayer();
    app.forms.frmAnnounce();  // no stored folder
    const int lookups = app.desktop.windowLookups;
    app.Ticks(3);
    EXPECT_EQ(app.desktop.windowLookups, lookups);
    EXPECT_TRUE(app.desktop.fileWrites.empty());

    // The box as it is now decides the folder, and typing saves nothing.
    app.TypeFolder(app.GameFolder());
    app.Ticks(1);
    EXPECT_TRUE(app.Script().has_value());
    EXPECT_EQ(app.StoredFolder(), std::nullopt);
    app.TypeFolder("");
    app.Ticks(2);
    EXPECT_EQ(app.desktop.fileWrites.size(), 1u);
}

TEST(AnnouncerWriterTest, AFailedWriteIsRetriedEveryTick) {
    TestApp app;
    app.StoreFolder(app.GameFolder());
    app.desktop.unwritable.insert(app.desktop.root() / "cstrike");
    app.desktop.AddPlayer("1. Song - Winamp");
    app.forms.frmAnnounce();
    app.Ticks(2);
    EXPECT_EQ(app.desktop.fileWrites.size(), 2u);

    app.desktop.unwritable.clear();
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
}

TEST(AnnouncerWriterTest, EveryTickLooksThePlayerUpAfreshAndRewritesTheFile) {
    TestApp app;
    app.StoreFolder(app.GameFolder());
    auto& announcer = app.forms.frmAnnounce();
    app.Ticks(1);
    EXPECT_EQ(app.Script(), kNothing);

    const auto player = app.desktop.AddPlayer("7. First - Winamp");
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), player);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to First."));

    // An unchanged song is written again all the same: the user may have
    // emptied or replaced the file in between.
    std::filesystem::remove(app.desktop.root() / "cstrike" / "winamp.cfg");
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to First."));

    app.desktop.RemoveWindow(player);
    app.Ticks(1);
    EXPECT_EQ(announcer.hWndWinamp(), 0u);
    EXPECT_EQ(app.Script(), kNothing);
}

}  // namespace
}  // namespace tw
