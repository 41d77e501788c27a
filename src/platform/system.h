// Everything the window logic needs from the system besides its own windows.
// Method names avoid the Win32 API's macro names on purpose (FindWindow,
// SendMessage, ...), so that the backend can include <windows.h> freely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/media_session.h"
#include "platform/types.h"
#include "platform/window.h"

namespace tw::platform {

enum class SendResult {
    Delivered,  // the window handled the message (or there was no window to handle it)
    TimedOut,   // the window did not answer within the bounded wait: it is hung
};

class System {
  public:
    virtual ~System() = default;

    // --- Keyboard -----------------------------------------------------------
    // The system-wide key state: bit 15 while the key is down, bit 0 when it
    // was pressed since the previous query (which this query consumes).
    virtual std::int16_t AsyncKeyState(int virtualKey) = 0;

    // --- Other programs' top-level windows ----------------------------------
    // No title means "any caption".
    virtual WindowHandle FindTopLevelWindow(std::string_view className,
                                            std::optional<std::string_view> title) = 0;
    // Every top-level window of the class, hidden ones too, front to back.
    virtual std::vector<WindowHandle> TopLevelWindowsOfClass(std::string_view className) = 0;
    // The caption read as Unicode, as UTF-8.
    virtual std::string WindowCaption(WindowHandle window) = 0;
    // The file name, without its folder, of the program that made the window
    // ("Spotify.exe"); empty when the system does not tell.
    virtual std::string ProcessFileName(WindowHandle window) = 0;
    // WM_COMMAND with the id, synchronous, but bounded for a hung receiver.
    virtual SendResult SendCommand(WindowHandle window, std::uint32_t commandId) = 0;
    // WM_APPCOMMAND with the command (APPCOMMAND_...), as a key of the keyboard
    // gives it; bounded as SendCommand is.
    virtual SendResult SendAppCommand(WindowHandle window, std::uint16_t appCommand) = 0;
    virtual void SetTopmost(WindowHandle window, bool topmost) = 0;
    virtual void BringToForeground(WindowHandle window) = 0;

    // --- The system's media session ------------------------------------------
    // The current session as a worker saw it last; never waits. Absent where
    // the system has no session, or no media sessions at all.
    virtual MediaSession MediaSessionSnapshot() = 0;
    // Hands the request to that worker and returns at once; a system without a
    // session drops it.
    virtual void QueueMediaCommand(const MediaRequest& request) = 0;

    // --- Screen ---------------------------------------------------------------
    // The primary monitor's size, and the twips in a pixel everywhere.
    virtual ScreenInfo Screen() = 0;
    // The taskbar rectangle from the shell; false (and rect untouched) when it
    // does not answer. It is the taskbar of one monitor, usually the primary.
    virtual bool QueryTaskbarRect(PixelRect& rect) = 0;

    // --- Monitors -------------------------------------------------------------
    // The monitor that holds the point, or the nearest one when none does.
    virtual Monitor MonitorAt(PixelPoint point) = 0;
    // The monitor that holds the largest part of the rectangle, or the nearest
    // one when it lies on none.
    virtual Monitor MonitorOf(const PixelRect& rect) = 0;
    // The same for a window, the program's own or another program's; the
    // primary monitor for no window.
    virtual Monitor MonitorOfWindow(WindowHandle window) = 0;
    // The window that has the keyboard (the game, while it is played); 0 for none.
    virtual WindowHandle ForegroundWindow() = 0;

    // --- The program's own windows -------------------------------------------
    virtual std::unique_ptr<Form> CreateForm(const FormDesc& desc, FormEvents& events) = 0;
    // Handles window events that are already waiting, then returns.
    virtual void DoEvents() = 0;

    // --- Process ----------------------------------------------------------------
    // The argument text after the program name, exactly as the process got it.
    virtual std::string CommandLine() = 0;
    // The program's folder, without a trailing separator.
    virtual std::string ProgramFolder() = 0;
    // Ends the process at once; no further events run.
    virtual void EndProcess() = 0;

    // --- Files (paths use backslashes, as on Windows) ----------------------------
    // True for an existing file that is not a folder, hidden or system file.
    virtual bool IsNormalFile(const std::string& path) = 0;
    // At most maxBytes from the start of the file; nothing when it can't be read.
    virtual std::optional<std::string> ReadFileStart(const std::string& path,
                                                     std::size_t maxBytes) = 0;
    // Creates or truncates the file and writes the bytes; false on any failure. Called from
    // the background writer's thread (core/background_writer.h), beside the user-interface
    // thread, so it touches nothing that thread does.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // --- Text ---------------------------------------------------------------------
    // From the system's ANSI code page to UTF-8.
    virtual std::string AnsiToUtf8(std::string_view ansi) = 0;

    // --- Per-user settings: text values by application, section and key ----------
    virtual std::string ReadSetting(std::string_view app, std::string_view section,
                                    std::string_view key) = 0;
    virtual void WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) = 0;

    // --- Shell ------------------------------------------------------------------------
    // The system's folder picker; empty when cancelled or the choice has no path.
    virtual std::string BrowseForFolder(WindowHandle owner, std::string_view prompt) = 0;
    // Starts one of Windows' own programs from the system folder and nowhere else:
    // the program's folder, the current folder and the path may hold a stranger's file
    // of the same name. The program gets the command line as given, in a normal window
    // with the focus; nothing waits for it.
    virtual void StartSystemProgram(std::string_view exeName, std::string_view commandLine) = 0;
    // Has the shell "open" a web address or a "mailto:" link.
    virtual void OpenLink(WindowHandle owner, std::string_view target) = 0;
    // A modal message box with the information icon and an OK button.
    virtual void ShowInformation(WindowHandle owner, std::string_view text,
                                 std::string_view title) = 0;

    // True for the first copy of the program running in this session; a later
    // copy gets false, and hands over to the first.
    virtual bool ClaimSingleInstance() = 0;
};

}  // namespace tw::platform
