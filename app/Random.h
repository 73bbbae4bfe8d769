// The program's one random generator. A seed replays a game exactly, so every
// random draw of the episodes goes through here, in the order the rules give.
#pragma once

#include <cstdint>

namespace ik {

class RandomGenerator {
public:
    explicit RandomGenerator(uint32_t seed = 0) : seed_(seed) {}
    void setSeed(uint32_t seed) { seed_ = seed; }
    uint32_t seed() const { return seed_; }

    // An integer 0..n-1: the seed steps as a linear congruential generator and
    // the result is the upper half of the 64-bit product seed x n.
    int32_t operator()(int32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<int32_t>((static_cast<uint64_t>(seed_) * static_cast<uint32_t>(n)) >> 32);
    }

    // The start-up seed from the time of day: milliseconds since midnight.
    static uint32_t seedFromTimeOfDay(uint32_t hour, uint32_t minute, uint32_t second, uint32_t ms) {
        return ((hour * 60 + minute) * 60 + second) * 1000 + ms;
    }

private:
    uint32_t seed_;
};

// Real to integer: to the nearest, halves to even.
int32_t Round(double value);

}  // namespace ik
