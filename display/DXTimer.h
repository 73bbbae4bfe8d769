// The frame timer: turns the idle passes of the event loop into ticks.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Platform.h"

namespace ik {

class TDXTimer;

// `Enabled` reads like a flag; assigning it starts or stops the timer.
class TimerSwitch {
public:
    explicit TimerSwitch(TDXTimer& timer) : timer_(timer) {}
    TimerSwitch(const TimerSwitch&) = delete;
    TimerSwitch& operator=(bool enabled);
    operator bool() const { return on_; }

private:
    friend class TDXTimer;
    TDXTimer& timer_;
    bool on_ = false;
};

class TDXTimer {
public:
    // Starts enabled: ticking begins at once when the application is active
    // (or ActiveOnly is off), else at the next activation.
    explicit TDXTimer(Platform& platform);
    TDXTimer(const TDXTimer&) = delete;
    TDXTimer& operator=(const TDXTimer&) = delete;

    bool ActiveOnly = true;
    uint32_t Interval = 1000;
    TimerSwitch Enabled{*this};
    std::function<void(int lagCount)> OnTimer;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;

    // One idle pass of the event loop: ticks when Interval has passed.
    void idle();
    // The application gained or lost activation.
    void appActivated(bool active);

    // Ticks per second, measured over the last whole second or more.
    int FrameRate() const { return frameRate_; }
    // The lag of the last tick, in intervals.
    int LagCount() const { return lagCount_; }
    // True while idle passes may tick.
    bool Ticking() const { return installed_; }

private:
    friend class TimerSwitch;
    void start();
    void stop();
    void install();

    Platform& platform_;
    bool installed_ = false;
    uint32_t lastTick_ = 0;
    uint32_t rateStart_ = 0;
    uint32_t frames_ = 0;
    int frameRate_ = 0;
    int lagCount_ = 0;
};

}  // namespace ik
