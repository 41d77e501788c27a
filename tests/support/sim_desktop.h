// A simulated desktop for the window logic's unit tests.
//
// It models what the program's behaviour depends on, no more:
// - the screen (size, twips per pixel), the taskbar rectangle and work area;
// - other programs' top-level windows: class, caption, topmost band and the
//   commands they received; a window can open the player's "Jump to file"
//   dialog on the jump command, or hang so that sends time out;
// - the keyboard with the real key-state bits: bit 15 while a key is down, and
//   the low "pressed since the last query" bit that the next query consumes;
// - the program's own windows with their bounds, visibility, control texts and
//   colours, tooltips, timers and a log of everything drawn on each canvas;
// - a clock that fires due timers in time order;
// - the settings store, the folder picker's answers, the foreground window and
//   the end of the process.
// Files are real files below a temporary folder; backslashes in paths are
// read as separators.
//
// It does not model: window messages and their order inside the system,
// activation and focus changes other than explicit requests, rendering of text
// and fonts (the draw log records what was asked, not pixels), code pages other
// than Windows-1252, other processes' timing, or key auto-repeat.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/system.h"

namespace tw::sim {

using platform::WindowHandle;

class SimDesktop;

class SimCanvas final : public platform::Canvas {
  public:
    void SetDrawColour(platform::Colour colour) override;
    void SetDrawWidth(int pixels) override;
    void SetFontBold(bool bold) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2, bool filled) override;
    void Print(std::string_view text) override;
    void SetTextPosition(float x, float y) override;
    void Refresh() override;

    // One entry per figure, e.g. "box 1,1 16,16 filled #CCCCCC",
    // "line 1,16 17,16 #000000 w1", "print 'text' at 0,240 #FFFFFF bold".
    std::vector<std::string> log;
    std::optional<platform::Colour> fillColour;

  private:
    platform::Colour colour_ = platform::colours::kBlack;
    int width_ = 1;
    bool bold_ = false;
    float x_ = 0;
    float y_ = 0;
};

class SimForm final : public platform::Form {
  public:
    SimForm(SimDesktop& desktop, WindowHandle handle, const platform::FormDesc& desc,
            platform::FormEvents& events);
    ~SimForm() override;

    WindowHandle Handle() const override { return handle_; }
    platform::TwipRect Bounds() const override { return bounds_; }
    void Move(float left, float top, float width, float height) override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override { return visible_; }
    void SetFocus() override;
    void SetControlText(int control, std::string_view text) override {
        controls_[control].text = text;
    }
    std::string ControlText(int control) const override;
    void SetControlForeColour(int control, platform::Colour colour) override {
        controls_[control].fore = colour;
    }
    void SetControlBackColour(int control, platform::Colour colour) override {
        controls_[control].back = colour;
    }
    void SetToolTip(int control, std::string_view text) override {
        controls_[control].toolTip = text;
    }
    platform::Canvas& Surface(int control) override { return controls_[control].canvas; }
    void StartTimer(int timerId, unsigned intervalMs) override;
    void StopTimer(int timerId) override;
    bool TimerRunning(int timerId) const override;

    const platform::FormDesc& desc() const { return desc_; }
    platform::FormEvents& events() { return events_; }
    SimCanvas& canvas(int control) { return controls_[control].canvas; }
    std::string toolTip(int control) { return controls_[control].toolTip; }
    platform::Colour foreColour(int control) { return controls_[control].fore; }
    platform::Colour backColour(int control) { return controls_[control].back; }
    // Every call of SetVisible(true), including on a visible window.
    int timesShown = 0;

  private:
    friend class SimDesktop;
    struct TimerState {
        unsigned interval = 0;
        std::int64_t due = 0;
    };

    SimDesktop& desktop_;
    WindowHandle handle_;
    platform::FormDesc desc_;
    platform::FormEvents& events_;
    platform::TwipRect bounds_;
    bool visible_ = false;
    struct ControlState {
        std::string text;
        platform::Colour fore = platform::colours::kBlack;
        platform::Colour back = platform::colours::kDarkGrey;
        std::string toolTip;
        SimCanvas canvas;
    };
    std::map<int, ControlState> controls_;  // kFormSurface included
    std::map<int, TimerState> timers_;
};

// Another program's top-level window.
struct OtherWindow {
    WindowHandle handle = 0;
    std::string className;
    std::string caption;
    bool topmost = false;
    bool hung = false;
    bool opensJumpDialog = false;
    // Closes right after a lookup finds it, before anything can be sent to it.
    bool closesWhenFound = false;
    // The caption the window takes on when it handles a command (a player
    // changing track).
    std::map<std::uint32_t, std::string> captionOnCommand;
    std::vector<std::uint32_t> commands;
    int sendAttempts = 0;
};

