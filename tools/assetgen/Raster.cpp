#include "tools/assetgen/Raster.h"

#include <algorithm>
#include <cmath>

namespace ik::art {

Rgba rgb(int r, int g, int b, float alpha) { return {r / 255.0f, g / 255.0f, b / 255.0f, alpha}; }

Rgba mix(Rgba from, Rgba to, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Rgba shade(Rgba c, float amount) {
    Rgba target = amount > 0 ? Rgba{1, 1, 1, c.a} : Rgba{0, 0, 0, c.a};
    return mix(c, target, std::fabs(amount));
}

Rgba withAlpha(Rgba c, float alpha) { return {c.r, c.g, c.b, alpha}; }

Image::Image(int width, int height, Rgba fillColour)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fillColour) {}

void Image::blend(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (sa <= 0) return;
    Rgba& d = pixels_[index(x, y)];
    float outA = sa + d.a * (1 - sa);
    auto channel = [&](float s, float dc) { return (s * sa + dc * d.a * (1 - sa)) / outA; };
    d = {channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), outA};
}

namespace {

float length(float x, float y) { return std::sqrt(x * x + y * y); }

Box grow(Box b, float by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }

Box boxUnion(Box a, Box b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

}  // namespace

Shape circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return length(x - cx, y - cy) - r; }, {cx - r, cy - r, cx + r, cy + r}};
}

Shape ellipse(float cx, float cy, float rx, float ry) {
    return {[=](float x, float y) {
                float k = length((x - cx) / rx, (y - cy) / ry);
                return (k - 1) * std::min(rx, ry);
            },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape rect(float x0, float y0, float x1, float y1, float radius) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return {[=](float x, float y) {
                float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
                return length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
            },
            {x0, y0, x1, y1}};
}

Shape segment(float ax, float ay, float bx, float by, float halfWidth) {
    return {[=](float x, float y) {
                float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
                float len2 = dx * dx + dy * dy;
                float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
                return length(px - dx * t, py - dy * t) - halfWidth;
            },
            grow({std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)}, halfWidth)};
}

Shape polygon(std::vector<std::pair<float, float>> points) {
    Box box{points[0].first, points[0].second, points[0].first, points[0].second};
    for (auto [px, py] : points) box = boxUnion(box, {px, py, px, py});
    return {[pts = std::move(points)](float x, float y) {
                float d = 1e30f;
                float sign = 1;
                for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                    float ex = pts[j].first - pts[i].first, ey = pts[j].second - pts[i].second;
                    float wx = x - pts[i].first, wy = y - pts[i].second;
                    float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
                    d = std::min(d, length(wx - ex * t, wy - ey * t));
                    bool c1 = y >= pts[i].second, c2 = y<pts[j].second, c3 = ex * wy> ey * wx;
                    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
                }
                return sign * d;
            },
            box};
}

Shape unite(const Shape& a, const Shape& b) {
    return {[=](float x, float y) { return std::min(a.distance(x, y), b.distance(x, y)); },
            boxUnion(a.bounds, b.bounds)};
}

Shape subtract(const Shape& a, const Shape& b) {
    return {[=](float x, float y) { return std::max(a.distance(x, y), -b.distance(x, y)); }, a.bounds};
}

Shape intersect(const Shape& a, const Shape& b) {
    return {[=](float x, float y) { return std::max(a.distance(x, y), b.distance(x, y)); }, a.bounds};
}

Shape offset(const Shape& s, float dx, float dy) {
    return {[=](float x, float y) { return s.distance(x - dx, y - dy); },
            {s.bounds.x0 + dx, s.bounds.y0 + dy, s.bounds.x1 + dx, s.bounds.y1 + dy}};
}

Shape ring(const Shape& s, float width) {
    return {[=](float x, float y) { return std::fabs(s.distance(x, y)) - width / 2; }, grow(s.bounds, width)};
}

Shape expand(const Shape& s, float by) {
    return {[=](float x, float y) { return s.distance(x, y) - by; }, grow(s.bounds, by)};
}

Paint solid(Rgba c) {
    return [=](float, float) { return c; };
}

Paint linear(float x0, float y0, Rgba c0, float x1, float y1, Rgba c1) {
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](float x, float y) { return mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / len2); };
}

Paint radial(float cx, float cy, float r, Rgba inner, Rgba outer) {
    return [=](float x, float y) { return mix(inner, outer, length(x - cx, y - cy) / r); };
}

Paint bevel(const Shape& s, Paint base, float width, float strength) {
    return [=](float x, float y) {
        Rgba c = base(x, y);
        float d = s.distance(x, y);
        if (-d > width) return c;
        constexpr float h = 0.5f;
        float nx = s.distance(x + h, y) - s.distance(x - h, y);
        float ny = s.distance(x, y + h) - s.distance(x, y - h);
        float n = length(nx, ny);
        if (n <= 0) return c;
        float facing = (nx * kLightX + ny * kLightY) / n;
        float edge = 1 - std::clamp(-d / width, 0.0f, 1.0f);
        return shade(c, facing * strength * edge);
    };
}

Paint dome(float cx, float cy, float r, Rgba base, float strength) {
    return [=](float x, float y) {
        float hx = cx + kLightX * r * 0.45f, hy = cy + kLightY * r * 0.45f;
        float toLight = length(x - hx, y - hy) / (r * 1.45f);
        return shade(base, strength * (0.55f - toLight) * 1.6f);
    };
}

void fill(Image& img, const Shape& s, const Paint& p) {
    int x0 = std::max(0, static_cast<int>(std::floor(s.bounds.x0)) - 1);
    int y0 = std::max(0, static_cast<int>(std::floor(s.bounds.y0)) - 1);
    int x1 = std::min(img.width(), static_cast<int>(std::ceil(s.bounds.x1)) + 1);
    int y1 = std::min(img.height(), static_cast<int>(std::ceil(s.bounds.y1)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float coverage = std::clamp(0.5f - s.distance(cx, cy), 0.0f, 1.0f);
            if (coverage > 0) img.blend(x, y, p(cx, cy), coverage);
        }
    }
}

void fill(Image& img, const Shape& s, Rgba c) { fill(img, s, solid(c)); }

void fillAll(Image& img, const Paint& p) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.blend(x, y, p(x + 0.5f, y + 0.5f));
}

void dropShadow(Image& img, const Shape& s, float distance, float alpha) {
    Shape soft{[=](float x, float y) { return (s.distance(x - distance, y - distance) - 1.5f) / 2.5f; },
               grow(s.bounds, distance + 4)};
    fill(img, soft, rgb(0, 0, 0, alpha));
}

void paste(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx) dst.blend(x + sx, y + sy, src.at(sx, sy));
}

}  // namespace ik::art
