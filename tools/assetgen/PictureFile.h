// One picture data file's worth of artwork: the pictures with their storage
// settings, written as PNGs plus the manifest that `ironkeel-dat pack` reads.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/Raster.h"

namespace ik::art {

// Everything drawn over other pictures uses this key; nothing in the artwork
// comes near magenta, so no painted pixel can turn into the key on 16 bits.
constexpr uint32_t kKeyColour = 0xFF00FF;

struct Storage {
    std::string graphic = "TDIB";  // or "TBitmap"
    int bits = 24;                 // 8, 16 or 24
    bool rle = false;              // only with 8 bits
};

struct Picture {
    std::string name;
    Image image;
    Storage storage;
    int patternWidth = 0;
    int patternHeight = 0;
    bool transparent = false;  // keyed with kKeyColour
};

// Pixels as stored: transparent pictures get the key where they are less
// than half covered, opaque ones are laid on black; 8-bit ones are reduced
// to a palette.
std::vector<uint32_t> storedPixels(const Picture& picture);

void writePictureFile(const std::filesystem::path& folder, const std::vector<Picture>& pictures);

}  // namespace ik::art
