#include "sim_desktop.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <utility>

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

void SimCanvas::Refresh() {
    log.emplace_back("refresh");
}

void SimCanvas::Erase(platform::Colour back) {
    log.assign({"erase " + Hex(back)});
}

// --- SimWindow and SimForm ----------------------------------------------------------

namespace {

// Windows' fixed dialog frame at 96 DPI, on every side (SM_CXDLGFRAME).
constexpr int kDialogFramePixels = 3;

// A new window at the top left: its design's inner size, with the frame around it.
platform::TwipRect OuterBounds(const platform::FormDesc& desc, const platform::Units& units) {
    const int frame = desc.frame == platform::FrameKind::FixedDialog ? kDialogFramePixels : 0;
    return units.ToTwips(platform::PixelRect{0, 0, units.XToPixels(desc.width) + 2 * frame,
                                             units.YToPixels(desc.height) + 2 * frame});
}

}  // namespace

SimWindow::SimWindow(WindowHandle windowHandle, const platform::FormDesc& desc,
                     const platform::Units& units, platform::FormEvents& events)
    : handle(windowHandle), model(desc, units, events), bounds(OuterBounds(desc, units)) {
    canvases[platform::kFormSurface].fillColour = desc.fillColour;
    for (const auto& control : desc.controls) {
        if (control.kind == platform::ControlKind::Picture) {
            canvases[control.id];
        }
    }
}

SimForm::SimForm(SimDesktop& desktop, std::shared_ptr<SimWindow> window)
    : desktop_(desktop), window_(std::move(window)) {}

SimForm::~SimForm() {
    desktop_.Destroyed(*window_);
}

const platform::ControlState& SimForm::control(int id) const {
    const platform::ControlState* found = window_->model.Find(id);
    if (found == nullptr) {
        throw std::invalid_argument(desc().name + " has no control " + std::to_string(id));
    }
    return *found;
}

SimCanvas& SimForm::canvas(int control) {
    const auto it = window_->canvases.find(control);
    if (it == window_->canvases.end()) {
        throw std::invalid_argument(desc().name + " has no surface " + std::to_string(control));
    }
    return it->second;
}

// Windows keeps a window's place in whole pixels, rounded as the backend rounds.
void SimForm::Move(float left, float top, float width, float height) {
    const platform::Units& units = window_->model.units();
    window_->bounds = units.ToTwips(units.ToPixels({left, top, width, height}));
}

void SimForm::SetVisible(bool visible) {
    window_->visible = visible;
    if (!visible) {
        ++window_->timesHidden;
        if (desktop_.active_ == window_) {
            desktop_.ActivateNone(0);
        }
        return;
    }
    ++window_->timesShown;
    desktop_.Raise(window_);
    if (window_->model.ActivatesOnShow(desktop_.foreground_ == window_->handle)) {
        desktop_.Activate(window_);
    }
}

void SimForm::SetFocus() {
    desktop_.Activate(window_);
}

void SimForm::SetControlText(int id, std::string_view text) {
    if (!window_->model.SetText(id, text)) {
        control(id);  // throws
    }
}

std::string SimForm::ControlText(int id) const {
    return id == platform::kFormSurface ? desc().caption : control(id).desc.text;
}

void SimForm::SetControlForeColour(int id, platform::Colour colour) {
    if (!window_->model.SetForeColour(id, colour)) {
        control(id);
    }
    if (id == platform::kFormSurface) {
        canvas(id).SetDrawColour(colour);
    }
}

void SimForm::SetControlBackColour(int id, platform::Colour colour) {
    const auto effect = window_->model.SetBackColour(id, colour);
    if (!effect) {
        control(id);
    } else if (*effect == platform::ColourEffect::EraseImage) {
        canvas(id).Erase(colour);
    }
}

void SimForm::SetToolTip(int id, std::string_view text) {
    if (!window_->model.SetToolTip(id, text)) {
        control(id);
    }
}

