#include "platform/win32/tool_tips.h"

// After <windows.h>, which it needs.
#include <commctrl.h>

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace tw::platform::win32 {

namespace {

constexpr LPARAM kMaxTipWidth = 400;

// The tooltip class lives in the common controls, which the program uses for nothing else:
// they are loaded with the first window that has tips and set up for that class alone, not
// linked and set up for every class they hold at start. The manifest's activation context
// makes this the version 6 library.
bool CommonControlsReady() {
    static const bool ready = [] {
        const HMODULE library = LoadLibraryW(L"comctl32.dll");
        if (library == nullptr) {
            return false;
        }
        using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        // Through a plain function pointer type, which any function pointer converts to.
        const auto init = reinterpret_cast<InitFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")));
        if (init == nullptr) {
            return false;
        }
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_TAB_CLASSES;  // tabs and tooltips
        return init(&controls) != FALSE;
    }();
    return ready;
}

TOOLINFOW ToolOf(HWND owner, int id, HWND child) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    if (child != nullptr) {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.uId = reinterpret_cast<UINT_PTR>(child);
    } else {
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = static_cast<UINT_PTR>(id);
    }
    return tool;
}

LRESULT Send(HWND tips, UINT message, TOOLINFOW& tool) {
    return SendMessageW(tips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

bool ToolTips::Create(HWND owner) {
    if (!CommonControlsReady()) {
        return false;
    }
    // TTS_ALWAYSTIP: the main window is rarely the active one while the game runs.
    window_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ProgramInstance(), nullptr);
    if (window_ == nullptr) {
        return false;
    }
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

void ToolTips::Set(HWND owner, int id, HWND child, const RECT& area, std::string_view text) {
    const bool hadTool = tools_.count(id) != 0;
    if (window_ == nullptr && (text.empty() || !Create(owner))) {
        return;
    }
    std::wstring wide = Widen(text);
    TOOLINFOW tool = ToolOf(owner, id, child);
    tool.rect = area;
    tool.lpszText = wide.data();
    if (text.empty()) {
        if (hadTool) {
            Send(window_, TTM_DELTOOLW, tool);
            tools_.erase(id);
        }
    } else if (hadTool) {
        Send(window_, TTM_UPDATETIPTEXTW, tool);
    } else if (Send(window_, TTM_ADDTOOLW, tool) != 0) {
        tools_.insert(id);
    }
}

void ToolTips::MoveArea(HWND owner, int id, const RECT& area) {
    if (window_ == nullptr || tools_.count(id) == 0) {
        return;
    }
    TOOLINFOW tool = ToolOf(owner, id, nullptr);
    tool.rect = area;
    Send(window_, TTM_NEWTOOLRECTW, tool);
}

void ToolTips::Forget() {
    window_ = nullptr;
    tools_.clear();
}

}  // namespace tw::platform::win32
