// A stand-in for Windows' system media session: an in-process WinRT server that Wine's
// RoGetActivationFactory loads for the class
// Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager (registered under
// HKLM\Software\Microsoft\WindowsRuntime\ActivatableClassId\<class>, value DllPath).
//
// The end-to-end tests steer it through "media-session.txt" beside the DLL, read afresh on every
// call, UTF-8, one key=value a line:
//   status=Playing      the session's playback status by name (Closed ... Paused)
//   title=..., artist=..., albumartist=...   its media properties (the album artist is
//                       "Various Artists" unless given, so that it never passes for the artist)
//   log=C:\...\x.log    where each command is logged: the slot number of the session's method
//                       that was called (10 TryPlayAsync ... 20 TryTogglePlayPauseAsync), a line
//                       each, the same numbers-a-line form as the stand-in player's log
//   refuse=TryStopAsync a command whose operation completes with false
//   never=TrySkipNextAsync,TryStopAsync   operations that never complete (any Try...Async)
//   slow=100            the others complete this many milliseconds after they start, as a
//                       provider in another process may (seen by polling the status: the
//                       completion handler is called only for one complete when it is set)
// No file: the system has no current session (GetCurrentSession gives S_OK and null).
#include <windows.h>

#include <winstring.h>

#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "gsmtc.h"

namespace {

using namespace gsmtc;
using ISession = IGlobalSystemMediaTransportControlsSession;
using IManager = IGlobalSystemMediaTransportControlsSessionManager;
using IProperties = IGlobalSystemMediaTransportControlsSessionMediaProperties;
using IPlaybackInfo = IGlobalSystemMediaTransportControlsSessionPlaybackInfo;
using IStatics = IGlobalSystemMediaTransportControlsSessionManagerStatics;

HMODULE g_module = nullptr;

// WinRT's errors for a second completion handler and for results asked too early.
constexpr HRESULT kDelegateAlreadySet = static_cast<HRESULT>(0x80000018);
constexpr HRESULT kNotYet = static_cast<HRESULT>(0x8000000E);

struct State {
    std::wstring status, title, artist, albumArtist = L"Various Artists", log, refuse, never, slow;

    [[nodiscard]] bool Completes(std::wstring_view method) const {
        return (L"," + never + L",").find(L"," + std::wstring(method) + L",") == std::wstring::npos;
    }
    [[nodiscard]] ULONGLONG SlowMilliseconds() const {
        return std::wcstoull(slow.c_str(), nullptr, 10);
    }
};

std::wstring FromUtf8(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length : 0));
    return wide;
}

std::optional<State> ReadState() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
    std::wstring file(path, length);
    file = file.substr(0, file.find_last_of(L"\\/") + 1) + L"media-session.txt";
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(handle);
    bytes.resize(read);
    State state;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find('\n', at);
        end = end == std::string::npos ? bytes.size() : end;
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        const std::wstring value = FromUtf8(line.substr(equals + 1));
        std::wstring* field = key == "status"        ? &state.status
                              : key == "title"       ? &state.title
                              : key == "artist"      ? &state.artist
                              : key == "albumartist" ? &state.albumArtist
                              : key == "log"         ? &state.log
                              : key == "refuse"      ? &state.refuse
                              : key == "never"       ? &state.never
                              : key == "slow"        ? &state.slow
                                                     : nullptr;
        if (field != nullptr) {
            *field = value;
        }
    }
    return state;
}

