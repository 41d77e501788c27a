// Files written on a thread of their own, so that a disk that takes seconds to answer (a
// game folder on a server that went away, a mapped drive reconnecting, a drive waking up)
// never holds the user-interface thread and the hotkeys with it.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "platform/system.h"

namespace tw {

// One write at a time. Only the newest content of a file is worth writing, so a file handed
// over while a write still waits on the disk replaces the one waiting behind it: a disk that
// is slow gets the newest line when it answers, never a queue of stale ones.
class BackgroundWriter {
  public:
    explicit BackgroundWriter(platform::System& system);
    // Never waits on a write in progress: the thread finishes it and ends on its own. What
    // was still waiting is dropped.
    ~BackgroundWriter();

    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // System::WriteWholeFile on the thread. A failure is dropped: callers write again.
    void Write(std::string path, std::string bytes);

  private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& shared, platform::System& system);

    // Shared with the thread, which may outlive this object while its write waits.
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace tw