void SimForm::MoveControl(int id, const platform::TwipRect& rect) {
    if (!window_->model.MoveControl(id, rect)) {
        control(id);
    }
}

void SimForm::ShowControl(int id, bool visible) {
    if (!window_->model.ShowControl(id, visible)) {
        control(id);
    }
}

void SimForm::StartTimer(int timerId, unsigned intervalMs) {
    if (window_->model.StartTimer(timerId, intervalMs)) {
        window_->due[timerId] = desktop_.nowMs_ + intervalMs;
    }
}

void SimForm::StopTimer(int timerId) {
    if (window_->model.StopTimer(timerId)) {
        window_->due.erase(timerId);
    }
}

bool SimForm::TimerRunning(int timerId) const {
    return window_->model.TimerRunning(timerId);
}

bool SimForm::AddNotifyIcon(int id, std::uint32_t iconId, std::string_view tip) {
    control(id);
    const platform::NotifyIcon& icon = window_->model.AddIcon(id, iconId, tip);
    // The shell refuses a second icon with the same window and id.
    if (desktop_.shellRefusesIcons || desktop_.trayIcons.count({Handle(), iconId}) != 0) {
        return false;
    }
    desktop_.trayIcons[{Handle(), iconId}] = icon.tip;
    return true;
}

void SimForm::DeleteNotifyIcon(std::uint32_t iconId) {
    window_->model.DeleteIcon(iconId);
    desktop_.trayIcons.erase({Handle(), iconId});
}

void SimForm::ShowModal(WindowHandle owner) {
    if (const auto ownerWindow = desktop_.WindowOf(owner)) {
        const platform::Units units(desktop_.screen);
        const platform::TwipRect area =
            units.ToTwips(desktop_.MonitorOf(units.ToPixels(ownerWindow->bounds)).workArea);
        window_->bounds = platform::CentredOver(ownerWindow->bounds, window_->bounds.width,
                                                window_->bounds.height, area);
        window_->modalOwner = owner;
        ++ownerWindow->modalWindowsOver;
    }
    SetVisible(true);
}

bool SimForm::IsActive() const {
    return desktop_.active_ == window_;
}

PixelPoint SimForm::At(int id, int x, int y) const {
    const platform::PixelRect outer = platform::Units(desktop_.screen).ToPixels(window_->bounds);
    const platform::PixelRect inner =
        id == platform::kFormSurface ? platform::PixelRect{} : control(id).rect;
    return {outer.left + inner.left + x, outer.top + inner.top + y};
}

// --- SimDesktop -------------------------------------------------------------------

SimDesktop::SimDesktop() : root_(MakeRoot()) {}

