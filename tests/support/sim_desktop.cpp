#include "sim_desktop.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace tw::sim {

namespace {

std::string Number(float value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string Hex(platform::Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(colour & 0xFFFFFF));
    std::string text = buffer;
    if ((colour & 0x80000000u) != 0) {
        text = "sys" + std::to_string(colour & 0xFF);
    }
    return text;
}

// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            result.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (int k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        result.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return result;
}

std::filesystem::path MakeRoot() {
    static std::atomic<int> counter{0};
    auto root =
        std::filesystem::temp_directory_path() /
        ("tw-sim-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "program");
    return root;
}

}  // namespace

// --- SimCanvas ------------------------------------------------------------------

void SimCanvas::SetDrawColour(platform::Colour colour) {
    colour_ = colour;
}
void SimCanvas::SetDrawWidth(int pixels) {
    width_ = pixels;
}
void SimCanvas::SetFontBold(bool bold) {
    bold_ = bold;
}

void SimCanvas::Line(float x1, float y1, float x2, float y2) {
    log.push_back("line " + Number(x1) + "," + Number(y1) + " " + Number(x2) + "," + Number(y2) +
                  " " + Hex(colour_) + " w" + std::to_string(width_));
    x_ = x2;
    y_ = y2;
}

void SimCanvas::Box(float x1, float y1, float x2, float y2, bool filled) {
    std::string entry = "box " + Number(x1) + "," + Number(y1) + " " + Number(x2) + "," +
                        Number(y2) + (filled ? " filled " : " outline ") + Hex(colour_);
    if (!filled && fillColour) {
        entry += " fill " + Hex(*fillColour);
    }
    log.push_back(entry);
    x_ = x2;
    y_ = y2;
}

void SimCanvas::Print(std::string_view text) {
    log.push_back("print '" + std::string(text) + "' at " + Number(x_) + "," + Number(y_) + " " +
                  Hex(colour_) + (bold_ ? " bold" : ""));
}

void SimCanvas::SetTextPosition(float x, float y) {
    x_ = x;
    y_ = y;
}

void SimCanvas::Refresh() {
    log.emplace_back("refresh");
}

// --- SimForm ----------------------------------------------------------------------

SimForm::SimForm(SimDesktop& desktop, WindowHandle handle, const platform::FormDesc& desc,
                 platform::FormEvents& events)
    : desktop_(desktop), handle_(handle), desc_(desc), events_(events) {
    // New windows open where the system puts them; 90 pixels in, like a cascade.
    bounds_ = {90 * desktop.screen.twipsPerPixelX, 90 * desktop.screen.twipsPerPixelY, desc.width,
               desc.height};
    controls_[platform::kFormSurface].canvas.fillColour = desc.fillColour;
    for (const auto& control : desc.controls) {
        controls_[control.id] = {
            control.text, control.foreColour, control.backColour, control.toolTip, {}};
    }
    desktop_.forms_.push_back(this);
}

SimForm::~SimForm() {
    auto& forms = desktop_.forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    desktop_.topmostForms_.erase(handle_);
    if (desktop_.foreground == handle_) {
        desktop_.foreground = 0;
    }
}

void SimForm::Move(float left, float top, float width, float height) {
    bounds_ = {left, top, width, height};
}

void SimForm::SetVisible(bool visible) {
    visible_ = visible;
    if (visible) {
        ++timesShown;
        if (desc_.activateWhenShown) {
            desktop_.foreground = handle_;
        }
    }
}

void SimForm::SetFocus() {
    desktop_.foreground = handle_;
}

std::string SimForm::ControlText(int control) const {
    const auto it = controls_.find(control);
    return it == controls_.end() ? std::string() : it->second.text;
}

void SimForm::StartTimer(int timerId, unsigned intervalMs) {
    timers_.try_emplace(timerId, TimerState{intervalMs, desktop_.nowMs_ + intervalMs});
}

void SimForm::StopTimer(int timerId) {
    timers_.erase(timerId);
}

bool SimForm::TimerRunning(int timerId) const {
    return timers_.count(timerId) != 0;
}

// --- SimDesktop -------------------------------------------------------------------

SimDesktop::SimDesktop() : root_(MakeRoot()) {}

