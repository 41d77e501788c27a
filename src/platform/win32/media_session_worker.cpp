#include "platform/win32/media_session_worker.h"

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/win32/media_control_abi.h"
#include "platform/win32/text.h"

namespace tw::platform::win32 {

namespace {

using abi::AsyncStatus;
using ISession = abi::IGlobalSystemMediaTransportControlsSession;

// How often the session is read while nothing is asked of it: what the song
// display and the announcer show is at most this old.
constexpr DWORD kRefreshMs = 500;
// How long one operation may take before its session counts as not answering.
constexpr ULONGLONG kOperationWaitMs = 2000;
// Far more actions than a user takes while a session does not answer; later
// ones are dropped rather than carried out long after.
constexpr std::size_t kMaxQueued = 16;
// How long Stop waits for the thread to leave.
constexpr DWORD kStopWaitMs = 500;

// An interface pointer this code holds a reference on.
template <class I>
class Ref {
  public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    I* Get() const { return pointer_; }
    I* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    I** Put() {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

  private:
    I* pointer_ = nullptr;
};

// WinRT's functions in combase.dll, looked up when the thread starts rather
// than imported: the program starts on Windows 7, which has no combase.dll.
// Only the system folder's copy is taken.
struct Combase {
    abi::RoInitializeFn roInitialize = nullptr;
    abi::RoUninitializeFn roUninitialize = nullptr;
    abi::RoGetActivationFactoryFn roGetActivationFactory = nullptr;
    abi::WindowsCreateStringFn windowsCreateString = nullptr;
    abi::WindowsDeleteStringFn windowsDeleteString = nullptr;
    abi::WindowsGetStringRawBufferFn windowsGetStringRawBuffer = nullptr;

    bool Load() {
        // Kept loaded: what it hands out lives as long as the thread.
        const HMODULE module =
            LoadLibraryExW(L"combase.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return module != nullptr && Find(module, roInitialize, "RoInitialize") &&
               Find(module, roUninitialize, "RoUninitialize") &&
               Find(module, roGetActivationFactory, "RoGetActivationFactory") &&
               Find(module, windowsCreateString, "WindowsCreateString") &&
               Find(module, windowsDeleteString, "WindowsDeleteString") &&
               Find(module, windowsGetStringRawBuffer, "WindowsGetStringRawBuffer");
    }

    template <class Function>
    static bool Find(HMODULE module, Function& function, const char* name) {
        // Through void(*)(), the one function type any other may be cast from.
        function =
            reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
        return function != nullptr;
    }

    // The string's text, and the string given back.
    std::string Take(HSTRING text) const {
        UINT32 length = 0;
        const WCHAR* raw = windowsGetStringRawBuffer(text, &length);
        std::string utf8 = raw != nullptr ? Narrow(std::wstring_view(raw, length)) : std::string();
        windowsDeleteString(text);
        return utf8;
    }
};

enum class Waited { Completed, Failed, TimedOut };

// One bounded wait for an operation. Its status is polled: a completion
// handler would be called on a thread of the system's, perhaps after the wait
// has given up. An operation that does not finish in time is cancelled, and
// the caller lets go of it.
Waited Await(IInspectable* operation) {
    Ref<abi::IAsyncInfo> info;
    if (FAILED(operation->QueryInterface(abi::IAsyncInfo::kIid, info.PutVoid())) || !info) {
        return Waited::Failed;
    }
    const ULONGLONG deadline = GetTickCount64() + kOperationWaitMs;
    for (DWORD pause = 0;; pause = std::min<DWORD>(pause * 2 + 1, 15)) {
        AsyncStatus status = AsyncStatus::Error;
        if (FAILED(info->get_Status(&status))) {
            return Waited::Failed;
        }
        if (status == AsyncStatus::Completed) {
            return Waited::Completed;
        }
        if (status != AsyncStatus::Started) {
            return Waited::Failed;
        }
        if (GetTickCount64() >= deadline) {
            info->Cancel();
            return Waited::TimedOut;
        }
        Sleep(pause);
    }
}

// The system's session manager, and through it the current session.
class Sessions {
  public:
    explicit Sessions(const Combase& api) : api_(api) {}

