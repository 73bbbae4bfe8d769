// Channel access for RGB565 pixels.
#pragma once

#include <cstdint>

namespace ik {

struct Channels565 {
    int r;  // 0..31
    int g;  // 0..63
    int b;  // 0..31
};

constexpr Channels565 split565(uint16_t p) { return {p >> 11, (p >> 5) & 63, p & 31}; }
constexpr uint16_t join565(int r, int g, int b) { return static_cast<uint16_t>((r << 11) | (g << 5) | b); }

// The 8-bit value a 5- or 6-bit channel stands for (its bits repeated).
constexpr int expand5(int c) { return (c << 3) | (c >> 2); }
constexpr int expand6(int c) { return (c << 2) | (c >> 4); }

}  // namespace ik
