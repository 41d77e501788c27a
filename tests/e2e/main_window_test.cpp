// The main window's own face and the mouse on its title strip: what it paints, the double
// click that folds it, the drag that moves it and the close box; and the "-dock" start
// switches, read back from where the window really is on the screen.
#include <string>

#include "desktop_test.h"

namespace tw::e2e {
namespace {

// A point on the title picture, which covers columns 6 to 170 and rows 1 to 16.
constexpr POINT kOnTitle{80, 8};
// A release closes over columns 173 to 185 and rows 2 to 14 (2595 to 2785 and 30 to 210
// twips), the close box's white left edge included.
constexpr POINT kOnCloseBoxLeftEdge{173, 8};
// The help frame's outline runs along these columns and rows.
constexpr RECT kHelpFrame{8, 40, 181, 282};

POINT Offset(const Box& window, POINT point) {
    return {window[0] + point.x, window[1] + point.y};
}

class MainWindow : public DesktopTest {
  protected:
    KeptSetting mode_{L"Settings", L"Mode"};
};

// At any display scale: the figures are the design's, scaled.
TEST_F(MainWindow, PaintsARaisedEdgeTitleBandCloseBoxAndHelpText) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    const Box window = WindowBox(mainWindow_);
    const LONG width = Scaled(kMainWidth), height = Scaled(kMainHeight);
    const RECT frame{Scaled(kHelpFrame.left), Scaled(kHelpFrame.top), Scaled(kHelpFrame.right),
                     Scaled(kHelpFrame.bottom)};
    const Pixel points[] = {
        {Scaled(94), 0, kWhite, "top edge"},
        {0, Scaled(150), kWhite, "left edge"},
        {width - 1, Scaled(150), kBlack, "right edge"},
        {Scaled(94), height - 1, kBlack, "bottom edge"},
        {Scaled(171), Scaled(8), kBlack, "title band right of the picture"},
        {Scaled(173), Scaled(8), kWhite, "close box highlight"},
        {Scaled(175), Scaled(8), GetSysColor(COLOR_BTNFACE), "close box face"},
        {frame.left, Scaled(150), kWhite, "help frame"},
        {Scaled(100), frame.bottom - 1, kDarkGrey, "inside the help frame, below the text"},
    };
    // Painting lags behind the window's appearance.
    std::vector<std::string> differences;
    PollUntil(Millis(5000), [&] {
        const ScreenCopy copy({window[0], window[1]}, width, height);
        differences = Differences(copy, points);
        // The help lines' glyphs differ from font to font: white there is all that is asked,
        // and none right of the frame, where a line too long for it would run on.
        const int past =
            copy.RowsShowing({frame.right + 1, frame.top + 1, width - 2, frame.bottom}, kWhite);
        if (past > 0) {
            differences.push_back(std::to_string(past) + " rows of text past the help frame");
        }
        const int whiteRows =
            copy.RowsShowing({frame.left + 1, frame.top + 1, frame.right, frame.bottom}, kWhite);
        // Five rows for each of the fourteen lines is less than any legible font gives.
        if (whiteRows < 14 * 5) {
            differences.push_back(std::to_string(whiteRows) + " rows of help text, too few");
        }
        return differences.empty();
    });
    EXPECT_EQ(differences, std::vector<std::string>{});
}

TEST_F(MainWindow, TheTitleFoldsOnDoubleClicksMovesWithALeftDragAndTheCloseBoxEndsIt) {
    ASSERT_TRUE(mode_.Write(L"-")) << "cannot store a mode in the registry";
    ASSERT_NO_FATAL_FAILURE(StartTunewarden());
    const Box start = WindowBox(mainWindow_);
    const POINT title = Offset(start, kOnTitle);
    const struct {
        LONG height;
        const wchar_t* mode;
    } steps[] = {{kSmallHeight, L"2"}, {kSmallMouseHeight, L"1"}, {kMainHeight, L"0"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.height << " pixels high");
        ASSERT_TRUE(DoubleClick(title));
        EXPECT_TRUE(RestsAt(mainWindow_, {start[0], start[1], start[2], start[1] + step.height}));
        EXPECT_TRUE(PollUntil(Millis(1000), [&] { return mode_.Read() == step.mode; }))
            << "the mode stored is " << testing::PrintToString(mode_.Read());
    }

    // Had the right button moved the window, the left drag would start off the title.
    ASSERT_TRUE(Drag(title, {title.x - 30, title.y + 20}, Button::kRight, 3));
    ASSERT_TRUE(Drag(title, {title.x + 37, title.y + 23}, Button::kLeft, 3));
    const Box moved{start[0] + 37, start[1] + 23, start[2] + 37, start[3] + 23};
    ASSERT_TRUE(RestsAt(mainWindow_, moved));
    ASSERT_TRUE(
        Click(Offset(moved, {kOnCloseBoxLeftEdge.x - 1, kOnCloseBoxLeftEdge.y}), Button::kLeft));
    EXPECT_FALSE(tunewarden_.WaitForExit(kCloseGrace + Millis(1000)))
        << "a click beside the close box closed";
    ASSERT_TRUE(Click(Offset(moved, kOnCloseBoxLeftEdge), Button::kLeft));
    EXPECT_TRUE(tunewarden_.WaitForExit(kCloseGrace + Millis(1000)))
        << "the close box did not end the program";
}

TEST_F(MainWindow, EachCornerSwitchPlacesTheMainWindowByTheArithmetic) {
    const std::optional<RECT> taskbar = TaskbarPosition();
    ASSERT_TRUE(taskbar.has_value()) << "no taskbar position for the bottom corners";
    ASSERT_GT(taskbar->top, kMainHeight) << "the taskbar is not along the bottom";

    // The bottom corners rest on the taskbar's top edge: under Wine on the 1024 x 768 test
    // screen, a one-pixel strip at row 767, so "-dock BR" lands at (835, 477, 1024, 767).
    // Small Mode (240 twips high) is applied first, so the strip is what docks.
    const struct {
        const wchar_t* corner;
        bool right, bottom, small;
    } corners[] = {
        {L"BL", false, true, false}, {L"BR", true, true, false}, {L"BR", true, true, true}};
    for (const auto& dock : corners) {
        SCOPED_TRACE(testing::Message() << (dock.small ? "-mode 1 " : "") << "-dock "
                                        << std::filesystem::path(dock.corner).string());
        std::vector<std::wstring> switches{L"-dock", dock.corner};
        if (dock.small) {
            switches.insert(switches.begin(), {L"-mode", L"1"});
        }
        ASSERT_NO_FATAL_FAILURE(StartTunewarden(switches));
        const LONG height = dock.small ? kSmallHeight : kMainHeight;
        const LONG left = dock.right ? GetSystemMetrics(SM_CXSCREEN) - kMainWidth : 0;
        const LONG top = dock.bottom ? taskbar->top - height : 0;
        EXPECT_TRUE(RestsAt(mainWindow_, {left, top, left + kMainWidth, top + height}));
    }
}

}  // namespace
}  // namespace tw::e2e