SimDesktop::~SimDesktop() {
    // A writer thread left inside a call (a test that failed before letting it go) must be
    // out of it before the desktop goes.
    {
        std::unique_lock lock(filesMutex_);
        holdWrites_ = false;
        filesChanged_.notify_all();
        filesChanged_.wait(lock, [this] { return writesInside_ == 0; });
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void SimDesktop::KeyDown(int virtualKey) {
    auto& key = keys_[virtualKey];
    key.down = true;
    key.pressedSinceQuery = true;
}

void SimDesktop::KeyUp(int virtualKey) {
    keys_[virtualKey].down = false;
    // The release also reaches the program's window that has the keyboard, with the Shift,
    // Control and Alt keys that are down.
    if (const Window window = WindowOf(foreground_)) {
        int shift = 0;
        for (const auto& [key, bit] : {std::pair{16, 1}, std::pair{17, 2}, std::pair{18, 4}}) {
            shift |= keys_[key].down ? bit : 0;
        }
        window->model.KeyUp(static_cast<std::int16_t>(virtualKey),
                            static_cast<std::int16_t>(shift));
        AfterEvent();
    }
}

void SimDesktop::KeyTap(int virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

// --- Pointer ------------------------------------------------------------------------

PixelPoint SimDesktop::ToClient(const SimWindow& window, PixelPoint at) const {
    const platform::PixelRect outer = platform::Units(screen).ToPixels(window.bounds);
    return {at.x - outer.left, at.y - outer.top};
}

SimDesktop::Window SimDesktop::WindowAt(PixelPoint at) const {
    // The topmost band lies over the rest; within a band, later windows lie on top.
    for (const bool band : {true, false}) {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            const SimWindow& window = **it;
            const platform::PixelRect outer = platform::Units(screen).ToPixels(window.bounds);
            if (window.visible && window.topmost == band && outer.Contains(at)) {
                return *it;
            }
        }
    }
    return nullptr;
}

// A window that owns a modal one up takes no pointer input.
SimDesktop::Window SimDesktop::PointerTarget(PixelPoint at) const {
    Window window = capture_ ? capture_ : WindowAt(at);
    return window && window->modalWindowsOver == 0 ? window : nullptr;
}

SimDesktop::Window SimDesktop::WindowOf(WindowHandle handle) const {
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [handle](const Window& w) { return w->handle == handle; });
    return it == windows_.end() ? nullptr : *it;
}

void SimDesktop::Press(PixelPoint at, std::int16_t button, std::int16_t shift) {
    buttonsHeld_ = static_cast<std::int16_t>(buttonsHeld_ | button);
    const Window window = PointerTarget(at);
    if (!window) {
        if (!WindowAt(at)) {
            ActivateNone(0);  // a click on another program or the desktop
        }
        return;
    }
    if (window->model.ActivatesWhenShown()) {
        Activate(window);
    }
    const PixelPoint client = ToClient(*window, at);
    if (const auto child = window->model.ChildAt(client); child && !capture_) {
        childPress_ = ChildPress{window, *child};
    } else {
        window->model.PointerDown(button, shift, client);
        capture_ = window->model.Capturing() ? window : nullptr;
    }
    AfterEvent();
}

void SimDesktop::Release(PixelPoint at, std::int16_t button, std::int16_t shift) {
    buttonsHeld_ = static_cast<std::int16_t>(buttonsHeld_ & ~button);
    if (const auto press = std::exchange(childPress_, std::nullopt)) {
        // A real push button clicks when released over itself.
        const platform::ControlState* control = press->window->model.Find(press->control);
        if (control != nullptr && control->desc.kind == platform::ControlKind::PushButton &&
            press->window->model.ChildAt(ToClient(*press->window, at)) == press->control) {
            press->window->model.ChildClicked(press->control);
        }
        AfterEvent();
        return;
    }
    const Window window = PointerTarget(at);
    if (!window) {
        return;
    }
    window->model.PointerUp(button, buttonsHeld_, shift, ToClient(*window, at));
    if (!window->model.Capturing()) {
        capture_ = nullptr;
    }
    AfterEvent();
}

void SimDesktop::Move(PixelPoint at, std::int16_t shift) {
    if (const Window window = PointerTarget(at)) {
        window->model.PointerMove(buttonsHeld_, shift, ToClient(*window, at));
        AfterEvent();
    }
}

void SimDesktop::Click(PixelPoint at, std::int16_t button) {
    Press(at, button);
    Release(at, button);
}

void SimDesktop::DoubleClick(PixelPoint at, std::int16_t button) {
    Click(at, button);
    buttonsHeld_ = static_cast<std::int16_t>(buttonsHeld_ | button);
    if (const Window window = PointerTarget(at)) {
        window->model.DoubleClick(ToClient(*window, at));
        capture_ = window->model.Capturing() ? window : nullptr;
        AfterEvent();
    }
    Release(at, button);
}

void SimDesktop::RequestClose(WindowHandle handle) {
    if (const Window window = WindowOf(handle)) {
        window->model.CloseRequested();
        AfterEvent();
    }
}

// --- The notification area -----------------------------------------------------------

void SimDesktop::NotifyIcon(WindowHandle handle, std::uint32_t id, std::uint32_t shellMessage) {
    if (const Window window = WindowOf(handle)) {
        window->model.IconNotified(id, shellMessage);
        AfterEvent();
    }
}

void SimDesktop::RestartShell() {
    trayIcons.clear();
    for (const Window& window : windows_) {
        for (const platform::NotifyIcon& icon : window->model.Icons()) {
            if (!shellRefusesIcons) {
                trayIcons[{window->handle, icon.id}] = icon.tip;
            }
        }
    }
}

// --- Activation and z-order ---------------------------------------------------------

void SimDesktop::Raise(const Window& window) {
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it != windows_.end()) {
        std::rotate(it, it + 1, windows_.end());
    }
}

