#include <gtest/gtest.h>

#include "test_app.h"

namespace tw {
namespace {

TEST(MainWindowTest, LoadShowsTheWindowAtItsDesignSize) {
    test::TestApp app;
    app.Start();
    auto& form = app.MainForm();
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(form.Bounds().width, 2835);
    EXPECT_EQ(form.Bounds().height, 4350);
    EXPECT_EQ(form.desc().backColour, 0x404040u);
    EXPECT_EQ(form.desc().frame, platform::FrameKind::None);
}

TEST(MainWindowTest, LoadReadsTheMessageTemplateBesideTheProgram) {
    test::TestApp app;
    app.desktop.WriteRealFile(app.desktop.programFolder() / "msg.txt", "Tune: %S\nexit\n");
    app.Start();
    EXPECT_EQ(app.forms->module().MessageTemplate, "Tune: %S");
}

TEST(MainWindowTest, CloseRequestEndsTheProcessAndUnloadsTheWindow) {
    test::TestApp app;
    app.Start();
    app.MainForm().events().OnCloseRequest();
    EXPECT_TRUE(app.desktop.processEnded);
    EXPECT_EQ(app.desktop.FindForm("frmMain"), nullptr);
    app.forms->ReleaseUnloaded();
    EXPECT_EQ(app.forms->frmMainIfLoaded(), nullptr);
}

TEST(MainWindowTest, ASecondCloseRequestDuringShutdownIsIgnored) {
    test::TestApp app;
    auto& main = app.Start();
    main.Form_QueryUnload();
    app.desktop.processEnded = false;
    main.Form_QueryUnload();  // the window object lives on until released
    EXPECT_FALSE(app.desktop.processEnded);
}

TEST(MainWindowTest, ThePollerStopsWithTheWindow) {
    test::TestApp app;
    const auto player = app.desktop.AddPlayer();
    app.Start().Form_QueryUnload();
    app.desktop.Press(17);
    app.desktop.Press(96);
    app.desktop.Advance(std::chrono::milliseconds(1000));
    EXPECT_TRUE(app.desktop.CommandsTo(player).empty());
}

}  // namespace
}  // namespace tw