    // False where the system has no such class (before Windows 10 1809, Wine)
    // or will not hand it out.
    bool Open() {
        HSTRING name = nullptr;
        if (FAILED(api_.windowsCreateString(
                abi::kManagerClassName, static_cast<UINT32>(std::size(abi::kManagerClassName) - 1),
                &name))) {
            return false;
        }
        using IStatics = abi::IGlobalSystemMediaTransportControlsSessionManagerStatics;
        Ref<IStatics> statics;
        const HRESULT found = api_.roGetActivationFactory(name, IStatics::kIid, statics.PutVoid());
        api_.windowsDeleteString(name);
        Ref<abi::IAsyncOperationOfManager> operation;
        return SUCCEEDED(found) && statics && SUCCEEDED(statics->RequestAsync(operation.Put())) &&
               operation && Await(operation.Get()) == Waited::Completed &&
               SUCCEEDED(operation->GetResults(manager_.Put())) && manager_;
    }

    MediaSession Read() {
        MediaSession seen;
        Ref<ISession> session;
        if (FAILED(manager_->GetCurrentSession(session.Put())) || !session) {
            return seen;
        }
        seen.present = true;
        Ref<abi::IGlobalSystemMediaTransportControlsSessionPlaybackInfo> info;
        auto status = abi::SessionPlaybackStatus::Closed;
        seen.playing = SUCCEEDED(session->GetPlaybackInfo(info.Put())) && info &&
                       SUCCEEDED(info->get_PlaybackStatus(&status)) &&
                       status == abi::SessionPlaybackStatus::Playing;
        // Only a song that plays is shown: a paused session costs no more.
        if (!seen.playing) {
            return seen;
        }
        Ref<abi::IAsyncOperationOfMediaProperties> operation;
        Ref<abi::IGlobalSystemMediaTransportControlsSessionMediaProperties> properties;
        if (FAILED(session->TryGetMediaPropertiesAsync(operation.Put())) || !operation ||
            Await(operation.Get()) != Waited::Completed ||
            FAILED(operation->GetResults(properties.Put())) || !properties) {
            return seen;
        }
        HSTRING text = nullptr;
        if (SUCCEEDED(properties->get_Title(&text))) {
            seen.title = api_.Take(text);
        }
        text = nullptr;
        if (SUCCEEDED(properties->get_Artist(&text))) {
            seen.artist = api_.Take(text);
        }
        return seen;
    }

    // To whichever session is current now: the one the user saw may be gone.
    void CarryOut(const MediaRequest& request) {
        Ref<ISession> session;
        if (FAILED(manager_->GetCurrentSession(session.Put())) || !session) {
            return;
        }
        RunMediaRequest(request,
                        [&](MediaCommand command) { return Attempt(*session.Get(), command); });
    }

  private:
    static HRESULT Begin(ISession& session, MediaCommand command,
                         abi::IAsyncOperationOfBoolean** operation) {
        switch (command) {
            case MediaCommand::Play:
                return session.TryPlayAsync(operation);
            case MediaCommand::Pause:
                return session.TryPauseAsync(operation);
            case MediaCommand::TogglePlayPause:
                return session.TryTogglePlayPauseAsync(operation);
            case MediaCommand::Stop:
                return session.TryStopAsync(operation);
            case MediaCommand::Next:
                return session.TrySkipNextAsync(operation);
            case MediaCommand::Previous:
                return session.TrySkipPreviousAsync(operation);
            case MediaCommand::Rewind:
                return session.TryRewindAsync(operation);
            case MediaCommand::FastForward:
                return session.TryFastForwardAsync(operation);
        }
        return E_INVALIDARG;
    }

    static MediaOutcome Attempt(ISession& session, MediaCommand command) {
        Ref<abi::IAsyncOperationOfBoolean> operation;
        if (FAILED(Begin(session, command, operation.Put())) || !operation) {
            return MediaOutcome::Refused;
        }
        switch (Await(operation.Get())) {
            case Waited::TimedOut:
                return MediaOutcome::TimedOut;
            case Waited::Failed:
                return MediaOutcome::Refused;
            case Waited::Completed:
                break;
        }
        abi::Boolean done = 0;
        return SUCCEEDED(operation->GetResults(&done)) && done != 0 ? MediaOutcome::Done
                                                                    : MediaOutcome::Refused;
    }

