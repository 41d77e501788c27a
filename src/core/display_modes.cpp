#include "core/display_modes.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/forms.h"
#include "core/menu_seam.h"
#include "core/settings.h"
#include "version.h"

namespace tw {

namespace {

// A mode's height, its name in the tray tip, and the mode a switch steps to.
struct ModeRow {
    DisplayMode mode;
    DisplayMode next;
    float height;  // twips; the width stays 2835
    std::string_view name;
};

constexpr std::array<ModeRow, 3> kModes{{
    {DisplayMode::Normal, DisplayMode::Small, 4350, "Normal Mode"},
    {DisplayMode::SmallMouse, DisplayMode::Normal, 600, "Small Mouse Mode"},
    {DisplayMode::Small, DisplayMode::SmallMouse, 240, "Small Mode"},
}};

const ModeRow& RowOf(DisplayMode mode) {
    return *std::ranges::find(kModes, mode, &ModeRow::mode);
}

}  // namespace

std::string TrayTitle(DisplayMode mode) {
    return "Tunewarden " + std::to_string(TW_VERSION_MAJOR) + "." +
           std::to_string(TW_VERSION_MINOR) + " - " + std::string(RowOf(mode).name);
}

void SwitchMode(Forms& forms) {
    MainWindow* main = forms.Main();
    if (main == nullptr) {
        return;  // the program is shutting down
    }
    const ModeRow& next = RowOf(RowOf(main->mode).next);
    main->mode = next.mode;
    platform::Form& window = main->MainForm();
    const platform::TwipRect bounds = window.Bounds();
    window.Move(bounds.left, bounds.top, bounds.width, next.height);
    // Removed and added again, not modified, so that the tip names the new mode.
    main->stopIcon();
    main->StartIcon(TrayTitle(next.mode));
    forms.system().WriteSetting(settings::kApp, settings::kModeSection, settings::kModeKey,
                                std::to_string(static_cast<int>(main->mode)));
    SetMenuVisible(forms, false);
}

}  // namespace tw
