// The announcer window loaded on its own on a fresh simulated desktop, with a
// game folder that exists.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "announcer/frm_announce.h"
#include "mainwindow/forms.h"
#include "sim_desktop.h"

namespace tw::test {

struct AnnouncerApp {
    sim::SimDesktop desktop;
    std::unique_ptr<Forms> forms;

    AnnouncerApp() { std::filesystem::create_directories(gameFolderReal()); }

    // The game folder as the user's system would name it: backslashes.
    std::string gameFolder() const { return desktop.root().string() + "\\cstrike"; }
    std::filesystem::path gameFolderReal() const { return desktop.root() / "cstrike"; }
    std::filesystem::path scriptReal() const { return gameFolderReal() / "winamp.cfg"; }

    void StoreFolder(const std::string& folder) {
        desktop.settings[{"Tunewarden", "WTF", "CSFolder"}] = folder;
    }
    std::optional<std::string> StoredFolder() const {
        const auto it = desktop.settings.find({"Tunewarden", "WTF", "CSFolder"});
        if (it == desktop.settings.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    FrmAnnounce& Load() {
        forms = std::make_unique<Forms>(desktop);
        return forms->frmAnnounce();
    }
    // Loads the window with the game folder in its box.
    FrmAnnounce& LoadWithFolder() {
        StoreFolder(gameFolder());
        return Load();
    }

    sim::SimForm* Form() { return desktop.FindForm("frmAnnounce"); }
    std::string FolderBox() { return Form()->ControlText(FrmAnnounce::txtCSFolder); }
    void TypeFolder(const std::string& text) {
        Form()->SetControlText(FrmAnnounce::txtCSFolder, text);
    }

    void Ticks(int seconds) { desktop.Advance(std::chrono::seconds(seconds)); }
    std::optional<std::string> Script() { return desktop.ReadRealFile(scriptReal()); }
};

inline std::string SayLine(const std::string& message) {
    return "say \"" + message + "\r\n";
}

}  // namespace tw::test
