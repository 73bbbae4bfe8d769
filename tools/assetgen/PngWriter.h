// The program icon keeps its alpha channel, which the shared PNG writer of
// the packing tool does not carry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ik::art {

// pixels: 0xAABBGGRR, top row first.
void writePngWithAlpha(const std::filesystem::path& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace ik::art
