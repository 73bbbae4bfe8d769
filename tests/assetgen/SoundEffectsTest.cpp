// The sounds as the game loads them: playable PCM, no clipping, no click at
// either end, and each about as long as its event.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "GeneratedData.h"
#include "assets/WaveCollection.h"

namespace ik::test {
namespace {

struct Pcm {
    int rate = 0;
    int bits = 0;
    std::vector<float> samples;
};

Pcm decode(const TWave& wave) {
    const std::vector<uint8_t>& f = wave.Format();
    Pcm pcm;
    if (f.size() < 16) return pcm;
    pcm.rate = f[4] | f[5] << 8 | f[6] << 16 | f[7] << 24;
    pcm.bits = f[14] | f[15] << 8;
    for (int32_t i = 0; i + pcm.bits / 8 <= wave.Size(); i += pcm.bits / 8) {
        const uint8_t* p = wave.Data() + i;
        pcm.samples.push_back(pcm.bits == 8 ? (p[0] - 128) / 128.0f
                                            : static_cast<int16_t>(p[0] | p[1] << 8) / 32768.0f);
    }
    return pcm;
}

struct Expected {
    const char* name;
    float minSeconds, maxSeconds;
};

// A tick for a key, blips for catches, a fanfare and a falling phrase.
const Expected kSounds[] = {
    {"key_ep4", 0.01f, 0.06f},      {"green_ep1", 0.05f, 0.3f},   {"red_ep1", 0.15f, 0.5f},
    {"bonus_ep1", 0.3f, 1.0f},      {"bonus_end_ep1", 0.2f, 0.8f}, {"trest_ep1", 0.3f, 1.0f},
    {"trest_end_ep1", 0.15f, 0.6f}, {"reached_ep2", 0.3f, 1.0f},  {"levelup_ep2", 0.5f, 1.5f},
    {"shot_ep3", 0.08f, 0.4f},      {"fire_ep3", 0.2f, 0.8f},     {"newform_ep4", 0.4f, 1.2f},
    {"miss_ep4", 0.2f, 0.6f},       {"gameover", 1.2f, 2.0f},
};

TEST(SoundEffects, EachSoundIsCleanPcmOfAFittingLength) {
    TWaveCollection waves;
    waves.LoadFromFile(dataFile("waves.dat"));
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.name);
        Pcm pcm = decode(waves.Find(e.name).Wave());
        ASSERT_TRUE(pcm.rate == 22050 || pcm.rate == 44100) << pcm.rate;
        ASSERT_TRUE(pcm.bits == 8 || pcm.bits == 16) << pcm.bits;
        ASSERT_FALSE(pcm.samples.empty());
        float seconds = static_cast<float>(pcm.samples.size()) / pcm.rate;
        EXPECT_GE(seconds, e.minSeconds);
        EXPECT_LE(seconds, e.maxSeconds);
        float peak = 0, energy = 0;
        for (float s : pcm.samples) {
            peak = std::max(peak, std::fabs(s));
            energy += s * s;
        }
        EXPECT_LT(peak, 0.95f) << "clipped";
        EXPECT_GT(std::sqrt(energy / pcm.samples.size()), 0.05f) << "too quiet to hear";
        // One step of 8-bit quantisation at most: the sound starts and ends at rest.
        EXPECT_LT(std::fabs(pcm.samples.front()), 0.01f);
        EXPECT_LT(std::fabs(pcm.samples.back()), 0.01f);
    }
}

}  // namespace
}  // namespace ik::test
