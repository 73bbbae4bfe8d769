#include <algorithm>
#include <cmath>
#include <cstdint>

#include "display/CopyCore.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "display/Pixel565.h"

namespace ik {

namespace {

// d + (s - d) x alpha/256 per channel, the 8.8 opacity of the pixel pipeline.
uint16_t blend565(uint16_t source, uint16_t dest, int alpha) {
    const Channels565 s = split565(source), d = split565(dest);
    auto mix = [alpha](int sc, int dc) { return dc + (((sc - dc) * alpha) >> 8); };
    return join565(mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b));
}

struct Texel {
    double r, g, b, a;  // 0..255
};

Texel unpack(uint32_t t) {
    return {static_cast<double>(t & 0xFF), static_cast<double>((t >> 8) & 0xFF), static_cast<double>((t >> 16) & 0xFF),
            static_cast<double>(t >> 24)};
}

int wrap(int i, int size) {
    int m = i % size;
    return m < 0 ? m + size : m;
}

// Linear filtering with texel centres at (i + 0.5) / size and wrapping
// addresses, as the 3D device samples by default. Colour and alpha are
// filtered separately.
Texel sampleBilinear(const BlendTexture& texture, double u, double v) {
    const double tx = u * texture.width - 0.5, ty = v * texture.height - 0.5;
    const double fx0 = std::floor(tx), fy0 = std::floor(ty);
    const double fx = tx - fx0, fy = ty - fy0;
    const int x0 = wrap(static_cast<int>(fx0), texture.width), x1 = wrap(x0 + 1, texture.width);
    const int y0 = wrap(static_cast<int>(fy0), texture.height), y1 = wrap(y0 + 1, texture.height);
    auto at = [&](int x, int y) {
        return unpack(
            texture.texels[static_cast<size_t>(y) * static_cast<size_t>(texture.width) + static_cast<size_t>(x)]);
    };
    const Texel t00 = at(x0, y0), t10 = at(x1, y0), t01 = at(x0, y1), t11 = at(x1, y1);
    auto lerp2 = [&](double a00, double a10, double a01, double a11) {
        return (a00 * (1 - fx) + a10 * fx) * (1 - fy) + (a01 * (1 - fx) + a11 * fx) * fy;
    };
    return {lerp2(t00.r, t10.r, t01.r, t11.r), lerp2(t00.g, t10.g, t01.g, t11.g), lerp2(t00.b, t10.b, t01.b, t11.b),
            lerp2(t00.a, t10.a, t01.a, t11.a)};
}

bool renderer3DUsable(TDXDraw& display, const TDirectDrawSurface& dest) {
    const TDXDrawOptions requested = display.Options();
    return &dest == &display.Surface() && display.D2D() != nullptr && requested.Has(do3D) &&
           requested.Has(doDirectX7Mode) && requested.Has(doHardware) &&
           (dest.BitCount() == 16 || dest.BitCount() == 32) && dest.Usable();
}

}  // namespace

bool blendSoftware(TDirectDrawSurface& dest, const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
                   int alpha, bool transparent) {
    if (!dest.Usable() || !src.Usable() || alpha <= 0) return false;
    const bool copyMode = alpha >= 255;
    if (destRect.Empty() || !insideSurface(srcRect, src)) return false;
    const TRect visible = visiblePart(destRect, dest);
    if (visible.Empty()) return false;
    const int64_t cutColumns = visible.Left - int64_t{destRect.Left}, cutRows = visible.Top - int64_t{destRect.Top};

    const int64_t du = (spanX(srcRect) << 16) / spanX(destRect);
    const int64_t dv = (spanY(srcRect) << 16) / spanY(destRect);
    const int64_t uStart = du * cutColumns + (static_cast<int64_t>(srcRect.Left) << 16);
    int64_t v = dv * cutRows + (static_cast<int64_t>(srcRect.Top) << 16);
    const int64_t uLast = uStart + du * (visible.Width() - 1);
    const int64_t vLast = v + dv * (visible.Height() - 1);
    if (uStart < 0 || v < 0 || (uLast >> 16) >= src.Width() || (vLast >> 16) >= src.Height()) {
        return false;
    }

    const uint16_t key = src.ColorKey();
    for (int y = visible.Top; y < visible.Bottom; ++y, v += dv) {
        const uint16_t* from = src.Row(static_cast<int>(v >> 16));
        uint16_t* to = dest.Row(y);
        int64_t u = uStart;
        for (int x = visible.Left; x < visible.Right; ++x, u += du) {
            const uint16_t s = from[u >> 16];
            if (transparent && s == key) continue;
            to[x] = copyMode ? s : blend565(s, to[x], alpha);
        }
    }
    return true;
}

bool blendBilinear(TDXDraw& display, TDirectDrawSurface& dest, const TRect& destRect, const BlendTexture& texture,
                   const TexCoords& coords, int alpha) {
    if (!renderer3DUsable(display, dest) || destRect.Empty()) return false;
    const double opacity = std::clamp(alpha, 0, 255) / 255.0;
    const TRect visible = visiblePart(destRect, dest);
    if (visible.Empty() || opacity <= 0) return false;

    // The quad's corners sit half a pixel up and left so that pixel centres,
    // at whole coordinates, meet texel centres.
    const double left = destRect.Left - 0.5, top = destRect.Top - 0.5;
    const double du = (coords.u1 - coords.u0) / static_cast<double>(spanX(destRect));
    const double dv = (coords.v1 - coords.v0) / static_cast<double>(spanY(destRect));
    const Texel white{255, 255, 255, 255};
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const double v = coords.v0 + (y - top) * dv;
        uint16_t* row = dest.Row(y);
        for (int x = visible.Left; x < visible.Right; ++x) {
            const double u = coords.u0 + (x - left) * du;
            const Texel t = texture.Empty() ? white : sampleBilinear(texture, u, v);
            const double a = opacity * t.a / 255.0;
            if (a <= 0) continue;
            const Channels565 d = split565(row[x]);
            auto mix = [a](double s, int d8) { return static_cast<uint8_t>(std::lround(s * a + d8 * (1 - a))); };
            row[x] = toRgb565(RGB(mix(t.r, expand5(d.r)), mix(t.g, expand6(d.g)), mix(t.b, expand5(d.b))));
        }
    }
    return true;
}

}  // namespace ik
