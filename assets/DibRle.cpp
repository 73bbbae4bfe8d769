// Run-length coding of bitmap rows (RLE8 and RLE4), both directions.
#include <algorithm>

#include "assets/DibFormat.h"

namespace ik::dib {

namespace {

constexpr uint8_t kEscape = 0;
constexpr uint8_t kEndOfRow = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kOffset = 2;
constexpr int kMaxRun = 255;
constexpr int kMinAbsolute = 3;

}  // namespace

std::vector<uint8_t> expandRle(const uint8_t* data, size_t size, int width, int height, bool rle4) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    int64_t x = 0, y = 0;
    auto put = [&](uint8_t index) {
        if (x < width && y < height) out[static_cast<size_t>(y * width + x)] = index;
        ++x;
    };
    // RLE4 packs two pixels per byte, high nibble first.
    auto pixel = [rle4](uint8_t byte, int i) -> uint8_t {
        if (!rle4) return byte;
        return (i & 1) ? byte & 15 : byte >> 4;
    };

    size_t p = 0;
    while (p + 1 < size && y < height) {
        const uint8_t count = data[p];
        const uint8_t value = data[p + 1];
        p += 2;
        if (count != kEscape) {
            if (x < width && y < height) {
                uint8_t* dest = out.data() + static_cast<size_t>(y * width + x);
                const int64_t inRow = std::min<int64_t>(count, width - x);
                const uint8_t even = pixel(value, 0), odd = pixel(value, 1);
                for (int64_t i = 0; i < inRow; ++i) dest[i] = (i & 1) ? odd : even;
            }
            x += count;
            continue;
        }
        if (value == kEndOfRow) {
            x = 0;
            ++y;
        } else if (value == kEndOfBitmap) {
            break;
        } else if (value == kOffset) {
            if (p + 1 >= size) break;
            x += data[p];
            y += data[p + 1];
            p += 2;
        } else {
            const size_t bytes = rle4 ? (value + 1u) / 2 : value;
            for (int i = 0; i < value; ++i) {
                const size_t at = p + (rle4 ? i / 2 : i);
                if (at >= size) break;
                put(pixel(data[at], i));
            }
            // Commands start at even offsets: absolute runs are padded.
            p += (bytes + 1) & ~size_t{1};
        }
    }
    return out;
}

void encodeRle8Row(const uint8_t* indices, int width, std::vector<uint8_t>& out) {
    auto runAt = [&](int x, int limit) {
        int run = 1;
        while (x + run < width && run < limit && indices[x + run] == indices[x]) ++run;
        return run;
    };
    int x = 0;
    while (x < width) {
        const int run = runAt(x, kMaxRun);
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(indices[x]);
            x += run;
            continue;
        }
        // Gather differing pixels until a run worth encoding starts.
        int end = x + 1;
        while (end < width && end - x < kMaxRun && runAt(end, kMinAbsolute) < kMinAbsolute) ++end;
        const int length = end - x;
        if (length < kMinAbsolute) {
            for (; x < end; ++x) {
                out.push_back(1);
                out.push_back(indices[x]);
            }
            continue;
        }
        out.push_back(kEscape);
        out.push_back(static_cast<uint8_t>(length));
        out.insert(out.end(), indices + x, indices + end);
        if (length & 1) out.push_back(0);
        x = end;
    }
}

}  // namespace ik::dib
