// The inner loops shared by the copies; rectangles are already inside both
// surfaces.
#pragma once

#include "display/Rect.h"
#include "display/Surface.h"

namespace ik {

// Copies srcRect of src to (x, y) of dest; with `keyed`, source pixels equal
// to src's colour key are not written. Overlapping areas of one surface copy
// as if through a temporary.
void CopyRect(TDirectDrawSurface& dest, int x, int y, const TDirectDrawSurface& src,
              const TRect& srcRect, bool keyed);

// True when r lies within a surface of that size and is not empty.
inline bool InsideSurface(const TRect& r, const TDirectDrawSurface& s) {
    return !r.Empty() && r.Left >= 0 && r.Top >= 0 && r.Right <= s.Width() && r.Bottom <= s.Height();
}

}  // namespace ik
