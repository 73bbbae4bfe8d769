// The byte layout of device-independent bitmaps, shared by the reader, the
// decoder and the writer. Everything in the files is little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ik::dib {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

constexpr uint32_t kRedMask565 = 0xF800, kGreenMask565 = 0x07E0, kBlueMask565 = 0x001F;

// Bytes of one stored row: whole 32-bit words.
constexpr uint64_t bytesPerRow(int bitCount, int64_t width) {
    return (static_cast<uint64_t>(bitCount) * static_cast<uint64_t>(width) + 31) / 32 * 4;
}

inline uint16_t loadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t loadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline void storeU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
inline void storeU32(std::vector<uint8_t>& out, uint32_t value) {
    storeU16(out, static_cast<uint16_t>(value));
    storeU16(out, static_cast<uint16_t>(value >> 16));
}

// Expands RLE8 or RLE4 data into one palette index per pixel, rows in the
// order the data writes them. Pixels the data never sets stay index 0;
// commands that would leave the picture are clipped.
std::vector<uint8_t> expandRle(const uint8_t* data, size_t size, int width, int height, bool rle4);

// One row of palette indices as RLE8 commands, without the end-of-row mark.
void encodeRle8Row(const uint8_t* indices, int width, std::vector<uint8_t>& out);

}  // namespace ik::dib
