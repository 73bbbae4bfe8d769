// A decoded picture in full colour, as the bitmap decoders hand it to the
// display: pixels are TColor values (red in the low byte), top row first.
#pragma once

#include <cstdint>
#include <vector>

namespace ik {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

}  // namespace ik