SimDesktop::~SimDesktop() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void SimDesktop::Press(int virtualKey) {
    auto& key = keys_[virtualKey];
    key.down = true;
    key.pressedSinceQuery = true;
}

void SimDesktop::Release(int virtualKey) {
    keys_[virtualKey].down = false;
}

void SimDesktop::Tap(int virtualKey) {
    Press(virtualKey);
    Release(virtualKey);
}

WindowHandle SimDesktop::AddWindow(std::string className, std::string caption) {
    OtherWindow window;
    window.handle = NewHandle();
    window.className = std::move(className);
    window.caption = std::move(caption);
    others_.push_back(std::move(window));
    return others_.back().handle;
}

WindowHandle SimDesktop::AddPlayer(std::string caption) {
    const auto handle = AddWindow("Winamp v1.x", std::move(caption));
    Other(handle)->opensJumpDialog = true;
    return handle;
}

void SimDesktop::RemoveWindow(WindowHandle handle) {
    others_.erase(std::remove_if(others_.begin(), others_.end(),
                                 [handle](const OtherWindow& w) { return w.handle == handle; }),
                  others_.end());
}

OtherWindow* SimDesktop::Other(WindowHandle handle) {
    for (auto& window : others_) {
        if (window.handle == handle) {
            return &window;
        }
    }
    return nullptr;
}

std::vector<std::uint32_t> SimDesktop::CommandsTo(WindowHandle handle) {
    const auto* window = Other(handle);
    return window ? window->commands : std::vector<std::uint32_t>{};
}

void SimDesktop::Advance(std::chrono::milliseconds duration) {
    const std::int64_t end = nowMs_ + duration.count();
    for (;;) {
        // The earliest due timer of any window still alive; forms can come and
        // go while timers fire, so search afresh every time.
        SimForm* nextForm = nullptr;
        int nextTimer = 0;
        std::int64_t nextDue = end + 1;
        for (SimForm* form : forms_) {
            for (const auto& [id, timer] : form->timers_) {
                if (timer.due < nextDue) {
                    nextDue = timer.due;
                    nextForm = form;
                    nextTimer = id;
                }
            }
        }
        if (nextForm == nullptr) {
            break;
        }
        nowMs_ = nextDue;
        auto& timer = nextForm->timers_[nextTimer];
        timer.due += timer.interval;
        nextForm->events_.OnTimer(nextTimer);
    }
    nowMs_ = end;
}

SimForm* SimDesktop::FindForm(std::string_view name) {
    for (SimForm* form : forms_) {
        if (form->desc_.name == name) {
            return form;
        }
    }
    return nullptr;
}

SimForm* SimDesktop::FormByHandle(WindowHandle handle) {
    for (SimForm* form : forms_) {
        if (form->handle_ == handle) {
            return form;
        }
    }
    return nullptr;
}

bool SimDesktop::IsTopmost(WindowHandle handle) {
    if (const auto* window = Other(handle)) {
        return window->topmost;
    }
    return topmostForms_.count(handle) != 0;
}

std::filesystem::path SimDesktop::RealPath(const std::string& path) {
    std::string real = path;
    std::replace(real.begin(), real.end(), '\\', '/');
    return std::filesystem::path(real).lexically_normal();
}

void SimDesktop::WriteRealFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> SimDesktop::ReadRealFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::int16_t SimDesktop::AsyncKeyState(int virtualKey) {
    ++keyStateReads;
    const auto it = keys_.find(virtualKey);
    if (it == keys_.end()) {
        return 0;
    }
    KeyState& key = it->second;
    const unsigned state = (key.down ? 0x8000u : 0u) | (key.pressedSinceQuery ? 1u : 0u);
    key.pressedSinceQuery = false;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(state));
}

WindowHandle SimDesktop::FindTopLevelWindow(std::string_view className,
                                            std::optional<std::string_view> title) {
    ++windowLookups;
    const auto it = std::find_if(others_.begin(), others_.end(), [&](const OtherWindow& window) {
        return window.className == className && (!title || window.caption == *title);
    });
    if (it == others_.end()) {
        return 0;
    }
    const WindowHandle found = it->handle;
    if (it->closesWhenFound) {
        others_.erase(it);
    }
    return found;
}

