// Reading the headers, masks and colour table of a bitmap. The pixel bytes
// are only copied here; DibDecode.cpp turns them into colours when asked.
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>

#include "assets/AssetErrors.h"
#include "assets/Dib.h"
#include "assets/DibFormat.h"

namespace ik {

using namespace dib;

namespace {

constexpr size_t kMaskBytes = 12;
constexpr uint64_t kMaxColourTable = 256;

bool allowedBitCount(int bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

// The run of set bits that starts at the mask's lowest set bit.
int runWidth(uint32_t mask) { return mask == 0 ? 0 : std::countr_one(mask >> std::countr_zero(mask)); }

// The masks only say how wide each channel is; the widths pick one of the
// layouts the decoder knows (8-8-8, or 5-5-5 / 5-6-5 at 16 bits), and the
// channels are then read where that layout keeps them, wherever the masks
// put them. Returns whether the 16-bit layout is 5-6-5.
bool masksPick565(int bitCount, uint32_t red, uint32_t green, uint32_t blue) {
    const int r = runWidth(red), g = runWidth(green), b = runWidth(blue);
    if (bitCount == 16) {
        if (r == 5 && g == 6 && b == 5) return true;
        if (r == 5 && g == 5 && b == 5) return false;
    } else if (r == 8 && g == 8 && b == 8) {
        return false;
    }
    throw Exception("PixelFormat in invalid");
}

}  // namespace

std::shared_ptr<TDib> TDib::ReadDib(const uint8_t* data, size_t size) { return Parse(data, size, std::nullopt); }

std::shared_ptr<TDib> TDib::ReadBitmapFile(const uint8_t* data, size_t size) {
    if (size == 0) return std::make_shared<TDib>();
    if (size < 2 || data[0] != 'B' || data[1] != 'M') throw Exception("Bitmap image is not valid");
    if (size < kFileHeaderSize) throw EStreamReadError();
    if (size == kFileHeaderSize) throw Exception("DIB is invalid");
    // The file header says where the pixels start; writers leave gaps or
    // short colour tables before them.
    const uint32_t pixelOffset = loadU32(data + 10);
    std::optional<uint64_t> offsetInDib;
    if (pixelOffset > kFileHeaderSize) offsetInDib = pixelOffset - kFileHeaderSize;
    return Parse(data + kFileHeaderSize, size - kFileHeaderSize, offsetInDib);
}

std::shared_ptr<TDib> TDib::Parse(const uint8_t* data, size_t size, std::optional<uint64_t> pixelOffset) {
    auto dib = std::make_shared<TDib>();
    if (size == 0) return dib;
    if (size < 4) throw Exception("DIB is invalid");
    const uint32_t headerSize = loadU32(data);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) throw Exception("DIB is invalid");
    if (size < headerSize) throw EStreamReadError();

    const bool core = headerSize == kCoreHeaderSize;
    int64_t width = 0, height = 0;
    uint32_t imageSize = 0, usedColours = 0;
    if (core) {
        width = loadU16(data + 4);
        height = loadU16(data + 6);
        dib->bitCount_ = loadU16(data + 10);
    } else {
        width = static_cast<int32_t>(loadU32(data + 4));
        height = static_cast<int32_t>(loadU32(data + 8));
        dib->bitCount_ = loadU16(data + 14);
        dib->compression_ = loadU32(data + 16);
        imageSize = loadU32(data + 20);
        usedColours = loadU32(data + 32);
    }
    if (dib->compression_ > kBitFields) throw Exception("DIB is invalid");
    if (!allowedBitCount(dib->bitCount_)) throw Exception(Format("Bitcount in invalid (%d)", dib->bitCount_));

    uint64_t position = headerSize;
    if (dib->compression_ == kBitFields) {
        if (size - position < kMaskBytes) throw EStreamReadError();
        dib->mask565_ = masksPick565(dib->bitCount_, loadU32(data + position), loadU32(data + position + 4),
                                     loadU32(data + position + 8));
        position += kMaskBytes;
    }

    if (width < 0) throw Exception("DIB is invalid");
    dib->topDown_ = height < 0;
    height = std::abs(height);

    uint64_t entries = usedColours;
    if (entries == 0 && dib->bitCount_ <= 8) entries = uint64_t{1} << dib->bitCount_;
    const uint64_t entrySize = core ? 3 : 4;
    uint64_t kept = std::min(entries, kMaxColourTable);
    uint64_t pixelStart = position + entries * entrySize;
    if (pixelOffset && *pixelOffset >= position) {
        pixelStart = *pixelOffset;
        kept = std::min(kept, (pixelStart - position) / entrySize);
    }
    if (pixelStart > size) throw EStreamReadError();
    dib->palette_.reserve(kept);
    for (uint64_t i = 0; i < kept; ++i) {
        const uint8_t* entry = data + position + i * entrySize;
        dib->palette_.push_back(RGB(entry[2], entry[1], entry[0]));
    }

    const bool runLength = dib->compression_ == kRle8 || dib->compression_ == kRle4;
    const uint64_t pixelBytes =
        runLength ? imageSize : bytesPerRow(dib->bitCount_, width) * static_cast<uint64_t>(height);
    if (size - pixelStart < pixelBytes) throw EStreamReadError();
    // The data is all there; refuse only what no surface could show.
    if (width * height > kMaxPixels) throw Exception("Bitmap image is too large");
    dib->bits_.assign(data + pixelStart, data + pixelStart + pixelBytes);
    dib->width_ = static_cast<int>(width);
    dib->height_ = static_cast<int>(height);
    return dib;
}

}  // namespace ik
