// A small floating-point raster: straight-alpha RGBA pixels, shapes given as
// signed distance functions, paints as functions of the pixel centre.
#pragma once

#include <functional>
#include <vector>

namespace ik::art {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

Rgba rgb(int r, int g, int b, float alpha = 1.0f);
Rgba mix(Rgba from, Rgba to, float t);
// amount > 0 moves toward white, amount < 0 toward black.
Rgba shade(Rgba c, float amount);
Rgba withAlpha(Rgba c, float alpha);

struct Box {
    float x0, y0, x1, y1;
};

// Negative inside, positive outside, in pixels.
using Sdf = std::function<float(float x, float y)>;
using Paint = std::function<Rgba(float x, float y)>;

struct Shape {
    Sdf distance;
    Box bounds;
};

class Image {
public:
    Image(int width, int height, Rgba fillColour = {});
    int width() const { return width_; }
    int height() const { return height_; }
    Rgba at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgba c) { pixels_[index(x, y)] = c; }
    // Source-over composition of c with the given coverage.
    void blend(int x, int y, Rgba c, float coverage = 1.0f);

private:
    int index(int x, int y) const { return y * width_ + x; }
    int width_, height_;
    std::vector<Rgba> pixels_;
};

Shape circle(float cx, float cy, float r);
Shape ellipse(float cx, float cy, float rx, float ry);
Shape rect(float x0, float y0, float x1, float y1, float radius = 0);
Shape segment(float ax, float ay, float bx, float by, float halfWidth);
Shape polygon(std::vector<std::pair<float, float>> points);
Shape unite(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);
Shape offset(const Shape& s, float dx, float dy);
Shape ring(const Shape& s, float width);
// Grows the shape by `by` pixels all round (shrinks it when negative).
Shape expand(const Shape& s, float by);

Paint solid(Rgba c);
Paint linear(float x0, float y0, Rgba c0, float x1, float y1, Rgba c1);
Paint radial(float cx, float cy, float r, Rgba inner, Rgba outer);

// The light of every picture comes from the top left.
constexpr float kLightX = -0.6f;
constexpr float kLightY = -0.8f;

// Rim lighting: within `width` of the shape's edge, faces turned toward the
// light brighten and faces turned away darken.
Paint bevel(const Shape& s, Paint base, float width, float strength = 0.35f);
// A round body lit from the top left, for fruit, heads and lamps.
Paint dome(float cx, float cy, float r, Rgba base, float strength = 0.45f);

void fill(Image& img, const Shape& s, const Paint& p);
void fill(Image& img, const Shape& s, Rgba c);
void fillAll(Image& img, const Paint& p);
// Soft dark copy of the shape, down and right of it.
void dropShadow(Image& img, const Shape& s, float distance = 3, float alpha = 0.35f);
// Copies src onto dst with source-over at (x, y).
void paste(Image& dst, const Image& src, int x, int y);

}  // namespace ik::art
