// Reading the game's screenshots and writing the fixture pictures, through
// libpng's simplified interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ik::test {

// An RGB565 frame, top row first, as the game drew it.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;

    uint16_t at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// Throws std::runtime_error when the file cannot be read as a PNG.
Frame readShot(const std::string& path);

// pixels: 0x00BBGGRR, top row first.
void writeRgbPng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace ik::test
