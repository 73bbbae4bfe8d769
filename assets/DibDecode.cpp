// Turning stored pixel bytes into full colour, top row first.
#include <algorithm>
#include <array>

#include "assets/Dib.h"
#include "assets/DibFormat.h"

namespace ik {

using namespace dib;

namespace {

// Widens a channel of `Bits` bits to 8, keeping its top bits, so a 5-6-5
// picture comes back unchanged when the display truncates it again.
template <int Bits>
constexpr std::array<uint8_t, (1 << Bits)> WidenTable() {
    std::array<uint8_t, (1 << Bits)> table{};
    for (uint32_t v = 0; v < table.size(); ++v) table[v] = static_cast<uint8_t>(v * 255 / (table.size() - 1));
    return table;
}
constexpr auto kWiden5 = WidenTable<5>();
constexpr auto kWiden6 = WidenTable<6>();

TColor from555(uint16_t v) { return RGB(kWiden5[(v >> 10) & 31], kWiden5[(v >> 5) & 31], kWiden5[v & 31]); }

TColor from565(uint16_t v) { return RGB(kWiden5[(v >> 11) & 31], kWiden6[(v >> 5) & 63], kWiden5[v & 31]); }

// Every index a byte can hold, the ones past the colour table black.
using Colours = std::array<TColor, 256>;

void decodeRow(const uint8_t* row, TColor* dest, int width, int bitCount, bool mask565, const Colours& colours) {
    // One loop per depth: the depth never changes within a picture.
    switch (bitCount) {
        case 1:
            for (int x = 0; x < width; ++x) dest[x] = colours[(row[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width; ++x) dest[x] = colours[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (int x = 0; x < width; ++x) dest[x] = colours[row[x]];
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                const uint16_t v = loadU16(row + 2 * x);
                dest[x] = mask565 ? from565(v) : from555(v);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) dest[x] = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            break;
        default:
            for (int x = 0; x < width; ++x) dest[x] = RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
            break;
    }
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

    Colours colours{};
    std::copy(palette_.begin(), palette_.end(), colours.begin());
    auto destRow = [&](int fileRow) {
        const int y = topDown_ ? fileRow : height_ - 1 - fileRow;
        return out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    };

    if (compression_ == kRle8 || compression_ == kRle4) {
        const std::vector<uint8_t> indices =
            expandRle(bits_.data(), bits_.size(), width_, height_, compression_ == kRle4);
        for (int r = 0; r < height_; ++r) {
            const uint8_t* row = indices.data() + static_cast<size_t>(r) * static_cast<size_t>(width_);
            TColor* dest = destRow(r);
            for (int x = 0; x < width_; ++x) dest[x] = colours[row[x]];
        }
        return out;
    }

    const size_t rowBytes = bytesPerRow(bitCount_, width_);
    for (int r = 0; r < height_; ++r) {
        const uint8_t* row = bits_.data() + static_cast<size_t>(r) * rowBytes;
        TColor* dest = destRow(r);
        decodeRow(row, dest, width_, bitCount_, mask565_, colours);
    }
    return out;
}

}  // namespace ik
