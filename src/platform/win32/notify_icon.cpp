#include "platform/win32/notify_icon.h"

// <windows.h> first: the shell's header relies on it.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/text.h"
#include "platform/win32/window_class.h"
#include "platform/window.h"

namespace tw::platform::win32 {

namespace {

// The form model has cut the tip to what the shell shows, which fits the
// buffer; the bound only keeps a longer one from overrunning it.
template <std::size_t N>
void CopyTip(const std::wstring& tip, wchar_t (&to)[N]) {
    const std::size_t length = std::min(tip.size(), N - 1);
    std::copy_n(tip.begin(), length, std::begin(to));
    to[length] = L'\0';
}

}  // namespace

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

HWND CreateIconSink(HWND form, WNDPROC procedure, void* user) {
    const std::wstring sinkClass = Widen(WindowClassName("IconSink"));
    RegisterWindowClass(sinkClass.c_str(), procedure, 0);
    const HWND sink = CreateWindowExW(WS_EX_NOPARENTNOTIFY, sinkClass.c_str(), L"", WS_CHILD, 0, 0,
                                      0, 0, form, nullptr, ProgramInstance(), nullptr);
    if (sink != nullptr) {
        SetWindowLongPtrW(sink, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(user));
        AcceptFromShell(sink, kIconNoticeMessage);
    }
    return sink;
}

void AcceptFromShell(HWND window, UINT message) {
    if (message != 0) {
        ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
    }
}

bool ShellAddIcon(HWND sink, const NotifyIcon& icon, int iconResource) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = sink;
    data.uID = icon.id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kIconNoticeMessage;
    if (iconResource != 0) {
        data.hIcon = static_cast<HICON>(
            LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    CopyTip(Widen(icon.tip), data.szTip);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void ShellDeleteIcon(HWND sink, std::uint32_t id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = sink;
    data.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace tw::platform::win32
