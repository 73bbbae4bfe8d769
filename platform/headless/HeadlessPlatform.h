// The machine without a screen: a virtual clock, input from a script, frames
// kept in memory, audio pulled by the clock. The game runs on it exactly as on
// the window backend, and the same input on the same clock gives the same
// frames, bit for bit.
//
// The clock moves only when the game lets time pass: a present moves it to the
// next 1/60 s, a sleep by its length, and an idle pass that presents nothing by
// 1 ms. Nothing else moves it, so event handling takes no time.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/MouseClicks.h"
#include "platform/Platform.h"
#include "platform/TimerSet.h"

namespace ik {

class HeadlessPlatform : public Platform {
public:
    // The virtual day starts at this time of day (milliseconds since midnight).
    explicit HeadlessPlatform(uint32_t startTimeOfDayMs = 0);
    ~HeadlessPlatform() override;

    // --- input, as a script gives it; delivered by the loop in this order ---
    void queueKeyDown(uint16_t vk);
    void queueKeyUp(uint16_t vk);
    void queueChar(char32_t c);
    void queueMouseMove(Point p);
    void queueMouseDown(MouseButton b);
    void queueMouseUp(MouseButton b);
    void queueClose();                // as closing the window: EventSink::onCloseRequest
    void queueActivate(bool active);  // the application gains or loses activation

    // Runs loop passes (deliver queued events in order, fire due timers, idle
    // when nothing was pending) until done() returns true (checked after every
    // pass) or quit() was called.
    void pump(EventSink& sink, const std::function<bool()>& done);

    uint64_t virtualMs() const;  // ms since the start, not wrapped
    const std::vector<uint16_t>& lastFrame() const;
    bool hasFrame() const;
    uint64_t framesPresented() const { return framesPresented_; }
    bool quitRequested() const;
    bool systemPointerShown() const { return systemPointerShown_; }
    bool pointerConfined() const { return pointerConfined_; }

    // --- Platform ---
    void run(EventSink& sink) override;
    void quit() override;
    void post(std::function<void()> task) override;
    std::unique_ptr<IntervalTimer> createTimer() override;
    uint32_t ticks() override;
    uint32_t timeOfDayMs() override;
    void sleep(uint32_t ms) override;
    void present(const uint16_t* pixels) override;
    bool active() const override { return active_; }
    Point pointer() override { return pointer_; }
    void warpPointer(Point to) override { pointer_ = to; }
    void showSystemPointer(bool shown) override { systemPointerShown_ = shown; }
    void confinePointer(bool confined) override { pointerConfined_ = confined; }
    bool keyHeld(uint16_t virtualKey) override;
    void messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) override;
    std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) override;
    bool headless() const override { return true; }
    void addClockListener(std::function<void(uint32_t elapsedMs)> listener) override;

private:
    class NullAudioDevice;
    friend class NullAudioDevice;
    using Event = std::function<void(EventSink&)>;

    void queue(Event event);
    void runPass(EventSink& sink);
    void advanceClock(uint64_t ms);
    void forgetDevice(NullAudioDevice* device);

    const uint32_t startTimeOfDayMs_;
    uint64_t virtualMs_ = 0;
    bool presentedThisPass_ = false;

    mutable std::mutex queueMutex_;  // post() may come from any thread
    std::deque<Event> events_;

    bool quitRequested_ = false;
    bool active_ = true;
    bool systemPointerShown_ = true;
    bool pointerConfined_ = false;
    Point pointer_;
    std::vector<bool> keysHeld_ = std::vector<bool>(256, false);
    MouseClicks clicks_;

    std::vector<uint16_t> lastFrame_;
    uint64_t framesPresented_ = 0;

    TimerSet timers_;
    std::vector<NullAudioDevice*> devices_;
    std::vector<std::function<void(uint32_t)>> clockListeners_;
};

}  // namespace ik
