// The program on a fresh simulated desktop, and what its tests share.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "announcer/frm_announce.h"
#include "core/forms.h"
#include "mainwindow/frm_main.h"
#include "sim_desktop.h"
#include "songshow/frm_song_show.h"
#include "version.h"

namespace tw::test {

using namespace std::chrono_literals;

inline constexpr int kControl = 17;
// What the shell sends for a right click on the notification-area icon (WM_RBUTTONUP).
inline constexpr std::uint32_t kRightClick = 0x0205;

inline std::string SayLine(std::string_view message) {
    return "say \"" + std::string(message) + "\r\n";
}
// The notification-area icon's tip in a display mode: the name and version, then the mode.
inline std::string IconTip(std::string_view mode) {
    return "Tunewarden " TW_VERSION_SHORT_STRING " - " + std::string(mode);
}
// The script without a song: it tells the user alone, never the other players.
inline const std::string kNoSongScript = "echo \"Tunewarden: no song is playing\"\r\n";

struct TestApp {
    TestApp() {
        // As the message loop does between two events; and, as a disk that answers at once
        // would, the line an announcer tick hands the writer thread is written before the next
        // event. While writes are held nothing is waited for: a test that lets them go waits
        // for the writes it expects (WaitForFileWrites).
        desktop.betweenEvents = [this] {
            forms.ReleaseUnloaded();
            const sim::SimForm* announcer = Form("frmAnnounce");
            if (announcer != nullptr && !desktop.WritesHeld() && !FolderBox().empty() &&
                desktop.tick == std::pair{announcer->Handle(), int{FrmAnnounce::Timer1}}) {
                desktop.WaitForFileWrites(writesMade_ + 1);
            }
            writesMade_ = desktop.FileWritesMade();
        };
    }

    sim::SimDesktop desktop;
    Forms forms{desktop};

    // Starts the program: its main window, unless another copy runs.
    FrmMain& Start() {
        if (!forms.Start<FrmMain>()) {
            throw std::logic_error("another copy of the program runs");
        }
        return *forms.Loaded<FrmMain>();
    }
    sim::SimForm* Form(std::string_view name) { return desktop.FindForm(name); }
    sim::SimForm& MainForm() { return *Form("frmMain"); }
    sim::SimForm& Announcer() { return *Form("frmAnnounce"); }
    sim::SimForm* Display() { return Form("frmSongShow"); }
    // A pixel of the transport bar or of the title picture, on the screen.
    sim::PixelPoint Bar(int x, int y) { return MainForm().At(FrmMain::picButtons, x, y); }
    sim::PixelPoint Title(int x, int y) { return MainForm().At(FrmMain::Label1, x, y); }

    // Holds Control with the key through exactly one tick of the poller.
    void Chord(int key) {
        desktop.KeyDown(kControl);
        desktop.KeyDown(key);
        desktop.Advance(250ms);
        desktop.KeyUp(key);
        desktop.KeyUp(kControl);
    }

    // The announcer's game folder: it exists, and is named with backslashes.
    std::string GameFolder() {
        std::filesystem::create_directories(desktop.root() / "cstrike");
        return desktop.root().string() + "\\cstrike";
    }
    std::optional<std::string> Script() {
        return desktop.ReadRealFile(desktop.root() / "cstrike" / "winamp.cfg");
    }
    void StoreFolder(const std::string& folder) {
        desktop.settings[{"Tunewarden", "WTF", "CSFolder"}] = folder;
    }
    std::optional<std::string> StoredFolder() {
        const auto it = desktop.settings.find({"Tunewarden", "WTF", "CSFolder"});
        return it == desktop.settings.end() ? std::nullopt : std::optional(it->second);
    }
    std::string FolderBox() { return Announcer().ControlText(FrmAnnounce::txtCSFolder); }
    void TypeFolder(const std::string& text) {
        Announcer().SetControlText(FrmAnnounce::txtCSFolder, text);
    }
    void Ticks(int seconds) { desktop.Advance(std::chrono::seconds(seconds)); }
    // The announcer's next write waits inside the call, as on a disk that does not answer,
    // until the test lets it go.
    void HoldNextWrite() {
        desktop.HoldWrites();
        Ticks(1);
        desktop.WaitForHeldWrite();
    }
    // The shell's mouse message on the main window's icon: by default the right click.
    void NotifyIcon(std::uint32_t shellMessage = kRightClick) {
        desktop.NotifyIcon(MainForm().Handle(), 1, shellMessage);
    }
    // The tips of the icons in the notification area.
    std::vector<std::string> TrayTips() {
        std::vector<std::string> tips;
        for (const auto& [key, tip] : desktop.trayIcons) {
            tips.push_back(tip);
        }
        return tips;
    }

  private:
    std::size_t writesMade_ = 0;
};

// The program started beside a player, with the game in front where the user plays: the
// fixture of the bar, hotkey, song display and tray icon tests.
class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = app.desktop.AddPlayer("3. Artist - Song - Winamp");
        main = &app.Start();
        game = app.desktop.AddWindow("Valve001", "Counter-Strike");
        app.desktop.BringToForeground(game);
    }
    std::vector<std::uint32_t> Received() { return app.desktop.CommandsTo(player); }

    TestApp app;
    FrmMain* main = nullptr;
    platform::WindowHandle player = 0, game = 0;
};

// What a log gained after its first `before` entries.
template <class T>
std::vector<T> Since(const std::vector<T>& log, std::size_t before) {
    return {log.begin() + static_cast<std::ptrdiff_t>(before), log.end()};
}

// The WM_COMMAND ids a Winamp-class player takes.
inline constexpr std::uint32_t kPrevious = 40044, kPlay = 40045, kPause = 40046, kStop = 40047,
                               kNext = 40048, kJump = 40194;

}  // namespace tw::test
