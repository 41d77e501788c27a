#include "mainwindow/forms.h"

#include <optional>
#include <string_view>

#include "announcer/frm_announce.h"
#include "mainwindow/frm_main.h"
#include "menu/frm_about.h"
#include "menu/frm_menu.h"
#include "songshow/frm_song_show.h"

namespace tw {

namespace {

// The window class the backend gives the main window: "Tunewarden_" and its design name.
constexpr std::string_view kMainWindowClass = "Tunewarden_frmMain";

}  // namespace

Forms::Forms(platform::System& system) : system_(system) {}

Forms::~Forms() = default;

bool Forms::Start() {
    if (!system_.ClaimSingleInstance()) {
        system_.BringToForeground(system_.FindTopLevelWindow(kMainWindowClass, std::nullopt));
        return false;
    }
    Load<FrmMain>();
    return true;
}

void Forms::Shutdown() {
    if (shuttingDown_) {
        return;
    }
    shuttingDown_ = true;
    if (FrmMain* main = Loaded<FrmMain>()) {
        main->stopIcon();
    }
    std::apply([this](auto&... slot) { (Retire(slot), ...); }, slots_);
    system_.EndProcess();
}

void Forms::ReleaseUnloaded() {
    unloaded_.clear();
}

}  // namespace tw
