// Turning stored pixel bytes into full colour, top row first.
#include "assets/Dib.h"
#include "assets/DibFormat.h"

namespace ik {

using namespace dib;

namespace {

// Widens a channel of `bits` bits to 8, keeping its top bits, so a 5-6-5
// picture comes back unchanged when the display truncates it again.
uint8_t Widen(uint32_t value, int bits) {
    const uint32_t top = (1u << bits) - 1;
    return static_cast<uint8_t>(value * 255 / top);
}

TColor From555(uint16_t v) {
    return RGB(Widen((v >> 10) & 31, 5), Widen((v >> 5) & 31, 5), Widen(v & 31, 5));
}

TColor From565(uint16_t v) {
    return RGB(Widen((v >> 11) & 31, 5), Widen((v >> 5) & 63, 6), Widen(v & 31, 5));
}

}  // namespace

const RgbImage& TDib::Image() {
    if (!decoded_) {
        image_ = Decode();
        decoded_ = true;
        bits_ = {};
    }
    return image_;
}

RgbImage TDib::Decode() const {
    RgbImage out;
    if (Empty()) return out;
    out.width = width_;
    out.height = height_;
    out.pixels.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));

    auto colourOf = [this](uint32_t index) { return index < palette_.size() ? palette_[index] : clBlack; };
    auto destRow = [&](int fileRow) {
        const int y = topDown_ ? fileRow : height_ - 1 - fileRow;
        return out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    };

    if (compression_ == kRle8 || compression_ == kRle4) {
        const std::vector<uint8_t> indices =
            ExpandRle(bits_.data(), bits_.size(), width_, height_, compression_ == kRle4);
        for (int r = 0; r < height_; ++r) {
            const uint8_t* row = indices.data() + static_cast<size_t>(r) * static_cast<size_t>(width_);
            TColor* dest = destRow(r);
            for (int x = 0; x < width_; ++x) dest[x] = colourOf(row[x]);
        }
        return out;
    }

    const size_t rowBytes = RowBytes(bitCount_, width_);
    for (int r = 0; r < height_; ++r) {
        const uint8_t* row = bits_.data() + static_cast<size_t>(r) * rowBytes;
        TColor* dest = destRow(r);
        for (int x = 0; x < width_; ++x) {
            switch (bitCount_) {
                case 1: dest[x] = colourOf((row[x >> 3] >> (7 - (x & 7))) & 1); break;
                case 4: dest[x] = colourOf((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15); break;
                case 8: dest[x] = colourOf(row[x]); break;
                case 16: {
                    const uint16_t v = LoadU16(row + 2 * x);
                    dest[x] = mask565_ ? From565(v) : From555(v);
                    break;
                }
                case 24: dest[x] = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
                default: dest[x] = RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            }
        }
    }
    return out;
}

}  // namespace ik
