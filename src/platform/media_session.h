// The system's media session (Windows 10 1809 and later): the one that the
// media keys and the system's flyout drive, published by browsers and most
// players. In the program's own types; what it takes to reach it stays in the
// backend, on a thread of its own, so nothing here ever waits.
#pragma once

#include <optional>
#include <string>

namespace tw::platform {

// What the current session showed at the latest reading.
struct MediaSession {
    bool present = false;  // the system has a current session
    bool playing = false;  // its playback status is Playing
    std::string artist;
    std::string title;
};

// The transport commands a session takes.
enum class MediaCommand {
    Play,
    Pause,
    TogglePlayPause,
    Stop,
    Next,
    Previous,
    Rewind,
    FastForward,
};

// One action's worth of commands: `command` `times` times back to back, and
// where the session refuses it, `ifRefused` in its place.
struct MediaRequest {
    MediaCommand command = MediaCommand::Play;
    int times = 1;
    std::optional<MediaCommand> ifRefused;

    friend bool operator==(const MediaRequest&, const MediaRequest&) = default;
};

// How the session answered one command.
enum class MediaOutcome {
    Done,
    Refused,   // it answered no, or failed
    TimedOut,  // it did not answer within the bounded wait
};

// Carries out a request through `attempt`, which gives one command to the
// session and reports its answer. A session that did not answer would make
// every later try of the action wait as long, so the rest of the action is
// dropped, as for a hung player window. The backend's worker and the
// simulated desktop both run this.
template <class Attempt>
void RunMediaRequest(const MediaRequest& request, Attempt&& attempt) {
    for (int pass = 1; pass <= request.times; ++pass) {
        MediaOutcome outcome = attempt(request.command);
        if (outcome == MediaOutcome::Refused && request.ifRefused) {
            outcome = attempt(*request.ifRefused);
        }
        if (outcome == MediaOutcome::TimedOut) {
            return;
        }
    }
}

}  // namespace tw::platform
