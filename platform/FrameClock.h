// The game's speeds are pixels per frame, so every backend keeps frames on the
// same 60 Hz grid: frame k starts at floor(k x unit / 60), counted in whole
// units (milliseconds for the virtual clock, microseconds for pacing) so that
// no rounding error builds up over a long run.
#pragma once

#include <cstdint>

namespace ik {

constexpr uint64_t kFramesPerSecond = 60;

constexpr uint64_t frameStart(uint64_t frame, uint64_t unitsPerSecond) {
    return frame * unitsPerSecond / kFramesPerSecond;
}

// The first frame start strictly after `now`.
constexpr uint64_t nextFrameStart(uint64_t now, uint64_t unitsPerSecond) {
    uint64_t frame = ((now + 1) * kFramesPerSecond + unitsPerSecond - 1) / unitsPerSecond;
    return frameStart(frame, unitsPerSecond);
}

}  // namespace ik
