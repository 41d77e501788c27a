#include "platform/form_model.h"

#include <string>
#include <utility>
#include <vector>

namespace tw::platform {

namespace {

// The shell's mouse messages, as its icon notifications carry them.
constexpr std::uint32_t kShellLeftButtonUp = 0x0202;
constexpr std::uint32_t kShellLeftButtonDoubleClick = 0x0203;
constexpr std::uint32_t kShellRightButtonUp = 0x0205;

bool DrawnByTheWindow(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Picture ||
           kind == ControlKind::ClickArea;
}

// The text up to its first `count` characters, UTF-8 throughout.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
        if (starts && seen++ == count) {
            break;
        }
    }
    return text.substr(0, at);
}

}  // namespace

TwipRect CentredOver(const TwipRect& owner, float width, float height, const TwipRect& area) {
    return TwipRect{owner.left + (owner.width - width) / 2, owner.top + (owner.height - height) / 2,
                    width, height}
        .MovedInto(area);
}

FormModel::FormModel(FormDesc desc, const Units& units, FormEvents& events)
    : desc_(std::move(desc)), units_(units), events_(&events) {
    controls_.reserve(desc_.controls.size());
    for (ControlDesc& control : desc_.controls) {
        const PixelRect rect = units_.ToPixels(control.rect);
        controls_.push_back(ControlState{std::move(control), rect, true});
    }
    desc_.controls.clear();
}

ControlState* FormModel::Find(int id) {
    return const_cast<ControlState*>(std::as_const(*this).Find(id));
}

const ControlState* FormModel::Find(int id) const {
    for (const ControlState& control : controls_) {
        if (control.desc.id == id) {
            return &control;
        }
    }
    return nullptr;
}

bool FormModel::Has(int id) const {
    return id == kFormSurface || Find(id) != nullptr;
}

bool FormModel::MoveControl(int id, const TwipRect& rect) {
    ControlState* control = Find(id);
    if (control == nullptr) {
        return false;
    }
    control->desc.rect = rect;
    control->rect = units_.ToPixels(rect);
    return true;
}

bool FormModel::ShowControl(int id, bool visible) {
    ControlState* control = Find(id);
    if (control == nullptr) {
        return false;
    }
    control->visible = visible;
    return true;
}

bool FormModel::SetText(int id, std::string_view text) {
    if (id == kFormSurface) {
        desc_.caption = std::string(text);
        return true;
    }
    ControlState* control = Find(id);
    if (control == nullptr) {
        return false;
    }
    control->desc.text = std::string(text);
    return true;
}

bool FormModel::SetForeColour(int id, Colour colour) {
    ControlState* control = Find(id);
    if (control != nullptr) {
        control->desc.foreColour = colour;
    }
    // The window's own fore colour is only the pen of its canvas.
    return id == kFormSurface || control != nullptr;
}

bool FormModel::SetToolTip(int id, std::string_view text) {
    ControlState* control = Find(id);
    if (control != nullptr) {
        control->desc.toolTip = std::string(text);
    }
    return id == kFormSurface || control != nullptr;
}

std::optional<ColourEffect> FormModel::SetBackColour(int id, Colour colour) {
    // As with the classic toolkit, a new back colour erases what a surface showed.
    if (id == kFormSurface) {
        desc_.backColour = colour;
        return ColourEffect::EraseImage;
    }
    ControlState* control = Find(id);
    if (control == nullptr) {
        return std::nullopt;
    }
    control->desc.backColour = colour;
    return control->desc.kind == ControlKind::Picture ? ColourEffect::EraseImage
                                                      : ColourEffect::Repaint;
}

int FormModel::HitTest(PixelPoint client) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (it->visible && DrawnByTheWindow(it->desc.kind) && it->rect.Contains(client)) {
            return it->desc.id;
        }
    }
    return kFormSurface;
}

std::optional<int> FormModel::ChildAt(PixelPoint client) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (it->visible && !DrawnByTheWindow(it->desc.kind) && it->rect.Contains(client)) {
            return it->desc.id;
        }
    }
    return std::nullopt;
}

FormModel::ControlPoint FormModel::ToControl(int id, PixelPoint at) const {
    const ControlState* control = Find(id);
    if (control == nullptr) {
        return {units_.XFromPixels(at.x, ScaleUnit::Twips),
                units_.YFromPixels(at.y, ScaleUnit::Twips)};
    }
    return {units_.XFromPixels(at.x - control->rect.left, control->desc.scale),
            units_.YFromPixels(at.y - control->rect.top, control->desc.scale)};
}

