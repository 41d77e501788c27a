#include "mainwindow/forms.h"

#include "mainwindow/form_base.h"
#include "mainwindow/frm_main.h"

namespace tw {

Forms::Forms(platform::System& system) : system_(system) {}

Forms::~Forms() = default;

template <class F>
F& Forms::LoadInto(std::unique_ptr<F>& slot) {
    if (!slot) {
        ReleaseUnloaded();
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

void Forms::Shutdown() {
    if (shuttingDown_) {
        return;
    }
    shuttingDown_ = true;
    if (frmMain_) {
        frmMain_->stopIcon();
    }
    UnloadFrom(frmMain_);
    system_.EndProcess();
}

void Forms::ReleaseUnloaded() {
    unloaded_.clear();
}

}  // namespace tw
