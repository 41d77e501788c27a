#include "core/display_modes.h"

#include "core/forms.h"
#include "core/menu_seam.h"
#include "core/settings.h"
#include "version.h"

namespace tw {

namespace {

// The mode after the given one; none for a value the program never sets.
const DisplayMode* NextMode(std::int16_t mode) {
    // Tested against 0, then 1, then 2: the first match decides.
    if (mode == kNormalMode.mode) {
        return &kSmallMode;
    }
    if (mode == kSmallMouseMode.mode) {
        return &kNormalMode;
    }
    if (mode == kSmallMode.mode) {
        return &kSmallMouseMode;
    }
    return nullptr;
}

}  // namespace

std::string TrayTitle(const DisplayMode& mode) {
    return "Tunewarden " + std::to_string(TW_VERSION_MAJOR) + "." +
           std::to_string(TW_VERSION_MINOR) + " - " + std::string(mode.name);
}

void SwitchMode(Forms& forms) {
    MainWindow* bar = forms.Main();
    if (bar == nullptr) {
        return;  // the program is shutting down
    }
    MainWindow& main = *bar;
    if (const DisplayMode* next = NextMode(main.mode)) {
        main.mode = next->mode;
        platform::Form& window = main.MainForm();
        const platform::TwipRect bounds = window.Bounds();
        window.Move(bounds.left, bounds.top, bounds.width, next->height);
        // Removed and added again, not modified, so that the tip names the new mode.
        main.stopIcon();
        main.StartIcon(TrayTitle(*next));
    }
    forms.system().WriteSetting(settings::kApp, settings::kModeSection, settings::kModeKey,
                                std::to_string(main.mode));
    SetMenuVisible(forms, false);
}

}  // namespace tw
