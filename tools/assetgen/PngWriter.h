// Plain RGB PNG files (no time stamps, so the bytes depend on the pixels only).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ik::art {

// pixels: 0x00BBGGRR, top row first.
void writePng(const std::filesystem::path& path, int width, int height, const std::vector<uint32_t>& pixels);
// Same, keeping an alpha channel (0xAABBGGRR), for the program icon.
void writePngWithAlpha(const std::filesystem::path& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace ik::art