void SimDesktop::Activate(const Window& window) {
    foreground_ = window->handle;
    Raise(window);
    if (active_ == window) {
        return;
    }
    // The window that loses the activation hears of it first.
    const Window previous = std::exchange(active_, window);
    if (previous) {
        previous->model.Deactivated();
    }
    window->model.Activated();
}

void SimDesktop::ActivateNone(WindowHandle foreground) {
    foreground_ = foreground;
    if (const Window previous = std::exchange(active_, nullptr)) {
        previous->model.Deactivated();
    }
}

void SimDesktop::Destroyed(const SimWindow& window) {
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const Window& w) { return w.get() == &window; });
    if (it == windows_.end()) {
        return;
    }
    // Held by an input still on the stack, the state outlives the form, deaf.
    const Window gone = *it;
    gone->model.Detach();
    if (const Window owner = WindowOf(gone->modalOwner)) {
        --owner->modalWindowsOver;
    }
    windows_.erase(it);
    forms_.erase(gone.get());
    if (active_ == gone) {
        active_ = nullptr;
    }
    if (capture_ == gone) {
        capture_ = nullptr;
    }
    if (foreground_ == gone->handle) {
        foreground_ = 0;
    }
}

void SimDesktop::AfterEvent() {
    if (betweenEvents) {
        betweenEvents();
    }
}

WindowHandle SimDesktop::AddWindow(std::string className, std::string caption,
                                   std::string exeName) {
    OtherWindow window;
    window.handle = NewHandle();
    window.className = std::move(className);
    window.caption = std::move(caption);
    window.exeName = std::move(exeName);
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
        // The earliest due timer of any window still there; windows come and
        // go while timers fire, so search afresh every time.
        Window next;
        int nextTimer = 0;
        std::int64_t nextDue = end + 1;
        for (const Window& window : windows_) {
            for (const auto& [id, due] : window->due) {
                if (due < nextDue) {
                    nextDue = due;
                    next = window;
                    nextTimer = id;
                }
            }
        }
        if (!next) {
            break;
        }
        nowMs_ = nextDue;
        next->due[nextTimer] += *next->model.TimerInterval(nextTimer);
        tick = {next->handle, nextTimer};
        next->model.TimerFired(nextTimer);
        AfterEvent();
        tick.reset();
    }
    nowMs_ = end;
}

SimForm* SimDesktop::FindForm(std::string_view name) {
    for (const auto& [window, form] : forms_) {
        if (window->model.desc().name == name) {
            return form;
        }
    }
    return nullptr;
}

SimForm* SimDesktop::FormByHandle(WindowHandle handle) {
    for (const auto& [window, form] : forms_) {
        if (window->handle == handle) {
            return form;
        }
    }
    return nullptr;
}

