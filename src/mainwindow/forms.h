// The owner of the program's windows. Each window exists at most once: it is
// created and loaded on its first use, reused while it stays loaded, and
// destroyed when it is unloaded, so that the next use starts from its design.
#pragma once

#include <memory>
#include <vector>

#include "mainwindow/module.h"
#include "platform/system.h"

namespace tw {

class FormBase;
class FrmAnnounce;
class FrmMain;
class FrmSongShow;

class Forms {
  public:
    explicit Forms(platform::System& system);
    ~Forms();

    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    platform::System& system() { return system_; }
    Module& module() { return module_; }

    // Loads the window when it is not loaded yet.
    FrmMain& frmMain();
    FrmMain* frmMainIfLoaded() { return frmMain_.get(); }
    FrmSongShow& frmSongShow();
    FrmSongShow* frmSongShowIfLoaded() { return frmSongShow_.get(); }
    FrmAnnounce& frmAnnounce();
    FrmAnnounce* frmAnnounceIfLoaded() { return frmAnnounce_.get(); }

    // Unloading may happen inside the window's own handler: the handler must
    // not touch the window after the call.
    void UnloadSongShow();
    void UnloadAnnounce();

    // Seam for the popup menu, which is not built yet: hiding it does nothing.
    void HideMenu() {}

    // The one way out of the program, whatever started it: the tray icon goes
    // first, then every loaded window, then the process.
    void Shutdown();
    bool shuttingDown() const { return shuttingDown_; }

    // Frees windows unloaded from inside their own handlers. Called where no
    // handler of theirs can be running: between two top-level events.
    void ReleaseUnloaded();

  private:
    template <class F>
    F& LoadInto(std::unique_ptr<F>& slot);
    template <class F>
    void UnloadFrom(std::unique_ptr<F>& slot);

    platform::System& system_;
    Module module_;
    std::unique_ptr<FrmMain> frmMain_;
    std::unique_ptr<FrmSongShow> frmSongShow_;
    std::unique_ptr<FrmAnnounce> frmAnnounce_;
    // Unloaded windows whose handler may still be on the stack; their platform
    // windows are already gone.
    std::vector<std::unique_ptr<FormBase>> unloaded_;
    bool shuttingDown_ = false;
};

}  // namespace tw
