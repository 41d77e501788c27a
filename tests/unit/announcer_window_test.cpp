// The announcer window: load, folder button, drag, "OK", close area, and the
// hidden start from the command line.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "announcer_fixture.h"
#include "test_app.h"

namespace tw {
namespace {

using test::AnnouncerApp;
using test::SayLine;

TEST(AnnouncerDesignTest, FocusOrderAndTheCloseAreaOverTheTitleStrip) {
    const auto design = FrmAnnounce::Design();
    EXPECT_EQ(design.name, "frmAnnounce");
    EXPECT_FALSE(design.showInTaskbar);
    EXPECT_EQ(design.frame, platform::FrameKind::None);

    std::vector<int> focusable;
    int label1At = -1;
    int image1At = -1;
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const auto& control = design.controls[i];
        if (control.kind == platform::ControlKind::TextBox ||
            control.kind == platform::ControlKind::PushButton) {
            focusable.push_back(control.id);
        }
        if (control.id == FrmAnnounce::Label1) {
            label1At = static_cast<int>(i);
        }
        if (control.id == FrmAnnounce::Image1) {
            image1At = static_cast<int>(i);
        }
    }
    EXPECT_EQ(focusable, (std::vector<int>{FrmAnnounce::txtCSFolder, FrmAnnounce::cmdFind,
                                           FrmAnnounce::Text1}));
    // Later controls lie over earlier ones: the close area must win over the strip.
    ASSERT_GE(label1At, 0);
    EXPECT_GT(image1At, label1At);
    const auto strip = design.controls[static_cast<std::size_t>(label1At)].rect;
    const auto area = design.controls[static_cast<std::size_t>(image1At)].rect;
    EXPECT_GE(area.left, strip.left);
    EXPECT_LE(area.left + area.width, strip.left + strip.width);
    EXPECT_GE(area.top, strip.top);
    EXPECT_LE(area.top + area.height, strip.top + strip.height);
}

class AnnouncerLoadTest : public ::testing::TestWithParam<std::string> {};

TEST_P(AnnouncerLoadTest, RestoresAnyStoredFolderShowsTheWindowAndDrawsItsFrame) {
    AnnouncerApp app;
    if (!GetParam().empty()) {
        app.StoreFolder(GetParam());
    }
    app.Load();
    auto& form = *app.Form();
    EXPECT_EQ(app.FolderBox(), GetParam());
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(form.Bounds().width, 3495);
    EXPECT_EQ(form.Bounds().height, 1920);
    EXPECT_EQ(form.canvas(platform::kFormSurface).log,
              (std::vector<std::string>{
                  "line 3480,-15 3480,1920 #000000 w1", "line -15,1905 3495,1905 #000000 w1",
                  "line 0,0 3510,0 #FFFFFF w1", "line 0,0 0,1920 #FFFFFF w1", "refresh"}));
    // Loading only reads the setting.
    EXPECT_EQ(app.StoredFolder(),
              GetParam().empty() ? std::nullopt : std::optional<std::string>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(StoredFolders, AnnouncerLoadTest,
                         ::testing::Values("", "C:\\cstrike", "C:\\Games\\cstrike"),
                         [](const auto& testInfo) {
                             return "Length" + std::to_string(testInfo.param.size());
                         });

TEST(AnnouncerFolderButtonTest, APickedFolderGoesIntoTheBoxAndTheSettings) {
    AnnouncerApp app;
    app.StoreFolder("C:\\old");
    auto& announcer = app.Load();
    app.desktop.folderPickerAnswers.push_back(app.gameFolder());
    app.Form()->events().OnClick(FrmAnnounce::cmdFind);

    EXPECT_EQ(app.desktop.folderPickerPrompts,
              std::vector<std::string>{"Select your Counter-Strike folder:"});
    EXPECT_EQ(app.desktop.folderPickerOwners,
              std::vector<platform::WindowHandle>{announcer.hWnd()});
    EXPECT_EQ(app.FolderBox(), app.gameFolder());
    EXPECT_EQ(app.StoredFolder(), app.gameFolder());
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to ."));
}

TEST(AnnouncerFolderButtonTest, ACancelledPickerChangesNothing) {
    AnnouncerApp app;
    app.StoreFolder("C:\\Games\\cstrike");
    app.Load();
    app.Form()->events().OnClick(FrmAnnounce::cmdFind);  // no answer queued: cancelled
    EXPECT_EQ(app.desktop.folderPickerPrompts.size(), 1u);
    EXPECT_EQ(app.FolderBox(), "C:\\Games\\cstrike");
    EXPECT_EQ(app.StoredFolder(), "C:\\Games\\cstrike");

    // Nor does it save a folder the user typed into the box.
    app.TypeFolder("C:\\typed");
    app.Form()->events().OnClick(FrmAnnounce::cmdFind);
    EXPECT_EQ(app.FolderBox(), "C:\\typed");
    EXPECT_EQ(app.StoredFolder(), "C:\\Games\\cstrike");
}

struct ReleaseCase {
    float x;
    float y;
    bool collapses;
};

void PrintTo(const ReleaseCase& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ")";
}

class AnnouncerOkReleaseTest : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(AnnouncerOkReleaseTest, CollapsesOnlyWhenReleasedStrictlyInside) {
    AnnouncerApp app;
    app.desktop.AddPlayer("1. Song - Winamp");
    app.LoadWithFolder();
    auto& form = *app.Form();
    const auto before = form.Bounds();

    form.events().OnMouseDown(FrmAnnounce::Label4, platform::mouse::kLeft, 0, 100, 100);
    EXPECT_EQ(form.foreColour(FrmAnnounce::Label4), 0xE0E0E0u);
    form.events().OnMouseUp(FrmAnnounce::Label4, platform::mouse::kLeft, 0, GetParam().x,
                            GetParam().y);
    EXPECT_EQ(form.foreColour(FrmAnnounce::Label4), 0xFFFFFFu);

    if (GetParam().collapses) {
        EXPECT_EQ(form.Bounds(), (platform::TwipRect{0, 0, 0, 0}));
    } else {
        EXPECT_EQ(form.Bounds(), before);
    }
    EXPECT_TRUE(form.IsVisible());
    // Collapsed or not, the window stays loaded and keeps writing.
    app.Ticks(1);
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
}

INSTANTIATE_TEST_SUITE_P(Points, AnnouncerOkReleaseTest,
                         ::testing::Values(ReleaseCase{172, 120, true}, ReleaseCase{1, 1, true},
                                           ReleaseCase{344.5f, 239.5f, true},
                                           ReleaseCase{0, 120, false}, ReleaseCase{345, 120, false},
                                           ReleaseCase{172, 0, false}, ReleaseCase{172, 240, false},
                                           ReleaseCase{-30, 120, false},
                                           ReleaseCase{172, 900, false}));

class AnnouncerDragTest : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(AnnouncerDragTest, TheTitleStripDragsWithAnyButton) {
    AnnouncerApp app;
    app.Load();
    auto& form = *app.Form();
    const auto start = form.Bounds();
    const std::int16_t button = GetParam();

    // 100.5 rounds to 100 and 51.5 to 52: halves go to the even neighbour.
    form.events().OnMouseDown(FrmAnnounce::Label1, button, 0, 100.5f, 51.5f);
    form.events().OnMouseMove(FrmAnnounce::Label1, button, 0, 130, 40);
    EXPECT_EQ(form.Bounds(),
              (platform::TwipRect{start.left + 30, start.top - 12, start.width, start.height}));

    // The pointer now sits at the grab point again, relative to the moved strip.
    form.events().OnMouseMove(FrmAnnounce::Label1, button, 0, 100, 52);
    EXPECT_EQ(form.Bounds(),
              (platform::TwipRect{start.left + 30, start.top - 12, start.width, start.height}));

    const auto held = form.Bounds();
    form.events().OnMouseMove(FrmAnnounce::Label1, platform::mouse::kNone, 0, 500, 500);
    EXPECT_EQ(form.Bounds(), held);
}

INSTANTIATE_TEST_SUITE_P(Buttons, AnnouncerDragTest,
                         ::testing::Values(platform::mouse::kLeft, platform::mouse::kRight,
                                           platform::mouse::kMiddle, static_cast<std::int16_t>(3)));

TEST(AnnouncerDragElsewhereTest, MovesOnOtherControlsDoNotDrag) {
    AnnouncerApp app;
    app.Load();
    auto& form = *app.Form();
    const auto start = form.Bounds();
    form.events().OnMouseDown(FrmAnnounce::Label1, platform::mouse::kLeft, 0, 10, 10);
    form.events().OnMouseMove(FrmAnnounce::Label3, platform::mouse::kLeft, 0, 400, 400);
    form.events().OnMouseMove(platform::kFormSurface, platform::mouse::kLeft, 0, 400, 400);
    EXPECT_EQ(form.Bounds(), start);
}

TEST(AnnouncerCloseAreaTest, AClickUnloadsTheWindowAndStopsTheWriter) {
    AnnouncerApp app;
    app.desktop.AddPlayer("1. Song - Winamp");
    app.LoadWithFolder();
    app.Ticks(1);
    ASSERT_EQ(app.desktop.fileWrites.size(), 1u);

    app.Form()->events().OnClick(FrmAnnounce::Image1);
    EXPECT_EQ(app.Form(), nullptr);
    EXPECT_EQ(app.forms->frmAnnounceIfLoaded(), nullptr);
    app.forms->ReleaseUnloaded();

    const int lookups = app.desktop.windowLookups;
    app.Ticks(5);
    EXPECT_EQ(app.desktop.fileWrites.size(), 1u);
    EXPECT_EQ(app.desktop.windowLookups, lookups);
    // The last script stays for the game to use.
    EXPECT_EQ(app.Script(), SayLine("I am currently listening to Song."));
    EXPECT_FALSE(app.desktop.processEnded);
}

TEST(AnnouncerCloseAreaTest, TheNextLoadStartsFromTheDesignAndTheStoredFolder) {
    AnnouncerApp app;
    app.LoadWithFolder();
    auto& form = *app.Form();
    form.events().OnMouseUp(FrmAnnounce::Label4, platform::mouse::kLeft, 0, 10, 10);
    app.TypeFolder("C:\\typed");
    app.Form()->events().OnClick(FrmAnnounce::Image1);
    app.forms->ReleaseUnloaded();

    app.forms->frmAnnounce();
    EXPECT_EQ(app.FolderBox(), app.gameFolder());
    EXPECT_EQ(app.Form()->Bounds().width, 3495);
    EXPECT_TRUE(app.Form()->TimerRunning(FrmAnnounce::Timer1));
}

TEST(AnnouncerCloseAreaTest, ACloseRequestFromTheSystemUnloadsOnlyTheAnnouncer) {
    AnnouncerApp app;
    app.LoadWithFolder();
    app.Form()->events().OnCloseRequest();
    EXPECT_EQ(app.Form(), nullptr);
    EXPECT_FALSE(app.desktop.processEnded);
}

TEST(AnnouncerHiddenStartTest, TheAnnounceSwitchRunsTheWriterHidden) {
    test::TestApp app;
    app.desktop.commandLine = "-a";
    std::filesystem::create_directories(app.desktop.root() / "cs");
    app.desktop.settings[{"Tunewarden", "WTF", "CSFolder"}] = app.desktop.root().string() + "\\cs";
    app.desktop.AddPlayer("5. Band - Tune - Winamp");
    app.Start();

    auto* announcer = app.desktop.FindForm("frmAnnounce");
    ASSERT_NE(announcer, nullptr);
    EXPECT_FALSE(announcer->IsVisible());
    EXPECT_GE(announcer->timesShown, 1);

    app.desktop.Advance(std::chrono::seconds(2));
    EXPECT_EQ(app.desktop.ReadRealFile(app.desktop.root() / "cs" / "winamp.cfg"),
              SayLine("I am currently listening to Band - Tune."));
}

TEST(AnnouncerHiddenStartTest, WithoutAStoredFolderTheHiddenAnnouncerWritesNothing) {
    test::TestApp app;
    app.desktop.commandLine = "-a";
    app.Start();
    ASSERT_NE(app.desktop.FindForm("frmAnnounce"), nullptr);
    app.desktop.Advance(std::chrono::seconds(3));
    EXPECT_TRUE(app.desktop.fileWrites.empty());
}

}  // namespace
}  // namespace tw
