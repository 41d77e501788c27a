#include "mainwindow/forms.h"

#include "announcer/frm_announce.h"
#include "mainwindow/frm_main.h"
#include "songshow/frm_song_show.h"

namespace tw {

Forms::Forms(platform::System& system) : system_(system) {}

Forms::~Forms() = default;

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
