// The owner of the program's windows. Each window exists at most once: it is
// created and loaded on its first use, reused while it stays loaded, and
// destroyed when it is unloaded, so that the next use starts from its design.
//
// A window class names its slot (`static constexpr WindowSlot kSlot`); the
// owner keeps every window as its base, so it includes none of them.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/form_base.h"
#include "core/module.h"
#include "core/window_interfaces.h"
#include "platform/system.h"

namespace tw {

class BackgroundWriter;

// In the order a shutdown unloads them: the main window last.
enum class WindowSlot : std::size_t { SongShow, Announce, About, Menu, Main };
inline constexpr std::size_t kWindowSlots = 5;

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
    template <class MainForm>
    bool Start() {
        if (!ClaimSingleInstance(MainForm::Design().name)) {
            return false;
        }
        Load<MainForm>();
        return true;
    }

    // The window, loaded first (its Form_Load run, where it has one) when it is not loaded yet.
    template <class F>
    F& Load() {
        std::unique_ptr<FormBase>& slot = Slot<F>();
        if (!slot) {
            slot = std::make_unique<F>(*this);
            if constexpr (requires(F & form) { form.Form_Load(); }) {
                static_cast<F&>(*slot).Form_Load();
            }
        }
        return static_cast<F&>(*slot);
    }

    // The window if it is loaded; never loads it.
    template <class F>
    F* Loaded() {
        return static_cast<F*>(Slot<F>().get());
    }

    // Destroys the platform window at once. Unloading may happen inside the
    // window's own handler, so the logic object lives on until the next
    // ReleaseUnloaded, and the handler must not touch the window after the call.
    template <class F>
    void Unload() {
        Retire(Slot<F>());
    }

    // The main window and the popup menu, for the code below them in the
    // stack; null while they are not loaded. Neither loads its window: only the
    // start does, and nothing brings them back while the program shuts down.
    MainWindow* Main();
    PopupMenu* Menu();

    // The one way out of the program, whatever started it: the tray icon goes
    // first, then every loaded window, then the process.
    void Shutdown();

    // Writes the file off the user-interface thread, one write at a time, the newest content
    // replacing what still waits (BackgroundWriter). The thread starts with the first write and
    // serves the whole run, so that no window's unloading waits on it.
    void WriteFileInBackground(std::string path, std::string bytes);

    // Frees windows unloaded from inside their own handlers. Called where no
    // handler of theirs can be running: between two top-level events.
    void ReleaseUnloaded();
    // How many wait to be freed. Only a test asks: a retired window shows nowhere, and
    // windows that pile up over a long run can be told from outside only by the memory.
    std::size_t unreleased() const { return unloaded_.size(); }

  private:
    template <class F>
    std::unique_ptr<FormBase>& Slot() {
        return slots_[static_cast<std::size_t>(F::kSlot)];
    }
    // False when another copy runs; that copy's main window, by its design name, is brought
    // forward.
    bool ClaimSingleInstance(std::string_view mainWindowName);
    void Retire(std::unique_ptr<FormBase>& slot);

    platform::System& system_;
    Module module_;
    std::array<std::unique_ptr<FormBase>, kWindowSlots> slots_;
    // Unloaded windows whose handler may still be on the stack; their platform
    // windows are already gone.
    std::vector<std::unique_ptr<FormBase>> unloaded_;
    bool shuttingDown_ = false;
    std::unique_ptr<BackgroundWriter> writer_;
};

}  // namespace tw
