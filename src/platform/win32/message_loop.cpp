#include "platform/win32/message_loop.h"

namespace tw::platform::win32 {

namespace {

// Windows without edit boxes or buttons (the main window answers F1 itself)
// see every key as it comes: only messages for a window's children go through
// the dialog manager.
bool HandledAsDialog(MSG& message) {
    const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root == nullptr || root == message.hwnd) {
        return false;
    }
    return IsDialogMessageW(root, &message) != FALSE;
}

}  // namespace

void DispatchOne(MSG& message) {
    if (!HandledAsDialog(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::optional<int> HandleNextMessage() {
    MSG message{};
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        return static_cast<int>(message.wParam);
    }
    if (got == -1) {
        return 1;
    }
    DispatchOne(message);
    return std::nullopt;
}

}  // namespace tw::platform::win32
