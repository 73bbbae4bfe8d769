// "music.dat": one module whose stretches, in percent of its length, are the
// pieces the screens loop.
#pragma once

#include <cstdint>
#include <vector>

namespace ik::music {

// The module is exactly this long, so the cue percentages fall where the
// pieces are laid out.
constexpr uint32_t kModuleMs = 270000;

// The stretch each screen loops, in percent of the module's length (the
// screens' own cues), in module order.
struct Cue {
    const char* screen;
    double start, end;
};
inline constexpr Cue kCues[] = {
    {"episode4", 0, 17.1}, {"episode2", 18.2, 42.5}, {"episode3", 43.5, 61.7},
    {"menu", 62.83, 75},   {"episode1", 76.2, 99.5},
};

std::vector<uint8_t> composeModule();

}  // namespace ik::music
