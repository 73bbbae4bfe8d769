// Seeded randomness for textures and sounds: the same seed gives the same
// picture and the same waveform on every run.
#pragma once

#include <cstdint>

namespace ik::art {

class SeededRandom {
public:
    explicit SeededRandom(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t next();
    // Uniform in [0, 1).
    float unit() { return (next() >> 8) * (1.0f / 16777216.0f); }
    // Uniform in [lo, hi).
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    uint32_t state_;
};

// Hash of a lattice point, in [0, 1).
float latticeValue(int x, int y, uint32_t seed);

// Smooth value noise in [0, 1) with features about `scale` pixels apart.
// With periodX > 0 the noise repeats every periodX pixels across, so strips of
// it tile without a seam (periodX should be a multiple of scale).
float valueNoise(float x, float y, float scale, uint32_t seed, int periodX = 0);

// Several octaves of value noise, in [0, 1).
float fractalNoise(float x, float y, float scale, uint32_t seed, int periodX = 0, int octaves = 3);

}  // namespace ik::art
