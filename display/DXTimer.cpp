#include "display/DXTimer.h"

#include <algorithm>
#include <climits>

namespace ik {

TimerSwitch& TimerSwitch::operator=(bool enabled) {
    if (enabled) {
        timer_.start();
    } else {
        timer_.stop();
    }
    return *this;
}

TDXTimer::TDXTimer(Platform& platform) : platform_(platform) { start(); }

void TDXTimer::start() {
    stop();
    if (!ActiveOnly || platform_.active()) install();
    Enabled.on_ = true;
}

void TDXTimer::stop() {
    installed_ = false;
    Enabled.on_ = false;
}

void TDXTimer::install() {
    installed_ = true;
    lastTick_ = platform_.ticks();
    rateStart_ = lastTick_;
}

void TDXTimer::idle() {
    if (!installed_) return;
    const uint32_t now = platform_.ticks();
    // Unsigned differences stay right across the counter's wrap.
    const uint32_t sinceLast = now - lastTick_;
    if (sinceLast < Interval) return;
    const uint32_t lag = sinceLast / std::max<uint32_t>(Interval, 1);
    lastTick_ = now;
    ++frames_;
    const uint32_t sinceRateStart = std::max<uint32_t>(now - rateStart_, 1);
    if (sinceRateStart >= 1000) {
        frameRate_ = static_cast<int>((static_cast<uint64_t>(frames_) * 1000 + sinceRateStart / 2) / sinceRateStart);
        frames_ = 0;
        rateStart_ = now;
    }
    lagCount_ = static_cast<int>(std::clamp<uint32_t>(lag, 1, INT_MAX));
    if (OnTimer) OnTimer(lagCount_);
}

void TDXTimer::appActivated(bool active) {
    if (active) {
        if (OnActivate) OnActivate();
        if (Enabled && ActiveOnly) install();
    } else {
        if (OnDeactivate) OnDeactivate();
        if (Enabled && ActiveOnly) installed_ = false;
    }
}

}  // namespace ik
