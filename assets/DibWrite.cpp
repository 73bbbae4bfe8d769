// Writing pictures as bitmaps, for the pack tool: 8 bits with a palette
// (optionally RLE8), 16 bits as 5-6-5 bit fields, or 24 bits.
#include <unordered_map>

#include "assets/Dib.h"
#include "assets/DibFormat.h"
#include "display/Exception.h"

namespace ik {

using namespace dib;

namespace {

constexpr size_t kMaxPaletteSize = 256;

struct Written {
    std::vector<uint8_t> bytes;
    size_t pixelOffset = 0;  // from the start of the info header
};

void checkEncoding(const RgbImage& image, const DibEncoding& encoding) {
    if (encoding.bits != 8 && encoding.bits != 16 && encoding.bits != 24)
        throw Exception(Format("Bitmaps are written with 8, 16 or 24 bits, not %d", encoding.bits));
    if (encoding.rle8 && encoding.bits != 8) throw Exception("RLE8 needs 8 bits per pixel");
    if (image.width < 0 || image.height < 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        throw Exception("Picture size does not match its pixels");
}

// Palette indices of every pixel, rows as in the picture (top first).
struct Indexed {
    std::vector<TColor> palette;
    std::vector<uint8_t> indices;
};

Indexed toPalette(const RgbImage& image) {
    Indexed result;
    std::unordered_map<TColor, uint8_t> slot;
    result.indices.reserve(image.pixels.size());
    for (TColor colour : image.pixels) {
        colour &= 0xFFFFFF;
        auto found = slot.find(colour);
        if (found == slot.end()) {
            if (result.palette.size() == kMaxPaletteSize)
                throw Exception("Picture has more than 256 colours; it cannot be stored with 8 bits");
            found = slot.emplace(colour, static_cast<uint8_t>(result.palette.size())).first;
            result.palette.push_back(colour);
        }
        result.indices.push_back(found->second);
    }
    return result;
}

void PadRow(std::vector<uint8_t>& out, size_t rowStart, size_t rowBytes) { out.resize(rowStart + rowBytes, 0); }

// Pixel rows bottom first, as the bitmap stores them.
std::vector<uint8_t> PixelBytes(const RgbImage& image, const DibEncoding& encoding, const Indexed& indexed) {
    std::vector<uint8_t> out;
    const int w = image.width;
    const size_t rowBytes = bytesPerRow(encoding.bits, w);
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t first = static_cast<size_t>(y) * static_cast<size_t>(w);
        const size_t rowStart = out.size();
        if (encoding.bits == 8) {
            const uint8_t* row = indexed.indices.data() + first;
            if (encoding.rle8) {
                encodeRle8Row(row, w, out);
                out.push_back(0);
                out.push_back(y == 0 ? 1 : 0);  // end of row, or of the bitmap after the last
                continue;
            }
            out.insert(out.end(), row, row + w);
        } else {
            for (int x = 0; x < w; ++x) {
                const TColor c = image.pixels[first + static_cast<size_t>(x)];
                if (encoding.bits == 16) {
                    storeU16(out, toRgb565(c));
                } else {
                    out.push_back(GetBValue(c));
                    out.push_back(GetGValue(c));
                    out.push_back(GetRValue(c));
                }
            }
        }
        PadRow(out, rowStart, rowBytes);
    }
    if (encoding.rle8 && image.height == 0) {
        out.push_back(0);
        out.push_back(1);
    }
    return out;
}

Written encodeDib(const RgbImage& image, const DibEncoding& encoding) {
    checkEncoding(image, encoding);
    const Indexed indexed = encoding.bits == 8 ? toPalette(image) : Indexed{};
    const std::vector<uint8_t> pixels = PixelBytes(image, encoding, indexed);
    uint32_t compression = kRgb;
    if (encoding.bits == 16) compression = kBitFields;
    if (encoding.rle8) compression = kRle8;

    Written written;
    std::vector<uint8_t>& out = written.bytes;
    storeU32(out, kInfoHeaderSize);
    storeU32(out, static_cast<uint32_t>(image.width));
    storeU32(out, static_cast<uint32_t>(image.height));
    storeU16(out, 1);  // planes
    storeU16(out, static_cast<uint16_t>(encoding.bits));
    storeU32(out, compression);
    storeU32(out, static_cast<uint32_t>(pixels.size()));
    storeU32(out, 0);  // resolution, horizontal
    storeU32(out, 0);  // and vertical
    storeU32(out, static_cast<uint32_t>(indexed.palette.size()));
    storeU32(out, 0);  // important colours
    if (compression == kBitFields) {
        storeU32(out, kRedMask565);
        storeU32(out, kGreenMask565);
        storeU32(out, kBlueMask565);
    }
    for (TColor colour : indexed.palette) {
        out.push_back(GetBValue(colour));
        out.push_back(GetGValue(colour));
        out.push_back(GetRValue(colour));
        out.push_back(0);
    }
    written.pixelOffset = out.size();
    out.insert(out.end(), pixels.begin(), pixels.end());
    return written;
}

}  // namespace

std::vector<uint8_t> writeDib(const RgbImage& image, const DibEncoding& encoding) {
    return encodeDib(image, encoding).bytes;
}

std::vector<uint8_t> writeBitmapFile(const RgbImage& image, const DibEncoding& encoding) {
    const Written dib = encodeDib(image, encoding);
    std::vector<uint8_t> out{'B', 'M'};
    storeU32(out, static_cast<uint32_t>(kFileHeaderSize + dib.bytes.size()));
    storeU32(out, 0);  // reserved
    storeU32(out, static_cast<uint32_t>(kFileHeaderSize + dib.pixelOffset));
    out.insert(out.end(), dib.bytes.begin(), dib.bytes.end());
    return out;
}

}  // namespace ik
