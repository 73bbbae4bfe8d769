// Keeps flips on a 60 Hz beat when the display's own refresh cannot: the
// game's speeds are pixels per frame, so a 144 Hz screen must not run it at
// 144 frames a second. Pure arithmetic on a microsecond clock given by the
// caller.
#pragma once

#include <cstdint>

namespace ik {

// Whether flips need pacing for a display refreshing at `refreshHz` (0 when
// unknown): vsync alone gives 60 frames a second only at about 60 Hz.
bool needsPacing(int refreshHz);

class FramePacer {
public:
    explicit FramePacer(bool enabled) : enabled_(enabled) {}

    // How long to wait before the flip that is about to happen at `nowUs`.
    // A flip that comes more than a frame late starts a new beat rather than
    // hurrying the following ones.
    uint64_t waitBeforeFlip(uint64_t nowUs);

    bool enabled() const { return enabled_; }

private:
    bool enabled_;
    bool started_ = false;
    uint64_t originUs_ = 0;
    uint64_t frame_ = 0;
};

}  // namespace ik