class SimDesktop final : public platform::System {
  public:
    SimDesktop();
    ~SimDesktop() override;

    // --- Test controls ------------------------------------------------------
    void Press(int virtualKey);
    void Release(int virtualKey);
    // Down and up again between two queries: only the low bit remains.
    void Tap(int virtualKey);

    WindowHandle AddWindow(std::string className, std::string caption);
    // The stand-in for the player, opening its jump dialog on the jump command.
    WindowHandle AddPlayer(std::string caption = "1. Artist - Song - Winamp");
    void RemoveWindow(WindowHandle handle);
    OtherWindow* Other(WindowHandle handle);
    std::vector<std::uint32_t> CommandsTo(WindowHandle handle);

    // Advances the clock, firing every timer that falls due, in time order.
    void Advance(std::chrono::milliseconds duration);

    // The program's windows by design name ("frmMain", ...); null when not loaded.
    SimForm* FindForm(std::string_view name);
    SimForm* FormByHandle(WindowHandle handle);
    bool IsTopmost(WindowHandle handle);

    std::filesystem::path root() const { return root_; }
    std::filesystem::path programFolder() const { return root_ / "program"; }
    // Turns a program path ("C:\x" style with backslashes) into the real path.
    static std::filesystem::path RealPath(const std::string& path);
    void WriteRealFile(const std::filesystem::path& path, std::string_view bytes);
    std::optional<std::string> ReadRealFile(const std::filesystem::path& path);
    // Failure injection: reading or writing these real paths fails.
    std::set<std::filesystem::path> unreadable;
    std::set<std::filesystem::path> unwritable;

    platform::ScreenInfo screen{1024, 768, 15, 15};
    platform::PixelRect taskbar{0, 738, 1024, 768};
    bool taskbarAnswers = true;
    platform::PixelRect workArea{0, 0, 1024, 738};
    std::string commandLine;
    std::map<std::tuple<std::string, std::string, std::string>, std::string> settings;
    std::deque<std::string> folderPickerAnswers;
    std::vector<std::string> folderPickerPrompts;
    std::vector<WindowHandle> folderPickerOwners;

    // --- What the program did --------------------------------------------------
    int keyStateReads = 0;
    int windowLookups = 0;
    // The path of every WriteWholeFile call, failed ones included.
    std::vector<std::string> fileWrites;
    bool processEnded = false;
    WindowHandle foreground = 0;
    // Band changes that reached an existing window, in order: (window, topmost).
    std::vector<std::pair<WindowHandle, bool>> topmostChanges;

    // --- platform::System --------------------------------------------------------
    std::int16_t AsyncKeyState(int virtualKey) override;
    WindowHandle FindTopLevelWindow(std::string_view className,
                                    std::optional<std::string_view> title) override;
    std::string WindowCaption(WindowHandle window) override;
    platform::SendResult SendCommand(WindowHandle window, std::uint32_t commandId) override;
    void SetTopmost(WindowHandle window, bool topmost) override;
    void BringToForeground(WindowHandle window) override;
    platform::ScreenInfo Screen() override { return screen; }
    bool QueryTaskbarRect(platform::PixelRect& rect) override;
    platform::PixelRect WorkArea() override { return workArea; }
    std::unique_ptr<platform::Form> CreateForm(const platform::FormDesc& desc,
                                               platform::FormEvents& events) override;
    void DoEvents() override {}
    std::string CommandLine() override { return commandLine; }
    std::string ProgramFolder() override { return programFolder().string(); }
    void EndProcess() override { processEnded = true; }
    bool IsNormalFile(const std::string& path) override;
    std::optional<std::string> ReadFileStart(const std::string& path,
                                             std::size_t maxBytes) override;
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    std::string AnsiToUtf8(std::string_view ansi) override;
    std::string Utf8ToAnsi(std::string_view utf8) override;
    bool IsAnsiLeadByte(unsigned char) override { return false; }
    std::string ReadSetting(std::string_view app, std::string_view section,
                            std::string_view key) override;
    void WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value) override;
    std::string BrowseForFolder(WindowHandle owner, std::string_view prompt) override;

  private:
    friend class SimForm;
    struct KeyState {
        bool down = false;
        bool pressedSinceQuery = false;
    };

    WindowHandle NewHandle() { return nextHandle_++; }

    std::filesystem::path root_;
    std::map<int, KeyState> keys_;
    std::vector<OtherWindow> others_;
    std::vector<SimForm*> forms_;
    std::set<WindowHandle> topmostForms_;
    WindowHandle nextHandle_ = 0x1000;
    std::int64_t nowMs_ = 0;
};

}  // namespace tw::sim
