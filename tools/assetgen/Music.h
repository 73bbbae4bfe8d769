// "music.dat": one module whose stretches, in percent of its length, are the
// pieces the screens loop.
#pragma once

#include <cstdint>
#include <vector>

namespace ik::music {

// The module is exactly this long, so the cue percentages fall where the
// pieces are laid out.
constexpr uint32_t kModuleMs = 270000;

std::vector<uint8_t> composeModule();

}  // namespace ik::music
