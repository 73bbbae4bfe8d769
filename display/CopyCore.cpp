#include "display/CopyCore.h"

#include <cstring>
#include <optional>
#include <vector>

namespace ik {

namespace {
// Written as a select so that the compiler turns it into vector compares.
void copyRowKeyed(uint16_t* __restrict dest, const uint16_t* __restrict src, int count, uint16_t key) {
    for (int i = 0; i < count; ++i) {
        uint16_t v = src[i];
        dest[i] = v == key ? dest[i] : v;
    }
}

// Over a fill that was never written: where the source is transparent the
// fill shows through.
void copyRowKeyedOverFill(uint16_t* __restrict dest, const uint16_t* __restrict src, int count, uint16_t key,
                          uint16_t fill) {
    for (int i = 0; i < count; ++i) {
        uint16_t v = src[i];
        dest[i] = v == key ? fill : v;
    }
}

void copyRow(uint16_t* dest, const uint16_t* src, int count, bool keyed, uint16_t key) {
    if (keyed) {
        copyRowKeyed(dest, src, count, key);
    } else {
        std::memcpy(dest, src, static_cast<size_t>(count) * sizeof(uint16_t));
    }
}
}  // namespace

void CopyRect(TDirectDrawSurface& dest, int x, int y, const TDirectDrawSurface& src, const TRect& srcRect, bool keyed) {
    const int width = srcRect.Width();
    const int height = srcRect.Height();
    const uint16_t key = src.ColorKey();
    if (&dest == &src) {
        // Blits within one surface: take the source out first.
        std::vector<uint16_t> copy(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int row = 0; row < height; ++row) {
            std::memcpy(copy.data() + static_cast<size_t>(row) * static_cast<size_t>(width),
                        src.Row(srcRect.Top + row) + srcRect.Left, static_cast<size_t>(width) * sizeof(uint16_t));
        }
        for (int row = 0; row < height; ++row) {
            copyRow(dest.Row(y + row) + x, copy.data() + static_cast<size_t>(row) * static_cast<size_t>(width), width,
                    keyed, key);
        }
        return;
    }
    if (x == 0 && y == 0 && width == dest.Width() && height == dest.Height()) {
        // Every pixel is written here: a fill still pending need not be first.
        if (const std::optional<uint16_t> fill = dest.TakePendingFill(); fill && keyed) {
            for (int row = 0; row < height; ++row) {
                copyRowKeyedOverFill(dest.Row(row), src.Row(srcRect.Top + row) + srcRect.Left, width, key, *fill);
            }
            return;
        }
    }
    for (int row = 0; row < height; ++row) {
        copyRow(dest.Row(y + row) + x, src.Row(srcRect.Top + row) + srcRect.Left, width, keyed, key);
    }
}

}  // namespace ik
