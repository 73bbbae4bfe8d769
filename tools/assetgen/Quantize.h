// Reduces a picture to a palette of at most `colours` entries (median cut),
// for the pictures stored with 8 bits per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace ik::art {

// pixels are 0x00BBGGRR; `keep` is never merged with another colour (the
// transparent key must stay exact). Returns the pixels mapped to the palette.
std::vector<uint32_t> quantize(const std::vector<uint32_t>& pixels, int colours, uint32_t keep);

}  // namespace ik::art