bool SimDesktop::IsTopmost(WindowHandle handle) {
    if (const auto* window = Other(handle)) {
        return window->topmost;
    }
    const SimForm* form = FormByHandle(handle);
    return form != nullptr && form->window_->topmost;
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

std::vector<WindowHandle> SimDesktop::TopLevelWindowsOfClass(std::string_view className) {
    ++windowLookups;
    std::vector<WindowHandle> found;
    for (const OtherWindow& window : others_) {
        if (window.className == className) {
            found.push_back(window.handle);
        }
    }
    return found;
}

std::string SimDesktop::ProcessFileName(WindowHandle window) {
    const auto* other = Other(window);
    return other != nullptr ? other->exeName : std::string();
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

platform::SendResult SimDesktop::SendAppCommand(WindowHandle window, std::uint16_t appCommand) {
    auto* target = Other(window);
    if (target == nullptr) {
        return platform::SendResult::Delivered;
    }
    ++target->sendAttempts;
    if (target->hung) {
        return platform::SendResult::TimedOut;
    }
    target->appCommands.push_back(appCommand);
    return platform::SendResult::Delivered;
}

void SimDesktop::SetTopmost(WindowHandle window, bool topmost) {
    if (auto* other = Other(window)) {
        topmostChanges.emplace_back(window, topmost);
        other->topmost = topmost;
    } else if (SimForm* form = FormByHandle(window)) {
        topmostChanges.emplace_back(window, topmost);
        form->window_->topmost = topmost;
    }
}

platform::MediaSession SimDesktop::MediaSessionSnapshot() {
    const SimMediaSession& session = mediaSession;
    if (!session.present) {
        return {};
    }
    return {true, session.playing, session.artist, session.title};
}

void SimDesktop::QueueMediaCommand(const platform::MediaRequest& request) {
    if (!mediaSession.present) {
        return;
    }
    platform::RunMediaRequest(request, [this](platform::MediaCommand command) {
        mediaSession.received.push_back(command);
        if (mediaSession.neverCompletes) {
            return platform::MediaOutcome::TimedOut;
        }
        if (command == platform::MediaCommand::Stop && mediaSession.refusesStop) {
            return platform::MediaOutcome::Refused;
        }
        return platform::MediaOutcome::Done;
    });
}

void SimDesktop::BringToForeground(WindowHandle window) {
    if (SimForm* form = FormByHandle(window)) {
        Activate(form->window_);
    } else if (const OtherWindow* other = Other(window); other != nullptr && !other->hung) {
        ActivateNone(window);
    }
}

void SimDesktop::ChangeDisplays() {
    // WM_DISPLAYCHANGE goes to every top-level window, hidden ones too.
    const std::vector<Window> windows = windows_;
    for (const Window& window : windows) {
        window->model.DisplayChanged();
        AfterEvent();
    }
}

// As Windows does it: the monitor with the largest part of the rectangle; where
// it lies on none, the one at the least distance; of equals, the first, the
// primary. An empty rectangle counts as its corner pixel.
platform::Monitor SimDesktop::MonitorOf(const platform::PixelRect& rect) {
    platform::PixelRect r = rect;
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    std::vector<platform::Monitor> monitors{
        {{0, 0, screen.widthPixels, screen.heightPixels}, workArea, true}};
    monitors.insert(monitors.end(), otherMonitors.begin(), otherMonitors.end());
    const platform::Monitor* best = nullptr;
    std::int64_t bestArea = 0;
    std::int64_t bestDistance = 0;
    for (const platform::Monitor& monitor : monitors) {
        const platform::PixelRect& m = monitor.bounds;
        const std::int64_t across = std::min(r.right, m.right) - std::max(r.left, m.left);
        const std::int64_t down = std::min(r.bottom, m.bottom) - std::max(r.top, m.top);
        const std::int64_t area = across > 0 && down > 0 ? across * down : 0;
        const std::int64_t dx = std::max<std::int64_t>({0, m.left - r.right, r.left - m.right});
        const std::int64_t dy = std::max<std::int64_t>({0, m.top - r.bottom, r.top - m.bottom});
        const std::int64_t distance = dx * dx + dy * dy;
        if (best == nullptr || area > bestArea ||
            (bestArea == 0 && area == 0 && distance < bestDistance)) {
            best = &monitor;
            bestArea = area;
            bestDistance = distance;
        }
    }
    return *best;
}

platform::Monitor SimDesktop::MonitorAt(PixelPoint point) {
    return MonitorOf({point.x, point.y, point.x + 1, point.y + 1});
}

platform::Monitor SimDesktop::MonitorOfWindow(WindowHandle window) {
    if (const SimForm* form = FormByHandle(window)) {
        return MonitorOf(platform::Units(screen).ToPixels(form->Bounds()));
    }
    const OtherWindow* other = Other(window);
    return MonitorOf(other != nullptr ? other->rect : platform::PixelRect{});
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
    auto window = std::make_shared<SimWindow>(NewHandle(), desc, platform::Units(screen), events);
    window->bounds.left = static_cast<float>(newWindowAt.x) * screen.twipsPerPixelX;
    window->bounds.top = static_cast<float>(newWindowAt.y) * screen.twipsPerPixelY;
    windows_.push_back(window);
    auto form = std::make_unique<SimForm>(*this, window);
    forms_[window.get()] = form.get();
    return form;
}

bool SimDesktop::IsNormalFile(const std::string& path) {
    std::error_code error;
    const auto real = RealPath(path);
    return std::filesystem::is_regular_file(real, error) && hiddenOrSystem.count(real) == 0;
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

void SimDesktop::HoldWrites() {
    const std::lock_guard lock(filesMutex_);
    holdWrites_ = true;
}

void SimDesktop::ReleaseWrites() {
    const std::lock_guard lock(filesMutex_);
    holdWrites_ = false;
    filesChanged_.notify_all();
}

bool SimDesktop::WritesHeld() {
    const std::lock_guard lock(filesMutex_);
    return holdWrites_;
}

void SimDesktop::WaitForHeldWrite() {
    std::unique_lock lock(filesMutex_);
    filesChanged_.wait(lock, [this] { return writesHeld_ > 0; });
}

std::vector<std::string> SimDesktop::FileWrites() {
    const std::lock_guard lock(filesMutex_);
    return fileWrites_;
}

std::size_t SimDesktop::FileWritesMade() {
    const std::lock_guard lock(filesMutex_);
    return writesMade_;
}

void SimDesktop::WaitForFileWrites(std::size_t count) {
    std::unique_lock lock(filesMutex_);
    if (!filesChanged_.wait_for(lock, std::chrono::seconds(10),
                                [&] { return writesMade_ >= count; })) {
        throw std::logic_error("file writes made: " + std::to_string(writesMade_) + " of " +
                               std::to_string(count));
    }
}

bool SimDesktop::WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::unique_lock lock(filesMutex_);
    fileWrites_.push_back(path);
    if (holdWrites_ && std::this_thread::get_id() == desktopThread_) {
        throw std::logic_error("a held write on the thread that drives the desktop: " + path);
    }
    ++writesInside_;
    if (holdWrites_) {
        ++writesHeld_;
        filesChanged_.notify_all();
        filesChanged_.wait(lock, [this] { return !holdWrites_; });
        --writesHeld_;
    }
    lock.unlock();

    const auto real = RealPath(path);
    std::error_code error;
    bool written = false;
    if (std::filesystem::is_directory(real.parent_path(), error)) {
        std::ofstream out(real, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        written = static_cast<bool>(out);
    }
    lock.lock();
    --writesInside_;
    ++writesMade_;
    filesChanged_.notify_all();
    return written;
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

std::string SimDesktop::ReadSetting(std::string_view app, std::string_view section,
                                    std::string_view key) {
    const auto it = settings.find({std::string(app), std::string(section), std::string(key)});
    return it == settings.end() ? std::string() : it->second;
}

void SimDesktop::WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) {
    if (settingsWritable) {
        settings[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
    }
}

void SimDesktop::StartSystemProgram(std::string_view exeName, std::string_view programLine) {
    startedPrograms.emplace_back(exeName, programLine);
}

void SimDesktop::OpenLink(WindowHandle owner, std::string_view target) {
    openedLinks.emplace_back(owner, std::string(target));
}

void SimDesktop::ShowInformation(WindowHandle owner, std::string_view text,
                                 std::string_view title) {
    messageBoxes.push_back({owner, std::string(text), std::string(title)});
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
