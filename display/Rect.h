// Rectangles of the 800 x 600 display: (left, top, right, bottom), half open.
#pragma once

#include <algorithm>
#include <cstdint>

namespace ik {

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left, top, left + width, top + height};
}

// Intersection of two rectangles; empty when they do not overlap.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

// Two rectangles overlap when their intersection has positive width and height.
inline bool overlap(const TRect& a, const TRect& b) { return !IntersectRect(a, b).Empty(); }

}  // namespace ik
