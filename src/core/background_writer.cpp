#include "core/background_writer.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

namespace tw {

struct BackgroundWriter::Shared {
    struct File {
        std::string path;
        std::string bytes;
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::optional<File> waiting;
    bool writing = false;
    bool stopping = false;
};

void BackgroundWriter::Run(const std::shared_ptr<Shared>& shared, platform::System& system) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->stopping || shared->waiting; });
        if (shared->stopping) {
            return;
        }
        const auto file = std::move(*shared->waiting);
        shared->waiting.reset();
        shared->writing = true;
        lock.unlock();
        // Nothing may leave the thread: an exception here would end the program.
        try {
            system.WriteWholeFile(file.path, file.bytes);
        } catch (...) {
        }
        lock.lock();
        shared->writing = false;
    }
}

BackgroundWriter::BackgroundWriter(platform::System& system)
    : shared_(std::make_shared<Shared>()),
      thread_([shared = shared_, &system] { Run(shared, system); }) {}

BackgroundWriter::~BackgroundWriter() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->waiting.reset();
    const bool writing = shared_->writing;
    lock.unlock();
    shared_->changed.notify_all();
    if (writing) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

void BackgroundWriter::Write(std::string path, std::string bytes) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->waiting = Shared::File{std::move(path), std::move(bytes)};
    }
    shared_->changed.notify_all();
}

}  // namespace tw
