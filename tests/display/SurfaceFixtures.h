// Small surfaces with known pixels for the drawing tests.
#pragma once

#include <cstdint>
#include <functional>

#include "display/Rect.h"
#include "display/Surface.h"

namespace ik::test {

// A surface whose pixel (x, y) holds value(x, y).
inline void Paint(TDirectDrawSurface& s, int w, int h, const std::function<uint16_t(int, int)>& value) {
    s.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.SetPixel(x, y, value(x, y));
}

// A distinct, non-zero value per source position, so that a copy can be
// traced back to where each pixel came from.
inline uint16_t Tag(int x, int y) { return static_cast<uint16_t>(1 + x + 256 * y); }

// The rectangle covering the pixels that differ from `background`.
inline TRect Changed(const TDirectDrawSurface& s, uint16_t background) {
    TRect r{s.Width(), s.Height(), 0, 0};
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != background) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.Empty() ? TRect{} : r;
}

inline int CountValue(const TDirectDrawSurface& s, uint16_t value) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) n += s.Pixel(x, y) == value;
    return n;
}

}  // namespace ik::test
