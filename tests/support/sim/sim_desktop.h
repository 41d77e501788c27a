// A simulated desktop for the window logic's unit tests.
//
// It models what the program's behaviour depends on, no more:
// - the screen (size, twips per pixel), the taskbar rectangle and work area,
//   and further monitors beside it: which one holds a point, a rectangle or a
//   window, by Windows' rules (the largest overlap, else the nearest), and
//   their change, which every window of the program hears of;
// - other programs' top-level windows: class, caption, the file name of their
//   program, topmost band and the commands and app commands they received; a
//   window can open the player's "Jump to file" dialog on the jump command, or
//   hang so that sends time out;
// - the keyboard with the real key-state bits: bit 15 while a key is down, and
//   the low "pressed since the last query" bit that the next query consumes; a
//   key's release goes to the program's window in front, as its key-up message;
// - the program's own windows, each driven by the same form model as on
//   Windows: bounds, visibility, z-order (the topmost band above the rest),
//   controls, timers, activation, and a log of everything drawn on each canvas;
// - the pointer at screen pixels: presses, releases, moves and double-clicks
//   go to the window under it (or the one holding the capture), through the
//   model's hit test, capture and click rules; a press on no window of the
//   program is a click elsewhere, which takes the activation away;
// - a clock that fires due timers in time order;
// - the system's current media session: present, playing, artist and title,
//   the commands it was given, a session that refuses to stop and one whose
//   operations never complete (the backend's worker runs the same rule on
//   its answers, platform::RunMediaRequest; the worker's thread and its waits
//   are not modelled: a queued command reaches the session at once);
// - the settings store, the folder picker's answers, the foreground window and
//   the end of the process;
// - the notification area: icons by window and id with their tips, the
//   shell's mouse messages on them, a shell that restarts or refuses icons;
// - modal windows, centred over an owner that takes no pointer input while
//   they are up (the call returns at once: there is no nested message loop);
// - programs started, links opened, message boxes, and another copy of the
//   program already running.
// Files are real files below a temporary folder; backslashes in paths are
// read as separators, and files can be marked hidden or system. File writes can
// be held, as a disk that does not answer holds them, until the test lets them
// go; they come from the program's writer thread, so what they touch is locked.
//
// Like the Win32 backend, a window refuses nothing silently: an id the window
// does not have throws, so a wrong id fails the test instead of passing.
//
// It does not model: window messages and their order inside the system, other
// programs' windows under the pointer (their rectangles only say which monitor
// holds them), the
// double-click time and distance, rendering of text and fonts (the draw log
// records what was asked, not pixels), code pages other than Windows-1252,
// other processes' timing, or key auto-repeat.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/command_line.h"
#include "platform/form_model.h"
#include "platform/system.h"

namespace tw::sim {

using platform::PixelPoint;
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
    void Refresh() override;
    // What a new back colour does to a surface: everything drawn is gone.
    void Erase(platform::Colour back);

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

// The state of one of the program's windows. Input holds it while it
// dispatches, so that a handler may unload its own window.
struct SimWindow {
    SimWindow(WindowHandle handle, const platform::FormDesc& desc, const platform::Units& units,
              platform::FormEvents& events);

    WindowHandle handle;
    platform::FormModel model;
    platform::TwipRect bounds;
    bool visible = false;
    bool topmost = false;
    std::map<int, SimCanvas> canvases;  // the surface and each picture
    std::map<int, std::int64_t> due;    // running timers: when each fires next
    int timesShown = 0;                 // every SetVisible(true), also on a visible window
    int timesHidden = 0;                // every SetVisible(false)
    // A modal window's owner takes no pointer input while the modal one is up.
    WindowHandle modalOwner = 0;
    int modalWindowsOver = 0;
};

class SimForm final : public platform::Form {
  public:
    SimForm(SimDesktop& desktop, std::shared_ptr<SimWindow> window);
    ~SimForm() override;

    SimForm(const SimForm&) = delete;
    SimForm& operator=(const SimForm&) = delete;