std::string SimDesktop::WindowCaption(WindowHandle window) {
    if (const auto* other = Other(window)) {
        return other->caption;
    }
    if (const auto* form = FormByHandle(window)) {
        return form->desc().caption;
    }
    return {};
}

platform::SendResult SimDesktop::SendCommand(WindowHandle window, std::uint32_t commandId) {
    auto* target = Other(window);
    if (target == nullptr) {
        return platform::SendResult::Delivered;  // nobody there: the send goes nowhere
    }
    ++target->sendAttempts;
    if (target->hung) {
        return platform::SendResult::TimedOut;
    }
    target->commands.push_back(commandId);
    if (const auto caption = target->captionOnCommand.find(commandId);
        caption != target->captionOnCommand.end()) {
        target->caption = caption->second;
    }
    if (target->opensJumpDialog && commandId == 40194 &&
        FindTopLevelWindow("#32770", std::string_view("Jump to file")) == 0) {
        const auto dialog = AddWindow("#32770", "Jump to file");
        // A player opens the dialog on top of everything, as the real one does.
        Other(dialog)->topmost = true;
    }
    return platform::SendResult::Delivered;
}

void SimDesktop::SetTopmost(WindowHandle window, bool topmost) {
    if (auto* other = Other(window)) {
        topmostChanges.emplace_back(window, topmost);
        other->topmost = topmost;
    } else if (FormByHandle(window) != nullptr) {
        topmostChanges.emplace_back(window, topmost);
        if (topmost) {
            topmostForms_.insert(window);
        } else {
            topmostForms_.erase(window);
        }
    }
}

void SimDesktop::BringToForeground(WindowHandle window) {
    if (Other(window) != nullptr || FormByHandle(window) != nullptr) {
        foreground = window;
    }
}

bool SimDesktop::QueryTaskbarRect(platform::PixelRect& rect) {
    if (!taskbarAnswers) {
        return false;
    }
    rect = taskbar;
    return true;
}

std::unique_ptr<platform::Form> SimDesktop::CreateForm(const platform::FormDesc& desc,
                                                       platform::FormEvents& events) {
    return std::make_unique<SimForm>(*this, NewHandle(), desc, events);
}

bool SimDesktop::IsNormalFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(RealPath(path), error);
}

std::optional<std::string> SimDesktop::ReadFileStart(const std::string& path,
                                                     std::size_t maxBytes) {
    const auto real = RealPath(path);
    if (unreadable.count(real) != 0) {
        return std::nullopt;
    }
    auto content = ReadRealFile(real);
    if (content && content->size() > maxBytes) {
        content->resize(maxBytes);
    }
    return content;
}

bool SimDesktop::WriteWholeFile(const std::string& path, std::string_view bytes) {
    fileWrites.push_back(path);
    const auto real = RealPath(path);
    if (unwritable.count(real) != 0 || unwritable.count(real.parent_path()) != 0) {
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(real.parent_path(), error)) {
        return false;
    }
    std::ofstream out(real, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string SimDesktop::AnsiToUtf8(std::string_view ansi) {
    std::string out;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t cp = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            cp = kCp1252High[byte - 0x80] != 0 ? kCp1252High[byte - 0x80] : byte;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string SimDesktop::Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    for (const char32_t cp : DecodeUtf8(utf8)) {
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (kCp1252High[i] == cp) {
                mapped = static_cast<char>(0x80 + i);
            }
        }
        out += mapped;
    }
    return out;
}

std::string SimDesktop::ReadSetting(std::string_view app, std::string_view section,
                                    std::string_view key) {
    const auto it = settings.find({std::string(app), std::string(section), std::string(key)});
    return it == settings.end() ? std::string() : it->second;
}

void SimDesktop::WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) {
    settings[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
}

std::string SimDesktop::BrowseForFolder(WindowHandle owner, std::string_view prompt) {
    folderPickerOwners.push_back(owner);
    folderPickerPrompts.emplace_back(prompt);
    if (folderPickerAnswers.empty()) {
        return {};
    }
    auto answer = folderPickerAnswers.front();
    folderPickerAnswers.pop_front();
    return answer;
}

}  // namespace tw::sim
