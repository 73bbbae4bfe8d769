// PNG files for the packing tool and for screenshots: full 24-bit colour,
// top row first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/RgbImage.h"

namespace ik {

// Pixels as TColor (0x00BBGGRR), width x height of them.
void writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgbPixels);
// An RGB565 frame, pitch = width.
void writePng565(const std::string& path, int width, int height, const uint16_t* pixels);
// Any PNG, alpha dropped. Fails with "Cannot open file %s" or
// "%s is not a valid PNG file".
RgbImage readPng(const std::string& path);

}  // namespace ik