    WindowHandle Handle() const override { return window_->handle; }
    platform::TwipRect Bounds() const override { return window_->bounds; }
    void Move(float left, float top, float width, float height) override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override { return window_->visible; }
    void SetFocus() override;
    void SetControlText(int control, std::string_view text) override;
    std::string ControlText(int control) const override;
    void SetControlForeColour(int control, platform::Colour colour) override;
    void SetControlBackColour(int control, platform::Colour colour) override;
    void SetToolTip(int control, std::string_view text) override;
    void MoveControl(int control, const platform::TwipRect& rect) override;
    void ShowControl(int control, bool visible) override;
    platform::Canvas& Surface(int control) override { return canvas(control); }
    void StartTimer(int timerId, unsigned intervalMs) override;
    void StopTimer(int timerId) override;
    bool TimerRunning(int timerId) const override;
    bool AddNotifyIcon(int control, std::uint32_t id, std::string_view tip) override;
    void DeleteNotifyIcon(std::uint32_t id) override;
    // Returns at once: the simulated desktop runs no nested message loop.
    void ShowModal(WindowHandle owner) override;

    // --- What a test reads ------------------------------------------------------
    const platform::FormDesc& desc() const { return window_->model.desc(); }
    SimCanvas& canvas(int control);
    const platform::ControlState& control(int id) const;
    std::string toolTip(int id) const { return control(id).desc.toolTip; }
    platform::Colour foreColour(int id) const { return control(id).desc.foreColour; }
    bool IsActive() const;
    int timesShown() const { return window_->timesShown; }
    int timesHidden() const { return window_->timesHidden; }
    // The screen pixel of a point given relative to a control (kFormSurface:
    // the window), in that control's pixels.
    PixelPoint At(int control, int x, int y) const;

  private:
    friend class SimDesktop;
    SimDesktop& desktop_;
    std::shared_ptr<SimWindow> window_;
};

// Another program's top-level window.
struct OtherWindow {
    WindowHandle handle = 0;
    std::string className;
    std::string caption;
    std::string exeName;
    // Where it lies, for its monitor; none: at the primary monitor's corner.
    platform::PixelRect rect;
    bool topmost = false;
    bool hung = false;
    bool opensJumpDialog = false;
    // Closes right after a lookup finds it, before anything can be sent to it.
    bool closesWhenFound = false;
    // The caption the window takes on when it handles a command (a player
    // changing track).
    std::map<std::uint32_t, std::string> captionOnCommand;
    std::vector<std::uint32_t> commands;
    std::vector<std::uint16_t> appCommands;
    int sendAttempts = 0;
};

// The system's current media session.
struct SimMediaSession {
    bool present = false;
    bool playing = false;
    std::string artist;
    std::string title;
    // Answers no to Stop, as a browser's session often does.
    bool refusesStop = false;
    // No operation ever completes: every command waits out the worker's bound.
    bool neverCompletes = false;
    // Every command the session was given, in order, refused and timed-out ones too.
    std::vector<platform::MediaCommand> received;
};

class SimDesktop final : public platform::System {
  public:
    SimDesktop();
    ~SimDesktop() override;

    // --- Keyboard ------------------------------------------------------------------
    void KeyDown(int virtualKey);
    // Also a key release for the program's window in front, if one is.
    void KeyUp(int virtualKey);
    // Down and up again between two queries: only the low bit remains.
    void KeyTap(int virtualKey);

    // --- Pointer, at screen pixels -------------------------------------------------
    void Press(PixelPoint at, std::int16_t button = platform::mouse::kLeft, std::int16_t shift = 0);
    void Release(PixelPoint at, std::int16_t button = platform::mouse::kLeft,
                 std::int16_t shift = 0);
    // With whatever buttons are held.
    void Move(PixelPoint at, std::int16_t shift = 0);
    void Click(PixelPoint at, std::int16_t button = platform::mouse::kLeft);
    // Down, up, and the second press and its release.
    void DoubleClick(PixelPoint at, std::int16_t button = platform::mouse::kLeft);

    // The system asks a window of the program to close (Alt+F4, logging off).
    void RequestClose(WindowHandle window);

    // --- The notification area ---------------------------------------------------
    // The icons up, by window and id, with their tips.
    std::map<std::pair<WindowHandle, std::uint32_t>, std::string> trayIcons;
    // The shell refuses every icon (it is not running yet, or out of room).
    bool shellRefusesIcons = false;
    // The shell reports its mouse message (0x0202 left button up, ...) on an icon.
    void NotifyIcon(WindowHandle window, std::uint32_t id, std::uint32_t shellMessage);
    // The shell restarts: every icon is gone until its window puts it up again.
    void RestartShell();

