// Hand-made bitmaps for the tests: the fields are written exactly as given,
// so a test can also describe broken files.
#pragma once

#include <cstdint>
#include <vector>

#include "display/Color.h"
#include "display/RgbImage.h"

namespace ik::test {

struct DibFields {
    uint32_t headerSize = 40;  // 12 writes the short core header
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t usedColours = 0;
    std::vector<uint32_t> masks = {};  // written after the header when present
    std::vector<TColor> palette = {};  // 3 bytes an entry after a core header, else 4
    std::vector<uint8_t> pixels = {};
};

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline std::vector<uint8_t> MakeDib(const DibFields& s) {
    std::vector<uint8_t> out;
    Put32(out, s.headerSize);
    if (s.headerSize == 12) {
        Put16(out, static_cast<uint32_t>(s.width));
        Put16(out, static_cast<uint32_t>(s.height));
        Put16(out, 1);
        Put16(out, s.bitCount);
    } else {
        Put32(out, static_cast<uint32_t>(s.width));
        Put32(out, static_cast<uint32_t>(s.height));
        Put16(out, 1);
        Put16(out, s.bitCount);
        Put32(out, s.compression);
        Put32(out, s.imageSize);
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, s.usedColours);
        Put32(out, 0);
    }
    for (uint32_t m : s.masks) Put32(out, m);
    for (TColor c : s.palette) {
        out.push_back(GetBValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetRValue(c));
        if (s.headerSize != 12) out.push_back(0);
    }
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

// A BMP file around `dib`; the pixels start at `pixelOffset` from the file start.
inline std::vector<uint8_t> WithFileHeader(const std::vector<uint8_t>& dib, uint32_t pixelOffset) {
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, static_cast<uint32_t>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, pixelOffset);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

// Where the pixels of MakeDib(s) start inside a file.
inline uint32_t PixelOffsetInFile(const DibFields& s) {
    return static_cast<uint32_t>(14 + MakeDib(s).size() - s.pixels.size());
}

}  // namespace ik::test