    const Combase& api_;
    Ref<abi::IGlobalSystemMediaTransportControlsSessionManager> manager_;
};

}  // namespace

MediaSessionWorker::MediaSessionWorker() = default;

MediaSessionWorker::~MediaSessionWorker() {
    Stop();
}

void MediaSessionWorker::Start() {
    if (thread_) {
        return;
    }
    wake_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!wake_) {
        return;
    }
    AcquireSRWLockExclusive(&lock_);
    running_ = true;
    ReleaseSRWLockExclusive(&lock_);
    thread_.reset(CreateThread(nullptr, 0, &MediaSessionWorker::ThreadMain, this, 0, nullptr));
    if (!thread_) {
        Retire();
    }
}

bool MediaSessionWorker::Stop() {
    AcquireSRWLockExclusive(&lock_);
    stopping_ = true;
    ReleaseSRWLockExclusive(&lock_);
    if (!thread_) {
        return true;
    }
    SetEvent(wake_.get());
    return WaitForSingleObject(thread_.get(), kStopWaitMs) == WAIT_OBJECT_0;
}

MediaSession MediaSessionWorker::Snapshot() {
    AcquireSRWLockShared(&lock_);
    MediaSession copy = running_ ? snapshot_ : MediaSession{};
    ReleaseSRWLockShared(&lock_);
    return copy;
}

void MediaSessionWorker::Queue(const MediaRequest& request) {
    AcquireSRWLockExclusive(&lock_);
    const bool queued = running_ && !stopping_ && queue_.size() < kMaxQueued;
    if (queued) {
        queue_.push_back(request);
    }
    ReleaseSRWLockExclusive(&lock_);
    if (queued) {
        SetEvent(wake_.get());
    }
}

DWORD WINAPI MediaSessionWorker::ThreadMain(void* self) {
    auto& worker = *static_cast<MediaSessionWorker*>(self);
    try {
        worker.Run();
    } catch (...) {
        // Out of memory, or a text too long to convert: the program goes on without a session.
    }
    worker.Retire();
    return 0;
}

// The thread owns the session and everything reached through it; it finds out
// once whether the system has sessions at all, and ends at once where not.
void MediaSessionWorker::Run() {
    Combase api;
    if (!api.Load() || FAILED(api.roInitialize(abi::kRoInitMultithreaded))) {
        return;
    }
    {
        Sessions sessions(api);
        if (sessions.Open()) {
            for (;;) {
                Publish(sessions.Read());
                WaitForSingleObject(wake_.get(), kRefreshMs);
                MediaRequest request;
                while (!Stopping() && NextRequest(request)) {
                    sessions.CarryOut(request);
                }
                if (Stopping()) {
                    break;
                }
            }
        }
    }
    api.roUninitialize();
}

void MediaSessionWorker::Publish(const MediaSession& seen) {
    AcquireSRWLockExclusive(&lock_);
    snapshot_ = seen;
    ReleaseSRWLockExclusive(&lock_);
}

bool MediaSessionWorker::NextRequest(MediaRequest& request) {
    AcquireSRWLockExclusive(&lock_);
    const bool any = !queue_.empty();
    if (any) {
        request = queue_.front();
        queue_.pop_front();
    }
    ReleaseSRWLockExclusive(&lock_);
    return any;
}

bool MediaSessionWorker::Stopping() {
    AcquireSRWLockShared(&lock_);
    const bool stopping = stopping_;
    ReleaseSRWLockShared(&lock_);
    return stopping;
}

// No session from now on: the snapshot is empty and requests are dropped.
void MediaSessionWorker::Retire() {
    AcquireSRWLockExclusive(&lock_);
    running_ = false;
    snapshot_ = {};
    queue_.clear();
    ReleaseSRWLockExclusive(&lock_);
}

}  // namespace tw::platform::win32