    // --- Other programs ------------------------------------------------------------
    // Windows added earlier lie in front of later ones.
    WindowHandle AddWindow(std::string className, std::string caption, std::string exeName = {});
    // The stand-in for the player, opening its jump dialog on the jump command.
    WindowHandle AddPlayer(std::string caption = "1. Artist - Song - Winamp");
    void RemoveWindow(WindowHandle handle);
    OtherWindow* Other(WindowHandle handle);
    std::vector<std::uint32_t> CommandsTo(WindowHandle handle);

    SimMediaSession mediaSession;

    // Advances the clock, firing every timer that falls due, in time order.
    void Advance(std::chrono::milliseconds duration);
    // While a timer's tick is delivered, and betweenEvents runs after it: its window and id.
    std::optional<std::pair<WindowHandle, int>> tick;
    // Runs after every event the desktop delivers, where the program's message
    // loop would run its between-events work.
    std::function<void()> betweenEvents;

    // The program's windows by design name ("frmMain", ...); null when not loaded.
    SimForm* FindForm(std::string_view name);
    SimForm* FormByHandle(WindowHandle handle);
    bool IsTopmost(WindowHandle handle);
    // The window that has the keyboard: 0 for the desktop itself.
    WindowHandle Foreground() const { return foreground_; }

    // --- Files ---------------------------------------------------------------------
    std::filesystem::path root() const { return root_; }
    std::filesystem::path programFolder() const { return root_ / programFolderName; }
    // The name of the folder the program runs from, below the temporary one.
    std::string programFolderName = "program";
    // Turns a program path ("C:\x" style with backslashes) into the real path.
    static std::filesystem::path RealPath(const std::string& path);
    void WriteRealFile(const std::filesystem::path& path, std::string_view bytes);
    std::optional<std::string> ReadRealFile(const std::filesystem::path& path);
    // Failure injection: reading these real paths fails.
    std::set<std::filesystem::path> unreadable;
    // Files with the hidden or system attribute.
    std::set<std::filesystem::path> hiddenOrSystem;
    // A disk that does not answer: from HoldWrites on, every file write waits inside the
    // call until ReleaseWrites. A write held on the thread that drives the desktop could
    // never be let go, so it throws instead.
    void HoldWrites();
    void ReleaseWrites();
    bool WritesHeld();
    // Returns once a write is waiting inside the call.
    void WaitForHeldWrite();
    // The path of every WriteWholeFile call, failed and held ones included.
    std::vector<std::string> FileWrites();
    // How many WriteWholeFile calls have returned, failed ones included.
    std::size_t FileWritesMade();
    // Returns once `count` WriteWholeFile calls have returned in all. A write that never comes
    // fails the test (it throws after seconds) rather than holding it for good.
    void WaitForFileWrites(std::size_t count);

    // The primary monitor: its size, and its work area.
    platform::ScreenInfo screen{1024, 768, 15, 15};
    platform::PixelRect taskbar{0, 738, 1024, 768};
    bool taskbarAnswers = true;
    platform::PixelRect workArea{0, 0, 1024, 738};
    // The monitors beside the primary one.
    std::vector<platform::Monitor> otherMonitors;
    // The monitors changed (set them first): every window of the program hears of it.
    void ChangeDisplays();
    // Where the system opens a new window of the program, in screen pixels.
    PixelPoint newWindowAt{90, 90};
    // The arguments the program is started with, after its own name as a
    // shortcut into a folder with blanks would give it.
    std::string commandLine;
    std::string programOnCommandLine = "\"C:\\Program Files\\Tunewarden\\tunewarden.exe\"";
    std::map<std::tuple<std::string, std::string, std::string>, std::string> settings;
    // False: every write to the settings store fails, unnoticed.
    bool settingsWritable = true;
    std::deque<std::string> folderPickerAnswers;
    std::vector<std::string> folderPickerPrompts;
    std::vector<WindowHandle> folderPickerOwners;
    // Another copy of the program is running already.
    bool anotherCopyRunning = false;

    // --- What the program did ------------------------------------------------------
    int keyStateReads = 0;
    int windowLookups = 0;
    bool processEnded = false;
    // Band changes that reached an existing window, in order: (window, topmost).
    std::vector<std::pair<WindowHandle, bool>> topmostChanges;
    // (program, command line) of every program started from the system folder.
    std::vector<std::pair<std::string, std::string>> startedPrograms;
    // (owner, target) of every link opened.
    std::vector<std::pair<WindowHandle, std::string>> openedLinks;
    struct MessageBox {
        WindowHandle owner;
        std::string text;
        std::string title;
        friend bool operator==(const MessageBox&, const MessageBox&) = default;
    };
    std::vector<MessageBox> messageBoxes;

