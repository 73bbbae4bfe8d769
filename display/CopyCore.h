// What the copies share: the inner loop, and rectangle arithmetic that
// cannot overflow whatever coordinates a caller passes.
#pragma once

#include <algorithm>
#include <cstdint>

#include "display/Rect.h"
#include "display/Surface.h"

namespace ik {

// Copies srcRect of src to (x, y) of dest, both already inside their
// surfaces; with `keyed`, source pixels equal
// to src's colour key are not written. Overlapping areas of one surface copy
// as if through a temporary.
void CopyRect(TDirectDrawSurface& dest, int x, int y, const TDirectDrawSurface& src, const TRect& srcRect, bool keyed);

// True when r lies within a surface of that size and is not empty.
inline bool insideSurface(const TRect& r, const TDirectDrawSurface& s) {
    return !r.Empty() && r.Left >= 0 && r.Top >= 0 && r.Right <= s.Width() && r.Bottom <= s.Height();
}

// Width and height without overflow, whatever the corners.
inline int64_t spanX(const TRect& r) { return int64_t{r.Right} - r.Left; }
inline int64_t spanY(const TRect& r) { return int64_t{r.Bottom} - r.Top; }

// The part of a rectangle given in wide coordinates that lies on the surface.
inline TRect visiblePart(int64_t left, int64_t top, int64_t right, int64_t bottom, const TDirectDrawSurface& s) {
    auto clampTo = [](int64_t v, int limit) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, limit)); };
    return {clampTo(left, s.Width()), clampTo(top, s.Height()), clampTo(right, s.Width()), clampTo(bottom, s.Height())};
}
inline TRect visiblePart(const TRect& r, const TDirectDrawSurface& s) {
    return visiblePart(r.Left, r.Top, r.Right, r.Bottom, s);
}

}  // namespace ik
