#include "platform/win32_rules.h"

namespace tw::platform::win32_rules {

WindowStyles StylesFor(const FormDesc& desc, bool activates) {
    WindowStyles result{kPopup | kClipChildren, 0};
    if (desc.frame == FrameKind::FixedDialog) {
        result.style |= kDialogFrame;
        result.exStyle |= kDialogModalFrame;
    }
    result.exStyle |= desc.showInTaskbar ? kAppWindow : kToolWindow;
    if (!activates) {
        result.exStyle |= kNoActivate;
    }
    return result;
}

std::int16_t ButtonsHeld(std::uintptr_t wParam) {
    std::int16_t buttons = mouse::kNone;
    if ((wParam & kHeldLeft) != 0) {
        buttons = static_cast<std::int16_t>(buttons | mouse::kLeft);
    }
    if ((wParam & kHeldRight) != 0) {
        buttons = static_cast<std::int16_t>(buttons | mouse::kRight);
    }
    if ((wParam & kHeldMiddle) != 0) {
        buttons = static_cast<std::int16_t>(buttons | mouse::kMiddle);
    }
    return buttons;
}

std::int16_t ButtonOf(std::uint32_t message) {
    switch (message) {
        case kLeftDown:
        case kLeftUp:
        case kLeftDoubleClick:
            return mouse::kLeft;
        case kRightDown:
        case kRightUp:
        case kRightDoubleClick:
            return mouse::kRight;
        default:
            return mouse::kMiddle;
    }
}

PixelPoint PointFrom(std::intptr_t lParam) {
    const auto bits = static_cast<std::uintptr_t>(lParam);
    return PixelPoint{static_cast<std::int16_t>(bits & 0xFFFFu),
                      static_cast<std::int16_t>((bits >> 16) & 0xFFFFu)};
}

SendResult SendOutcome(bool returned, std::uint32_t error, bool windowExists) {
    if (returned) {
        return SendResult::Delivered;
    }
    if (error == kErrorTimeout) {
        return SendResult::TimedOut;
    }
    // Giving up on a receiver the system already knows to be hung may leave no
    // error code at all; a vanished window leaves an invalid-handle error.
    if (error == kErrorSuccess && windowExists) {
        return SendResult::TimedOut;
    }
    return SendResult::Delivered;
}

bool InstanceClaimed(bool gotMark, std::uint32_t error) {
    if (!gotMark) {
        // Access denied means it exists, made by a copy running with other rights.
        // Anything else is no reason to refuse to start.
        return error != kErrorAccessDenied;
    }
    return error != kErrorAlreadyExists;
}

}  // namespace tw::platform::win32_rules
