// Plays a trace written by RecordingPlatform back to the game: it delivers
// the recorded events, ticks and idle passes in their order and answers the
// game's questions (the clock, the pointer, the keys held) with the recorded
// values. Whatever the game asks of it must be what the trace holds next (a
// frame where a frame was presented, a sleep of the same length); the first
// time it is not, the replay has diverged and stops there.
//
// Headless it runs as fast as the machine allows; paced, it runs inside the
// loop of a window platform at the speed of the recorded clock, where the
// player's Escape or window close ends it and P or space pauses it.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/replay/StandInPlatform.h"
#include "platform/replay/Trace.h"

namespace ik {

class ReplayPlatform : public StandInPlatform {
public:
    // Lines that are not the platform's own (the recording's checks) go to
    // `annotation`, which returns an empty string when the game agrees and
    // what differs otherwise. `display` shows the frames and gives the audio
    // devices; with `paced` its loop and clock set the replay's speed.
    using Annotation = std::function<std::string(const TraceLine&)>;
    ReplayPlatform(Platform& display, bool paced, TraceCursor lines, Annotation annotation);
    ~ReplayPlatform() override;

    // What went wrong, empty while the game follows the trace.
    const std::string& divergence() const { return divergence_; }
    // True once every line was played (false when stopped or diverged).
    bool finished() { return lines_.atEnd() && divergence_.empty() && !stopped_; }
    bool stoppedByPlayer() const { return stopped_; }
    uint64_t framesPresented() const { return framesPresented_; }
    // Called after each line it plays (to follow the game as it goes).
    void onStep(std::function<void()> observer) { observer_ = std::move(observer); }

    // --- Platform ---
    void run(EventSink& sink) override;
    void quit() override;
    void post(std::function<void()> task) override { posted_.push_back(std::move(task)); }
    std::unique_ptr<IntervalTimer> createTimer() override;
    uint32_t timeOfDayMs() override;
    void sleep(uint32_t ms) override;
    void present(const uint16_t* pixels) override;
    void warpPointer(Point to) override { pointer_ = to; }
    void showSystemPointer(bool) override {}
    void confinePointer(bool) override {}
    void messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) override;
    std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) override;

private:
    class Timer;
    class Pacer;
    friend class Timer;
    friend class Pacer;

    // Plays the next line that the game does not ask for itself; false when
    // there is none left or the replay stopped.
    bool step(EventSink& sink);
    // Consumes the clock, pointer and active lines that come next.
    void takeStateLines();
    // Hands the recording's own checks that come next to the annotation;
    // false when one disagrees.
    bool takeChecks();
    // The next line when it has `verb`, consumed; nothing (and the replay
    // diverged) otherwise.
    std::optional<TraceLine> expect(const char* verb, const char* what);
    void diverge(const std::string& what);
    // The recorded clock moves on; a headless display's clock moves with it,
    // so that its sound devices (and the music's end) keep the recorded pace.
    void setClock(uint32_t value);
    // The game's own quit does not end a replay: a window delivers what was
    // pending after it, and the recording holds that too.
    bool going() const { return divergence_.empty() && !stopped_; }

    const bool paced_;
    TraceCursor lines_;
    const Annotation annotation_;
    std::function<void()> observer_;
    std::string divergence_;
    bool stopped_ = false;

    std::vector<Timer*> timers_;  // by number; null once destroyed
    std::deque<std::function<void()>> posted_;
    uint64_t framesPresented_ = 0;
};

}  // namespace ik
