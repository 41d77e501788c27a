#include "mainwindow/forms.h"

#include "announcer/frm_announce.h"
#include "mainwindow/form_base.h"
#include "mainwindow/frm_main.h"
#include "songshow/frm_song_show.h"

namespace tw {

Forms::Forms(platform::System& system) : system_(system) {}

Forms::~Forms() = default;

template <class F>
F& Forms::LoadInto(std::unique_ptr<F>& slot) {
    if (!slot) {
        slot = std::make_unique<F>(*this);
        slot->Form_Load();
    }
    return *slot;
}

template <class F>
void Forms::UnloadFrom(std::unique_ptr<F>& slot) {
    if (slot) {
        slot->DestroyWindow();
        unloaded_.push_back(std::move(slot));
    }
}

FrmMain& Forms::frmMain() {
    return LoadInto(frmMain_);
}
FrmSongShow& Forms::frmSongShow() {
    return LoadInto(frmSongShow_);
}
FrmAnnounce& Forms::frmAnnounce() {
    return LoadInto(frmAnnounce_);
}

void Forms::UnloadSongShow() {
    UnloadFrom(frmSongShow_);
}
void Forms::UnloadAnnounce() {
    UnloadFrom(frmAnnounce_);
}

void Forms::Shutdown() {
    if (shuttingDown_) {
        return;
    }
    shuttingDown_ = true;
    if (frmMain_) {
        frmMain_->stopIcon();
    }
    UnloadFrom(frmSongShow_);
    UnloadFrom(frmAnnounce_);
    UnloadFrom(frmMain_);
    system_.EndProcess();
}

void Forms::ReleaseUnloaded() {
    unloaded_.clear();
}

}  // namespace tw
