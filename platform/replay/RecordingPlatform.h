// Records a run at the boundary between the platform and the game: a
// Platform that stands in front of the real one (the window or the headless
// machine) and writes to a trace everything that crosses to the game. The
// game sees the clock as it was when each delivery began (and again after a
// present or a sleep) and the pointer as it was when each delivery began, so
// that exactly the values written are the values it used.
#pragma once

#include <memory>
#include <string>

#include "platform/replay/StandInPlatform.h"
#include "platform/replay/Trace.h"

namespace ik {

class RecordingPlatform : public StandInPlatform {
public:
    RecordingPlatform(Platform& inner, TraceWriter& trace);
    ~RecordingPlatform() override;

    // The sink to hand to the inner platform's loop in place of `target`:
    // it writes each delivery before passing it on.
    EventSink& recordingSink(EventSink& target);
    // A line of the recording's own (a record, the end) in its place among the platform's.
    void annotate(const std::string& line) { emit(line); }

    // --- Platform ---
    void run(EventSink& sink) override;
    void quit() override { behind_.quit(); }
    void post(std::function<void()> task) override;
    std::unique_ptr<IntervalTimer> createTimer() override;
    uint32_t timeOfDayMs() override;
    void sleep(uint32_t ms) override;
    void present(const uint16_t* pixels) override;
    void warpPointer(Point to) override;
    void showSystemPointer(bool shown) override { behind_.showSystemPointer(shown); }
    void confinePointer(bool confined) override { behind_.confinePointer(confined); }
    void messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) override {
        behind_.messageBox(caption, text, kind);
    }
    std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) override;

private:
    class Sink;
    class Timer;
    friend class Sink;
    friend class Timer;

    // Before each delivery: the clock and the pointer the game will see.
    void beginDelivery();
    void sampleClock();
    // Writes a line, after the idle passes still counted.
    void emit(const std::string& line);
    void idle(EventSink& target);

    // Idle passes in which nothing happened, the clock moving by the same
    // step each time, go on one line: a game-over panel or a wait in a
    // window would otherwise fill the file with them.
    uint32_t quietIdles_ = 0;
    uint32_t quietStep_ = 0;
    bool quietSinceIdle_ = false;

    TraceWriter& trace_;
    int timersCreated_ = 0;
    std::unique_ptr<Sink> sink_;
};

}  // namespace ik
