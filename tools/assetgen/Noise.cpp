#include "tools/assetgen/Noise.h"

#include <cmath>

namespace ik::art {

uint32_t SeededRandom::next() {
    // xorshift32: tiny, fast and fully determined by the seed.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) * (1.0f / 16777216.0f);
}

namespace {

float smooth(float t) { return t * t * (3 - 2 * t); }

int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

}  // namespace

float valueNoise(float x, float y, float scale, uint32_t seed, int periodX) {
    float gx = x / scale, gy = y / scale;
    int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
    float fx = smooth(gx - ix), fy = smooth(gy - iy);
    int cells = periodX > 0 ? static_cast<int>(std::lround(periodX / scale)) : 0;
    int x0 = wrap(ix, cells), x1 = wrap(ix + 1, cells);
    float top = latticeValue(x0, iy, seed) * (1 - fx) + latticeValue(x1, iy, seed) * fx;
    float bottom = latticeValue(x0, iy + 1, seed) * (1 - fx) + latticeValue(x1, iy + 1, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

float fractalNoise(float x, float y, float scale, uint32_t seed, int periodX, int octaves) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += valueNoise(x, y, scale, seed + o * 101u, periodX) * amplitude;
        weight += amplitude;
        amplitude *= 0.5f;
        scale /= 2;
    }
    return sum / weight;
}

}  // namespace ik::art
