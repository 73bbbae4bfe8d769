// What the recorder and the replayer share: a Platform that stands in front of
// another (the window or the headless machine) and answers the game's
// questions about the clock, the pointer, the focus and the keys held from
// values it keeps itself, so that the game sees exactly what a recording
// holds. Window matters (the icon, the clock's listeners, whether there is a
// screen) go to the platform behind.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace ik {

class StandInPlatform : public Platform {
public:
    // Milliseconds of the game's clock since the run began.
    uint32_t elapsedMs() const { return clock_ - firstClock_; }

    // --- Platform ---
    uint32_t ticks() override { return clock_; }
    bool active() const override { return active_; }
    Point pointer() override { return pointer_; }
    bool keyHeld(uint16_t virtualKey) override { return virtualKey < held_.size() && held_[virtualKey]; }
    void setWindowIcon(int width, int height, const std::vector<uint32_t>& pixels) override {
        behind_.setWindowIcon(width, height, pixels);
    }
    bool headless() const override { return behind_.headless(); }
    void addClockListener(std::function<void(uint32_t)> listener) override {
        behind_.addClockListener(std::move(listener));
    }

protected:
    explicit StandInPlatform(Platform& behind) : behind_(behind) {}

    // False for a key code beyond the table.
    bool setHeld(size_t virtualKey, bool down) {
        if (virtualKey >= held_.size()) return false;
        held_[virtualKey] = down;
        return true;
    }
    Platform& behind_;
    uint32_t clock_ = 0;
    uint32_t firstClock_ = 0;
    Point pointer_;
    bool active_ = true;

private:
    std::array<bool, 256> held_{};
};

}  // namespace ik
