// The system services the window logic uses, on Win32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system.h"
#include "platform/win32/handles.h"
#include "platform/win32/media_session_worker.h"

namespace tw::platform::win32 {

class Win32System final : public System {
  public:
    Win32System() = default;
    ~Win32System() override;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

    std::int16_t AsyncKeyState(int virtualKey) override;

    WindowHandle FindTopLevelWindow(std::string_view className,
                                    std::optional<std::string_view> title) override;
    std::vector<WindowHandle> TopLevelWindowsOfClass(std::string_view className) override;
    std::string WindowCaption(WindowHandle window) override;
    std::string ProcessFileName(WindowHandle window) override;
    SendResult SendCommand(WindowHandle window, std::uint32_t commandId) override;
    SendResult SendAppCommand(WindowHandle window, std::uint16_t appCommand) override;
    void SetTopmost(WindowHandle window, bool topmost) override;
    void BringToForeground(WindowHandle window) override;

    // Starts the worker that reads the system's media session. Called once the
    // first window shows: the start does not wait for it, and a first hotkey
    // finds the session read already.
    void StartMediaSession();
    MediaSession MediaSessionSnapshot() override;
    void QueueMediaCommand(const MediaRequest& request) override;

    ScreenInfo Screen() override;
    bool QueryTaskbarRect(PixelRect& rect) override;

    Monitor MonitorAt(PixelPoint point) override;
    Monitor MonitorOf(const PixelRect& rect) override;
    Monitor MonitorOfWindow(WindowHandle window) override;
    WindowHandle ForegroundWindow() override;

    std::unique_ptr<Form> CreateForm(const FormDesc& desc, FormEvents& events) override;
    void DoEvents() override;

    std::string CommandLine() override;
    std::string ProgramFolder() override;
    void EndProcess() override;

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
    void StartSystemProgram(std::string_view exeName, std::string_view commandLine) override;
    void OpenLink(WindowHandle owner, std::string_view target) override;
    void ShowInformation(WindowHandle owner, std::string_view text,
                         std::string_view title) override;

    // A named object in the session, held until this object goes.
    bool ClaimSingleInstance() override;

  private:
    UniqueHandle instanceMark_;
    std::unique_ptr<MediaSessionWorker> mediaSession_;
    bool comEntered_ = false;  // this thread is in a single-threaded COM apartment
};

}  // namespace tw::platform::win32
