// Device-independent bitmaps: the pixel data of the "TDIB" and "TBitmap"
// graphics in the picture files, and the writer the pack tool uses.
//
// A bitmap keeps its pixel bytes as the file holds them (run-length data
// stays compressed) and turns them into full colour the first time Image()
// is asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "display/Color.h"
#include "display/RgbImage.h"
#include "display/Surface.h"

namespace ik {

// How writeDib stores a picture: 8 bits (palette, optionally RLE8), 16 bits
// (5-6-5 bit fields) or 24 bits.
struct DibEncoding {
    int bits = 24;
    bool rle8 = false;
};

class TDib {
public:
    // The bytes after the "TDIB" class name: header, masks, colour table,
    // pixels. No bytes at all give an empty picture.
    static std::shared_ptr<TDib> ReadDib(const uint8_t* data, size_t size);
    // A complete BMP file (14-byte file header starting with "BM"); no bytes
    // at all give an empty picture.
    static std::shared_ptr<TDib> ReadBitmapFile(const uint8_t* data, size_t size);

    bool Empty() const { return width_ == 0 || height_ == 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    uint32_t Compression() const { return compression_; }

    // The picture in full colour, top row first; decoded on the first call.
    const RgbImage& Image();

    // A picture whose data is complete but that has more pixels than any
    // surface may hold is refused with "Bitmap image is too large".
    static constexpr int64_t kMaxPixels = TDirectDrawSurface::kMaxPixels;

private:
    // pixelOffset: where a file header puts the pixels, counted from `data`.
    static std::shared_ptr<TDib> Parse(const uint8_t* data, size_t size, std::optional<uint64_t> pixelOffset);
    RgbImage Decode() const;

    int width_ = 0;
    int height_ = 0;
    bool topDown_ = false;
    int bitCount_ = 0;
    uint32_t compression_ = 0;
    bool mask565_ = false;
    std::vector<TColor> palette_;  // up to 256 entries the data held; the rest are black
    std::vector<uint8_t> bits_;    // pixel rows or run-length data, as stored
    bool decoded_ = false;
    RgbImage image_;
};

// A bitmap with a 40-byte header, rows bottom first, as a "TDIB" block holds
// it. Fails when the picture does not fit the encoding (more than 256 colours
// at 8 bits, RLE8 at another depth, a depth other than 8, 16 or 24).
std::vector<uint8_t> writeDib(const RgbImage& image, const DibEncoding& encoding);
// The same behind a BMP file header, as a "TBitmap" block holds it.
std::vector<uint8_t> writeBitmapFile(const RgbImage& image, const DibEncoding& encoding);

}  // namespace ik
