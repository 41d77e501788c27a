// The system's media session, reached through WinRT on a thread of its own:
// its calls may take as long as the program behind the session takes to
// answer, and the user-interface thread must never wait on them.
#pragma once

#include <windows.h>

#include <deque>

#include "platform/media_session.h"
#include "platform/win32/handles.h"

namespace tw::platform::win32 {

class MediaSessionWorker {
  public:
    MediaSessionWorker();
    ~MediaSessionWorker();
    MediaSessionWorker(const MediaSessionWorker&) = delete;
    MediaSessionWorker& operator=(const MediaSessionWorker&) = delete;

    // Starts the thread, once. Until it has read the session, there is none.
    void Start();
    // Asks the thread to end and waits for it a moment; false when it is still
    // inside a call into the session, and must then outlive this object.
    bool Stop();

    // Both return at once.
    MediaSession Snapshot();
    void Queue(const MediaRequest& request);

  private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void Publish(const MediaSession& seen);
    bool NextRequest(MediaRequest& request);
    bool Stopping();
    void Retire();

    SRWLOCK lock_ = SRWLOCK_INIT;
    // Guarded by lock_.
    MediaSession snapshot_;
    std::deque<MediaRequest> queue_;
    bool running_ = false;  // the thread runs and can reach a session
    bool stopping_ = false;

    UniqueHandle wake_;  // set for a queued request and for the stop
    UniqueHandle thread_;
};

}  // namespace tw::platform::win32
