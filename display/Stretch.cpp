#include <algorithm>
#include <cstdint>
#include <vector>

#include "display/CopyCore.h"
#include "display/Drawing.h"

namespace ik {

bool stretchCopy(TDirectDrawSurface& dest, const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
                 bool transparent) {
    if (!dest.Usable() || !src.Usable() || destRect.Empty() || !insideSurface(srcRect, src)) {
        return false;
    }
    const TRect visible = visiblePart(destRect, dest);
    if (visible.Empty()) return false;

    // Each destination pixel takes the source pixel under its centre; the
    // columns are worked out once per call.
    const int64_t qw = spanX(destRect), qh = spanY(destRect);
    const int64_t rw = spanX(srcRect), rh = spanY(srcRect);
    std::vector<int> columns(static_cast<size_t>(visible.Width()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        int64_t i = x - int64_t{destRect.Left};
        columns[static_cast<size_t>(x - visible.Left)] = srcRect.Left + static_cast<int>(((2 * i + 1) * rw) / (2 * qw));
    }
    const uint16_t key = src.ColorKey();
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        int64_t j = y - int64_t{destRect.Top};
        const uint16_t* from = src.Row(srcRect.Top + static_cast<int>(((2 * j + 1) * rh) / (2 * qh)));
        uint16_t* to = dest.Row(y) + visible.Left;
        for (size_t k = 0; k < columns.size(); ++k) {
            uint16_t v = from[columns[k]];
            if (!transparent || v != key) to[k] = v;
        }
    }
    return true;
}

}  // namespace ik
