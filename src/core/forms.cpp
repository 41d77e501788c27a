#include "core/forms.h"

#include <optional>
#include <utility>

#include "core/background_writer.h"

namespace tw {

Forms::Forms(platform::System& system) : system_(system) {}

Forms::~Forms() = default;

bool Forms::ClaimSingleInstance(std::string_view mainWindowName) {
    if (system_.ClaimSingleInstance()) {
        return true;
    }
    system_.BringToForeground(
        system_.FindTopLevelWindow(platform::WindowClassName(mainWindowName), std::nullopt));
    return false;
}

MainWindow* Forms::Main() {
    return dynamic_cast<MainWindow*>(slots_[static_cast<std::size_t>(WindowSlot::Main)].get());
}

PopupMenu* Forms::Menu() {
    return dynamic_cast<PopupMenu*>(slots_[static_cast<std::size_t>(WindowSlot::Menu)].get());
}

void Forms::Shutdown() {
    if (shuttingDown_) {
        return;
    }
    shuttingDown_ = true;
    if (MainWindow* main = Main()) {
        main->stopIcon();
    }
    for (std::unique_ptr<FormBase>& slot : slots_) {
        Retire(slot);
    }
    system_.EndProcess();
}

void Forms::Retire(std::unique_ptr<FormBase>& slot) {
    if (slot) {
        slot->DestroyWindow();
        unloaded_.push_back(std::move(slot));
    }
}

void Forms::WriteFileInBackground(std::string path, std::string bytes) {
    if (!writer_) {
        writer_ = std::make_unique<BackgroundWriter>(system_);
    }
    writer_->Write(std::move(path), std::move(bytes));
}

void Forms::ReleaseUnloaded() {
    unloaded_.clear();
}

}  // namespace tw