void FormModel::PointerDown(std::int16_t button, std::int16_t shift, PixelPoint at) {
    if (!captured_) {
        captured_ = HitTest(at);
        afterDoubleClick_ = false;
    }
    const int target = *captured_;
    const ControlPoint p = ToControl(target, at);
    Fire({EventKind::MouseDown, target, button, shift, p.x, p.y});
}

void FormModel::PointerUp(std::int16_t button, std::int16_t stillHeld, std::int16_t shift,
                          PixelPoint at) {
    const int target = captured_ ? *captured_ : HitTest(at);
    const ControlPoint p = ToControl(target, at);
    // Decided before the handlers run: a release handler may move or hide controls.
    const bool ends = captured_ && stillHeld == mouse::kNone;
    const bool click = ends && !afterDoubleClick_ && HitTest(at) == target;
    if (ends) {
        captured_.reset();
    }
    Fire({EventKind::MouseUp, target, button, shift, p.x, p.y});
    if (click) {
        Fire({EventKind::Click, target});
    }
}

void FormModel::PointerMove(std::int16_t held, std::int16_t shift, PixelPoint at) {
    const int target = captured_ ? *captured_ : HitTest(at);
    const ControlPoint p = ToControl(target, at);
    Fire({EventKind::MouseMove, target, held, shift, p.x, p.y});
}

void FormModel::DoubleClick(PixelPoint at) {
    const int hit = HitTest(at);
    if (!captured_) {
        captured_ = hit;
    }
    afterDoubleClick_ = true;
    Fire({EventKind::DblClick, hit});
}

void FormModel::CaptureLost() {
    captured_.reset();
}

void FormModel::ChildClicked(int id) {
    if (Find(id) != nullptr) {
        Fire({EventKind::Click, id});
    }
}

void FormModel::KeyUp(std::int16_t keyCode, std::int16_t shift) {
    Fire({.kind = EventKind::KeyUp, .shift = shift, .keyCode = keyCode});
}

void FormModel::Activated() {
    if (!active_) {
        active_ = true;
        Fire({EventKind::Activate});
    }
}

void FormModel::Deactivated() {
    if (active_) {
        active_ = false;
        Fire({EventKind::Deactivate});
    }
}

void FormModel::CloseRequested() {
    Fire({EventKind::CloseRequest});
}

void FormModel::DisplayChanged() {
    Fire({EventKind::DisplayChange});
}

std::int16_t FormModel::IconButton(std::uint32_t shellMessage) {
    // Acting on the release, as the shell's own icons do.
    switch (shellMessage) {
        case kShellLeftButtonUp:
        case kShellLeftButtonDoubleClick:
            return mouse::kLeft;
        case kShellRightButtonUp:
            return mouse::kRight;
        default:
            return mouse::kNone;
    }
}

const NotifyIcon& FormModel::AddIcon(int control, std::uint32_t id, std::string_view tip) {
    DeleteIcon(id);
    icons_.push_back({control, id, std::string(FirstCharacters(tip, kMaxIconTipCharacters))});
    return icons_.back();
}

void FormModel::DeleteIcon(std::uint32_t id) {
    std::erase_if(icons_, [id](const NotifyIcon& icon) { return icon.id == id; });
}

void FormModel::IconNotified(std::uint32_t id, std::uint32_t shellMessage) {
    for (const NotifyIcon& icon : icons_) {
        if (icon.id == id) {
            const int control = icon.control;
            const std::int16_t button = IconButton(shellMessage);
            Fire({EventKind::MouseMove, control, button});
            return;
        }
    }
}

bool FormModel::StartTimer(int id, unsigned intervalMs) {
    return timers_.try_emplace(id, intervalMs).second;
}

bool FormModel::StopTimer(int id) {
    return timers_.erase(id) != 0;
}

std::optional<unsigned> FormModel::TimerInterval(int id) const {
    const auto it = timers_.find(id);
    return it == timers_.end() ? std::nullopt : std::optional(it->second);
}

void FormModel::Detach() {
    events_ = nullptr;
    timers_.clear();
    captured_.reset();
}

void FormModel::TimerFired(int id) {
    if (TimerRunning(id)) {
        Fire({EventKind::Timer, id});
    }
}

}  // namespace tw::platform
