#include "tools/assetgen/Look.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/Noise.h"

namespace ik::art {

void grain(Image& img, Box box, float amount, uint32_t seed) {
    SeededRandom random(seed);
    int x0 = std::max(0, static_cast<int>(box.x0)), y0 = std::max(0, static_cast<int>(box.y0));
    int x1 = std::min(img.width(), static_cast<int>(box.x1)), y1 = std::min(img.height(), static_cast<int>(box.y1));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Rgba c = img.at(x, y);
            if (c.a <= 0) continue;
            float n = (random.unit() - 0.5f) * amount;
            img.set(x, y,
                    {std::clamp(c.r + n, 0.0f, 1.0f), std::clamp(c.g + n, 0.0f, 1.0f), std::clamp(c.b + n, 0.0f, 1.0f),
                     c.a});
        }
}

void outlined(Image& img, const Shape& s, const Paint& p, float width) {
    fill(img, expand(s, width), colour::ink);
    fill(img, s, p);
}

void rivet(Image& img, float x, float y, float r) {
    fill(img, circle(x + 0.8f, y + 1.0f, r), rgb(0, 0, 0, 0.45f));
    fill(img, circle(x, y, r), dome(x, y, r, colour::brass, 0.6f));
}

void plate(Image& img, Box box, Rgba base, float radius, bool rivets) {
    Shape outer = rect(box.x0, box.y0, box.x1, box.y1, radius);
    dropShadow(img, outer, 3, 0.4f);
    fill(img, outer, colour::ink);
    Shape inner = rect(box.x0 + 1.5f, box.y0 + 1.5f, box.x1 - 1.5f, box.y1 - 1.5f, std::max(0.0f, radius - 1.5f));
    fill(img, inner, bevel(inner, linear(0, box.y0, shade(base, 0.08f), 0, box.y1, shade(base, -0.1f)), 4, 0.4f));
    if (rivets && box.x1 - box.x0 > 30 && box.y1 - box.y0 > 30) {
        float m = radius + 3;
        for (float rx : {box.x0 + m, box.x1 - m})
            for (float ry : {box.y0 + m, box.y1 - m}) rivet(img, rx, ry, 2.5f);
    }
}

void screenWell(Image& img, Box box, Rgba glass, float radius) {
    Shape frame = rect(box.x0 - 6, box.y0 - 6, box.x1 + 6, box.y1 + 6, radius + 4);
    fill(img, frame, bevel(frame, solid(colour::slate), 5, 0.45f));
    Shape well = rect(box.x0, box.y0, box.x1, box.y1, radius);
    // A recess: the rim is lit on the far side, so the bevel runs the other way.
    fill(img, well, bevel(well, linear(0, box.y0, shade(glass, -0.3f), 0, box.y1, glass), 4, -0.5f));
    fill(img, rect(box.x0 + 6, box.y0 + 4, box.x1 - 6, box.y0 + 10, 3), rgb(255, 255, 255, 0.06f));
}

void headerBand(Image& img, int width, int height, uint32_t seed) {
    Shape band = rect(0, 0, static_cast<float>(width), static_cast<float>(height - 6));
    fill(img, band, [&](float x, float y) {
        float n = fractalNoise(x, y, 32, seed);
        return shade(mix(colour::navy, colour::night, y / height), (n - 0.5f) * 0.12f);
    });
    Shape rim = rect(0, static_cast<float>(height - 7), static_cast<float>(width), static_cast<float>(height));
    fill(img, rim, bevel(rim, solid(colour::brass), 3, 0.5f));
    fill(img, rect(0, static_cast<float>(height - 1), static_cast<float>(width), static_cast<float>(height)),
         colour::brassDark);
    for (float x = 14; x < width; x += 48) rivet(img, x, height - 3.5f, 1.8f);
}

void wheelEmblem(Image& img, float cx, float cy, float radius) {
    float s = radius / 80;
    for (int tooth = 0; tooth < 12; ++tooth) {
        float a = tooth * 3.14159265f / 6;
        fill(img, segment(cx, cy, cx + std::cos(a) * 92 * s, cy + std::sin(a) * 92 * s, 11 * s), colour::brassDark);
    }
    Shape wheel = circle(cx, cy, radius);
    fill(img, wheel, bevel(wheel, solid(colour::brass), 8 * s + 1, 0.5f));
    Shape hub = circle(cx, cy, 56 * s);
    fill(img, hub, bevel(hub, solid(colour::navy), 5 * s + 1, -0.5f));
    Shape keel = polygon(
        {{cx - 40 * s, cy - 6 * s}, {cx + 40 * s, cy - 6 * s}, {cx + 28 * s, cy + 18 * s}, {cx - 28 * s, cy + 18 * s}});
    fill(img, keel, bevel(keel, solid(colour::steel), 3 * s + 1));
    fill(img, rect(cx - 3 * s, cy - 40 * s, cx + 3 * s, cy - 6 * s), colour::cream);
    fill(img, polygon({{cx + 3 * s, cy - 38 * s}, {cx + 30 * s, cy - 14 * s}, {cx + 3 * s, cy - 14 * s}}),
         colour::parchment);
}

void vignette(Image& img, float strength) {
    float cx = img.width() / 2.0f, cy = img.height() / 2.0f;
    float reach = std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / reach;
            img.blend(x, y, rgb(0, 0, 0, strength * d * d));
        }
}

}  // namespace ik::art
