// The owner of the program's windows. Each window exists at most once: it is
// created and loaded on its first use, reused while it stays loaded, and
// destroyed when it is unloaded, so that the next use starts from its design.
#pragma once

#include <cstddef>
#include <memory>
#include <tuple>
#include <vector>

#include "mainwindow/form_base.h"
#include "mainwindow/module.h"
#include "platform/system.h"

namespace tw {

class FrmAbout;
class FrmAnnounce;
class FrmMain;
class FrmMenu;
class FrmSongShow;

class Forms {
  public:
    explicit Forms(platform::System& system);
    ~Forms();

    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    platform::System& system() { return system_; }
    Module& module() { return module_; }

    // Starts the program by loading its main window. A copy already running
    // keeps the session's one poller (two would act on every hotkey twice):
    // this one brings that copy's bar forward and returns false, to end.
    bool Start();

    // The window, loaded first when it is not loaded yet.
    template <class F>
    F& Load() {
        auto& slot = std::get<std::unique_ptr<F>>(slots_);
        if (!slot) {
            slot = std::make_unique<F>(*this);
            slot->Form_Load();
        }
        return *slot;
    }

    // The window if it is loaded; never loads it.
    template <class F>
    F* Loaded() {
        return std::get<std::unique_ptr<F>>(slots_).get();
    }

    // Destroys the platform window at once. Unloading may happen inside the
    // window's own handler, so the logic object lives on until the next
    // ReleaseUnloaded, and the handler must not touch the window after the call.
    template <class F>
    void Unload() {
        Retire(std::get<std::unique_ptr<F>>(slots_));
    }

    // The one way out of the program, whatever started it: the tray icon goes
    // first, then every loaded window, then the process.
    void Shutdown();
    bool shuttingDown() const { return shuttingDown_; }

    // Frees windows unloaded from inside their own handlers. Called where no
    // handler of theirs can be running: between two top-level events.
    void ReleaseUnloaded();
    std::size_t unreleased() const { return unloaded_.size(); }

  private:
    template <class F>
    void Retire(std::unique_ptr<F>& slot) {
        if (slot) {
            slot->DestroyWindow();
            unloaded_.push_back(std::move(slot));
        }
    }

    platform::System& system_;
    Module module_;
    // One slot per window; the main window last, so that a shutdown unloads it last.
    std::tuple<std::unique_ptr<FrmSongShow>, std::unique_ptr<FrmAnnounce>,
               std::unique_ptr<FrmAbout>, std::unique_ptr<FrmMenu>, std::unique_ptr<FrmMain>>
        slots_;
    // Unloaded windows whose handler may still be on the stack; their platform
    // windows are already gone.
    std::vector<std::unique_ptr<FormBase>> unloaded_;
    bool shuttingDown_ = false;
};

}  // namespace tw
