// What the Win32 backend makes of the system's numbers: the styles a window is created with,
// the mouse messages' parameters, and the error codes of a bounded send and of the mark a
// second copy finds. The numbers are the system's, written here as its header has them.
#include "platform/win32_rules.h"

#include <gtest/gtest.h>

#include <utility>

namespace tw::platform::win32_rules {
namespace {

TEST(Win32RulesTest, TheStylesFollowTheFrameTheTaskbarButtonAndTheFocus) {
    const auto styles = [](FrameKind frame, bool showInTaskbar, bool activates) {
        FormDesc desc;
        desc.frame = frame;
        desc.showInTaskbar = showInTaskbar;
        const WindowStyles made = StylesFor(desc, activates);
        return std::pair(made.style, made.exStyle);
    };
    // WS_POPUP | WS_CLIPCHILDREN; WS_EX_APPWINDOW
    EXPECT_EQ(styles(FrameKind::None, true, true), std::pair(0x82000000u, 0x00040000u));
    // and WS_DLGFRAME; WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW
    EXPECT_EQ(styles(FrameKind::FixedDialog, false, true), std::pair(0x82400000u, 0x00000081u));
    // WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE
    EXPECT_EQ(styles(FrameKind::None, false, false), std::pair(0x82000000u, 0x08000080u));
}

TEST(Win32RulesTest, TheMouseMessagesButtonsHeldButtonsAndSignedPoints) {
    // MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4, MK_CONTROL 8, MK_MBUTTON 0x10, MK_XBUTTON1 0x20.
    EXPECT_EQ(ButtonsHeld(0x01 | 0x04 | 0x08), mouse::kLeft);
    EXPECT_EQ(ButtonsHeld(0x02 | 0x20), mouse::kRight);
    EXPECT_EQ(ButtonsHeld(0x10), mouse::kMiddle);
    EXPECT_EQ(ButtonsHeld(0x13), mouse::kLeft | mouse::kRight | mouse::kMiddle);
    // Down, up and double-click: WM_LBUTTON* 0x201 to 0x203, WM_RBUTTON* to 0x206, WM_MBUTTON*.
    for (std::uint32_t message = 0x201; message <= 0x209; ++message) {
        const int expected = message <= 0x203   ? mouse::kLeft
                             : message <= 0x206 ? mouse::kRight
                                                : mouse::kMiddle;
        EXPECT_EQ(ButtonOf(message), expected) << message;
    }
    EXPECT_EQ(PointFrom(0x00140030), (PixelPoint{48, 20}));
    EXPECT_EQ(PointFrom(0xFFE2FFD8), (PixelPoint{-40, -30})) << "left of and above the window";
    EXPECT_EQ(PointFrom(0x7FFF8000), (PixelPoint{-32768, 32767}));
}

TEST(Win32RulesTest, ErrorCodesSayWhetherASendWasLostToAHungWindowAndWhetherACopyRuns) {
    // ERROR_SUCCESS 0, ERROR_INVALID_WINDOW_HANDLE 1400, ERROR_TIMEOUT 1460.
    using enum SendResult;
    EXPECT_EQ(SendOutcome(true, 1460, true), Delivered);
    EXPECT_EQ(SendOutcome(false, 1460, false), TimedOut);
    EXPECT_EQ(SendOutcome(false, 0, true), TimedOut) << "given up on a window known to hang";
    EXPECT_EQ(SendOutcome(false, 0, false), Delivered) << "the window went";
    EXPECT_EQ(SendOutcome(false, 1400, true), Delivered);
    // ERROR_ACCESS_DENIED 5, ERROR_ALREADY_EXISTS 183.
    EXPECT_TRUE(InstanceClaimed(true, 0));
    EXPECT_FALSE(InstanceClaimed(true, 183));
    EXPECT_FALSE(InstanceClaimed(false, 5)) << "made by a copy with other rights";
    EXPECT_TRUE(InstanceClaimed(false, 1450)) << "no reason to refuse to start";
}

}  // namespace
}  // namespace tw::platform::win32_rules