    // --- platform::System ----------------------------------------------------------
    std::int16_t AsyncKeyState(int virtualKey) override;
    WindowHandle FindTopLevelWindow(std::string_view className,
                                    std::optional<std::string_view> title) override;
    std::vector<WindowHandle> TopLevelWindowsOfClass(std::string_view className) override;
    std::string WindowCaption(WindowHandle window) override;
    std::string ProcessFileName(WindowHandle window) override;
    platform::SendResult SendCommand(WindowHandle window, std::uint32_t commandId) override;
    platform::SendResult SendAppCommand(WindowHandle window, std::uint16_t appCommand) override;
    void SetTopmost(WindowHandle window, bool topmost) override;
    void BringToForeground(WindowHandle window) override;
    platform::MediaSession MediaSessionSnapshot() override;
    void QueueMediaCommand(const platform::MediaRequest& request) override;
    platform::ScreenInfo Screen() override { return screen; }
    bool QueryTaskbarRect(platform::PixelRect& rect) override;
    platform::Monitor MonitorAt(PixelPoint point) override;
    platform::Monitor MonitorOf(const platform::PixelRect& rect) override;
    platform::Monitor MonitorOfWindow(WindowHandle window) override;
    WindowHandle ForegroundWindow() override { return foreground_; }
    std::unique_ptr<platform::Form> CreateForm(const platform::FormDesc& desc,
                                               platform::FormEvents& events) override;
    void DoEvents() override {}
    // The process's line as the system gives it, split as the backend splits it.
    std::string CommandLine() override {
        return std::string(platform::ArgumentsOf(programOnCommandLine + " " + commandLine));
    }
    std::string ProgramFolder() override { return programFolder().string(); }
    void EndProcess() override { processEnded = true; }
    bool IsNormalFile(const std::string& path) override;
    std::optional<std::string> ReadFileStart(const std::string& path,
                                             std::size_t maxBytes) override;
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    std::string AnsiToUtf8(std::string_view ansi) override;
    std::string ReadSetting(std::string_view app, std::string_view section,
                            std::string_view key) override;
    void WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value) override;
    std::string BrowseForFolder(WindowHandle owner, std::string_view prompt) override;
    void StartSystemProgram(std::string_view exeName, std::string_view programLine) override;
    void OpenLink(WindowHandle owner, std::string_view target) override;
    void ShowInformation(WindowHandle owner, std::string_view text,
                         std::string_view title) override;
    bool ClaimSingleInstance() override { return !anotherCopyRunning; }

  private:
    friend class SimForm;
    using Window = std::shared_ptr<SimWindow>;
    struct KeyState {
        bool down = false;
        bool pressedSinceQuery = false;
    };
    // A press that went to a real push button or edit box, not to the model.
    struct ChildPress {
        Window window;
        int control;
    };

    WindowHandle NewHandle() { return nextHandle_++; }
    Window WindowAt(PixelPoint at) const;
    Window WindowOf(WindowHandle handle) const;
    Window PointerTarget(PixelPoint at) const;
    PixelPoint ToClient(const SimWindow& window, PixelPoint at) const;
    void Raise(const Window& window);
    void Activate(const Window& window);
    void ActivateNone(WindowHandle foreground);
    void Destroyed(const SimWindow& window);
    void AfterEvent();

    std::filesystem::path root_;
    std::map<int, KeyState> keys_;
    std::vector<OtherWindow> others_;
    // The program's windows, bottom of the z-order first, and their forms.
    std::vector<Window> windows_;
    std::map<const SimWindow*, SimForm*> forms_;
    Window active_;
    Window capture_;
    std::optional<ChildPress> childPress_;
    std::int16_t buttonsHeld_ = 0;
    WindowHandle foreground_ = 0;
    WindowHandle nextHandle_ = 0x1000;
    std::int64_t nowMs_ = 0;

    // What file writes touch, which may come from another thread.
    std::mutex filesMutex_;
    std::condition_variable filesChanged_;
    std::vector<std::string> fileWrites_;
    bool holdWrites_ = false;
    int writesHeld_ = 0;
    int writesInside_ = 0;
    std::size_t writesMade_ = 0;
    const std::thread::id desktopThread_ = std::this_thread::get_id();
};

}  // namespace tw::sim
