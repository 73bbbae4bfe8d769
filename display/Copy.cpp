#include <cstdint>

#include "display/CopyCore.h"
#include "display/Drawing.h"

namespace ik {

BlitResult copyClipped(TDirectDrawSurface& dest, int x, int y, const TDirectDrawSurface& src, TRect srcRect,
                       bool transparent) {
    if (!src.Usable() || !dest.Usable()) return BlitResult::Refused;
    if (x > dest.Width() || y > dest.Height()) return BlitResult::OutsideTarget;

    // Wide arithmetic: callers may pass points far outside the surface.
    int64_t qLeft = x, qTop = y;
    int64_t qRight = qLeft + spanX(srcRect), qBottom = qTop + spanY(srcRect);
    int64_t rLeft = srcRect.Left, rTop = srcRect.Top, rRight = srcRect.Right, rBottom = srcRect.Bottom;
    if (qLeft < 0) {
        rLeft -= qLeft;
        qLeft = 0;
    }
    if (qTop < 0) {
        rTop -= qTop;
        qTop = 0;
    }
    if (rLeft < 0) {
        qLeft -= rLeft;
        rLeft = 0;
    }
    if (rTop < 0) {
        qTop -= rTop;
        rTop = 0;
    }
    if (qRight > dest.Width()) {
        rRight -= qRight - dest.Width();
        qRight = dest.Width();
    }
    if (qBottom > dest.Height()) {
        rBottom -= qBottom - dest.Height();
        qBottom = dest.Height();
    }
    if (rRight > src.Width()) {
        qRight -= rRight - src.Width();
        rRight = src.Width();
    }
    if (rBottom > src.Height()) {
        qBottom -= rBottom - src.Height();
        rBottom = src.Height();
    }
    if (qRight <= qLeft || qBottom <= qTop || rRight <= rLeft || rBottom <= rTop) {
        return BlitResult::ClippedAway;
    }
    TRect r{static_cast<int32_t>(rLeft), static_cast<int32_t>(rTop), static_cast<int32_t>(rRight),
            static_cast<int32_t>(rBottom)};
    CopyRect(dest, static_cast<int>(qLeft), static_cast<int>(qTop), src, r, transparent);
    return BlitResult::Drawn;
}

bool BlitSurface(TDirectDrawSurface& dest, int x, int y, const TRect& srcRect, uint32_t flags,
                 const TDirectDrawSurface& src) {
    if (!dest.Usable() || !src.Usable() || !insideSurface(srcRect, src)) return false;
    if (x < 0 || y < 0 || x + spanX(srcRect) > dest.Width() || y + spanY(srcRect) > dest.Height()) {
        return false;
    }
    CopyRect(dest, x, y, src, srcRect, (flags & kBltFastSourceColorKey) != 0);
    return true;
}

bool FillSurface(TDirectDrawSurface& surface, uint16_t value) {
    if (!surface.Usable()) return false;
    surface.Fill(value);
    return true;
}

}  // namespace ik
