// The pixel operations the screens draw with. Nothing here reports errors to
// the game: missing or lost surfaces, empty or fully clipped rectangles and
// refused blits draw nothing.
#pragma once

#include <cstdint>

#include "display/Color.h"
#include "display/D2D.h"
#include "display/Rect.h"
#include "display/RgbImage.h"
#include "display/Surface.h"

namespace ik {

class TDXDraw;

// What a clipped copy did; callers may ignore it.
enum class BlitResult {
    Drawn,
    Refused,        // a surface is missing or lost
    OutsideTarget,  // the point lies beyond the destination: returned before clipping
    ClippedAway,    // nothing of the rectangle was left after clipping
};

// Copies srcRect of src with its top-left corner at (x, y) of dest, clipped to
// both surfaces. With `transparent`, source pixels equal to src's colour key
// are left out.
BlitResult copyClipped(TDirectDrawSurface& dest, int x, int y, const TDirectDrawSurface& src, TRect srcRect,
                       bool transparent);

// Scales srcRect of src into destRect (nearest source pixel), cut at dest's
// edges. A source rectangle outside src is refused.
bool stretchCopy(TDirectDrawSurface& dest, const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
                 bool transparent);

// Blend without the 3D path: 16.16 stepping through srcRect, opacity alpha/256
// per channel, a plain copy at alpha 255. Key pixels are skipped when
// `transparent`.
bool blendSoftware(TDirectDrawSurface& dest, const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
                   int alpha, bool transparent);

// The 3D path's blended quad, computed in software: each pixel of destRect
// becomes texel x a + dest x (1 - a), a = alpha/255 x texel alpha, the texel
// filtered bilinearly. Draws only onto the display's back buffer, and only
// when the display requests do3D, doDirectX7Mode and doHardware and has its
// 2D renderer. An empty texture draws the bare quad in white.
bool blendBilinear(TDXDraw& display, TDirectDrawSurface& dest, const TRect& destRect, const BlendTexture& texture,
                   const TexCoords& coords, int alpha);

// Every pixel becomes `value`. False when the surface is missing or lost.
bool FillSurface(TDirectDrawSurface& surface, uint16_t value);

// Fast-blit flag: honour the source colour key.
constexpr uint32_t kBltFastSourceColorKey = 0x1;
// Unclipped copy of srcRect of src to (x, y) of dest: a rectangle that does not
// fit either surface is refused and nothing is drawn.
bool BlitSurface(TDirectDrawSurface& dest, int x, int y, const TRect& srcRect, uint32_t flags,
                 const TDirectDrawSurface& src);

// Sizes the surface to the image (or to `area` of it) and copies the pixels,
// converted to RGB565; the colour key becomes 0. Fails with
// "Surface cannot be made" for an empty image or an area outside it.
void LoadFromGraphic(TDirectDrawSurface& surface, const RgbImage& image);
void LoadFromGraphic(TDirectDrawSurface& surface, const RgbImage& image, const TRect& area, bool systemMemory);

}  // namespace ik