void Log(const State& state, int slot) {
    if (state.log.empty()) {
        return;
    }
    const HANDLE file = CreateFileW(state.log.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string line = std::to_string(slot) + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

PlaybackStatus StatusNamed(const std::wstring& name) {
    constexpr const wchar_t* kNames[] = {L"Closed",  L"Opened",  L"Changing",
                                         L"Stopped", L"Playing", L"Paused"};
    for (size_t i = 0; i < std::size(kNames); ++i) {
        if (name == kNames[i]) {
            return static_cast<PlaybackStatus>(i);
        }
    }
    return PlaybackStatus::Closed;
}

HSTRING MakeString(const std::wstring& text) {
    HSTRING string = nullptr;
    WindowsCreateString(text.c_str(), static_cast<UINT32>(text.size()), &string);
    return string;
}

// Reference counting, IInspectable and QueryInterface for the interfaces listed, each of
// which has its `iid`; IUnknown, IInspectable and IAgileObject give the first.
template <class First, class... Rest>
class Object : public First, public Rest... {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (wanted == kIidUnknown || wanted == kIidInspectable || wanted == kIidAgileObject ||
            wanted == First::iid) {
            *out = static_cast<First*>(this);
        }
        ((*out == nullptr&& wanted == Rest::iid ? * out = static_cast<Rest*>(this) : nullptr), ...);
        if (*out == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override {
        *count = 0;
        *iids = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) override {
        *name = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {
        *level = BaseTrust;
        return S_OK;
    }

  protected:
    virtual ~Object() = default;

  private:
    LONG references_ = 1;
};

template <class T>
HRESULT Give(T* object, T** out) {
    *out = object;
    return S_OK;
}

// An operation that completes with its result once its delay is over, or never completes.
template <class Interface, class Result>
class Operation final : public Object<Interface, IAsyncInfo> {
  public:
    Operation(Result result, bool completes, ULONGLONG delay = 0)
        : result_(result), completes_(completes), completesAt_(GetTickCount64() + delay) {
        if constexpr (std::is_pointer_v<Result>) {
            if (result_ != nullptr) {
                result_->AddRef();
            }
        }
    }
    HRESULT STDMETHODCALLTYPE put_Completed(ICompletedHandler<Interface>* handler) override {
        if (handler == nullptr || handler_ != nullptr) {
            return kDelegateAlreadySet;
        }
        handler_ = handler;
        handler_->AddRef();
        if (Status() != AsyncStatus::Started) {
            handler_->Invoke(this, Status());
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Completed(ICompletedHandler<Interface>** handler) override {
        if (handler_ != nullptr) {
            handler_->AddRef();
        }
        return Give(handler_, handler);
    }
    HRESULT STDMETHODCALLTYPE GetResults(Result* results) override {
        if (Status() != AsyncStatus::Completed) {
            return kNotYet;
        }
        if constexpr (std::is_pointer_v<Result>) {
            if (result_ != nullptr) {
                result_->AddRef();
            }
        }
        *results = result_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Id(unsigned* id) override {
        *id = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Status(AsyncStatus* status) override {
        *status = Status();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* errorCode) override {
        *errorCode = S_OK;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Cancel() override {
        cancelled_ = Status() == AsyncStatus::Started;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }

  private:
    ~Operation() override {
        if constexpr (std::is_pointer_v<Result>) {
            if (result_ != nullptr) {
                result_->Release();
            }
        }
        if (handler_ != nullptr) {
            handler_->Release();
        }
    }
    AsyncStatus Status() const {
        if (cancelled_) {
            return AsyncStatus::Canceled;
        }
        return completes_ && GetTickCount64() >= completesAt_ ? AsyncStatus::Completed
                                                              : AsyncStatus::Started;
    }

    Result result_;
    bool completes_;
    ULONGLONG completesAt_;
    bool cancelled_ = false;
    ICompletedHandler<Interface>* handler_ = nullptr;
};

class Properties final : public Object<IProperties> {
  public:
    explicit Properties(State state) : state_(std::move(state)) {}
    HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) override {
        return Give(MakeString(state_.title), value);
    }
    HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) override {
        return Give(MakeString(L"Subtitle"), value);
    }
    HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) override {
        return Give(MakeString(state_.albumArtist), value);
    }
    HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) override {
        return Give(MakeString(state_.artist), value);
    }
    HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING* value) override {
        return Give(MakeString(L"Album Title"), value);
    }
    HRESULT STDMETHODCALLTYPE get_TrackNumber(int* value) override {
        *value = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Genres(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }
    HRESULT STDMETHODCALLTYPE get_AlbumTrackCount(int* value) override {
        *value = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_PlaybackType(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }
    HRESULT STDMETHODCALLTYPE get_Thumbnail(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }

  private:
    State state_;
};

class PlaybackInfo final : public Object<IPlaybackInfo> {
  public:
    explicit PlaybackInfo(PlaybackStatus status) : status_(status) {}
    HRESULT STDMETHODCALLTYPE
    get_Controls(IGlobalSystemMediaTransportControlsSessionPlaybackControls** value) override {
        *value = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_PlaybackStatus(PlaybackStatus* value) override {
        *value = status_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_PlaybackType(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }
    HRESULT STDMETHODCALLTYPE get_AutoRepeatMode(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }
    HRESULT STDMETHODCALLTYPE get_PlaybackRate(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }
    HRESULT STDMETHODCALLTYPE get_IsShuffleActive(AnyInterface** value) override {
        return Give<AnyInterface>(nullptr, value);
    }

  private:
    PlaybackStatus status_;
};

using BooleanOperation = Operation<IAsyncOperationOfBoolean, Bool8>;

class Session final : public Object<ISession> {
  public:
    HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* value) override {
        return Give(MakeString(L"standin.exe"), value);
    }
    HRESULT STDMETHODCALLTYPE
    TryGetMediaPropertiesAsync(IAsyncOperationOfMediaProperties** operation) override {
        const State state = ReadState().value_or(State{});
        auto* properties = new Properties(state);
        *operation = new Operation<IAsyncOperationOfMediaProperties, IProperties*>(
            properties, state.Completes(L"TryGetMediaPropertiesAsync"), state.SlowMilliseconds());
        properties->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTimelineProperties(
        IGlobalSystemMediaTransportControlsSessionTimelineProperties** result) override {
        *result = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPlaybackInfo(IPlaybackInfo** result) override {
        return Give<IPlaybackInfo>(
            new PlaybackInfo(StatusNamed(ReadState().value_or(State{}).status)), result);
    }
    HRESULT STDMETHODCALLTYPE TryPlayAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(10, L"TryPlayAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TryPauseAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(11, L"TryPauseAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TryStopAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(12, L"TryStopAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TryRecordAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(13, L"TryRecordAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TryFastForwardAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(14, L"TryFastForwardAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TryRewindAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(15, L"TryRewindAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TrySkipNextAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(16, L"TrySkipNextAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE TrySkipPreviousAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(17, L"TrySkipPreviousAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryChangeChannelUpAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(18, L"TryChangeChannelUpAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryChangeChannelDownAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(19, L"TryChangeChannelDownAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryTogglePlayPauseAsync(IAsyncOperationOfBoolean** operation) override {
        return Command(20, L"TryTogglePlayPauseAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryChangeAutoRepeatModeAsync(int, IAsyncOperationOfBoolean** operation) override {
        return Command(21, L"TryChangeAutoRepeatModeAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryChangePlaybackRateAsync(double, IAsyncOperationOfBoolean** operation) override {
        return Command(22, L"TryChangePlaybackRateAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryChangeShuffleActiveAsync(Bool8, IAsyncOperationOfBoolean** operation) override {
        return Command(23, L"TryChangeShuffleActiveAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE
    TryChangePlaybackPositionAsync(long long, IAsyncOperationOfBoolean** operation) override {
        return Command(24, L"TryChangePlaybackPositionAsync", operation);
    }
    HRESULT STDMETHODCALLTYPE add_TimelinePropertiesChanged(AnyInterface*, Token* token) override {
        return NoEvents(token);
    }
    HRESULT STDMETHODCALLTYPE remove_TimelinePropertiesChanged(Token) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE add_PlaybackInfoChanged(AnyInterface*, Token* token) override {
        return NoEvents(token);
    }
    HRESULT STDMETHODCALLTYPE remove_PlaybackInfoChanged(Token) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE add_MediaPropertiesChanged(AnyInterface*, Token* token) override {
        return NoEvents(token);
    }
    HRESULT STDMETHODCALLTYPE remove_MediaPropertiesChanged(Token) override { return S_OK; }

  private:
    static HRESULT Command(int slot, const wchar_t* name, IAsyncOperationOfBoolean** operation) {
        const State state = ReadState().value_or(State{});
        Log(state, slot);
        *operation = new BooleanOperation(state.refuse == name ? 0 : 1, state.Completes(name),
                                          state.SlowMilliseconds());
        return S_OK;
    }
    static HRESULT NoEvents(Token* token) {
        token->value = 0;
        return E_NOTIMPL;
    }
};

class Manager final : public Object<IManager> {
  public:
    HRESULT STDMETHODCALLTYPE GetCurrentSession(ISession** result) override {
        return Give<ISession>(ReadState() ? new Session : nullptr, result);
    }
    HRESULT STDMETHODCALLTYPE GetSessions(AnyInterface** result) override {
        *result = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE add_CurrentSessionChanged(AnyInterface*, Token* token) override {
        token->value = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_CurrentSessionChanged(Token) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE add_SessionsChanged(AnyInterface*, Token* token) override {
        token->value = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_SessionsChanged(Token) override { return S_OK; }
};

// The class's factory: an activation factory that makes nothing, and the statics.
class Factory final : public Object<IActivationFactory, IStatics> {
  public:
    HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable** instance) override {
        *instance = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RequestAsync(IAsyncOperationOfManager** operation) override {
        auto* manager = new Manager;
        *operation = new Operation<IAsyncOperationOfManager, IManager*>(manager, true);
        manager->Release();
        return S_OK;
    }
};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

// Exported by name through media_session_double.def.
extern "C" HRESULT WINAPI DllGetActivationFactory(HSTRING classId,
                                                  gsmtc::IActivationFactory** factory) {
    if (factory == nullptr) {
        return E_POINTER;
    }
    *factory = nullptr;
    UINT32 length = 0;
    const wchar_t* name = WindowsGetStringRawBuffer(classId, &length);
    if (std::wstring_view(name, length) != gsmtc::kManagerClass) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    *factory = new Factory;
    return S_OK;
}
