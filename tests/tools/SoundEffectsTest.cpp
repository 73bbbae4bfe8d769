// The sounds as the game loads them: playable PCM, no click at either end,
// each about as long as its event, all at one loudness with room to spare
// below the mixer's limiter, centred, and shaped rather than held flat.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "GeneratedData.h"
#include "assets/WaveCollection.h"
#include "tools/assetgen/Loudness.h"

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
    {"key_ep4", 0.01f, 0.06f},      {"green_ep1", 0.05f, 0.3f},    {"red_ep1", 0.15f, 0.5f},
    {"bonus_ep1", 0.3f, 1.0f},      {"bonus_end_ep1", 0.2f, 0.8f}, {"trest_ep1", 0.3f, 1.0f},
    {"trest_end_ep1", 0.15f, 0.6f}, {"reached_ep2", 0.3f, 1.0f},   {"levelup_ep2", 0.5f, 1.5f},
    {"shot_ep3", 0.08f, 0.4f},      {"fire_ep3", 0.2f, 0.8f},      {"newform_ep4", 0.4f, 1.2f},
    {"miss_ep4", 0.2f, 0.6f},       {"gameover", 1.2f, 2.0f},
};

// The effects' loudness: a few dB under the music as the game plays it at
// its default volume (the music is mastered to -16 LUFS, then played 6 dB lower).
constexpr double kEffectsLufs = -25;

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
        const float rms = std::sqrt(energy / pcm.samples.size());
        const auto figures = audio_measure::measure(pcm.samples, 1, pcm.rate);
        std::printf("%-14s %6.1f LUFS  peak %6.1f dBFS  crest %5.1f dB  dc %+.4f\n", e.name, figures.lufs,
                    figures.peakDb, 20 * std::log10(peak / rms), figures.dc[0]);
        EXPECT_NEAR(figures.lufs, kEffectsLufs, 1.0) << "one loudness for every effect";
        // Well inside the range the mixer passes unchanged.
        EXPECT_LT(peak, 0.5f);
        EXPECT_LT(std::fabs(figures.dc[0]), 0.002);
        // A square held at full level spends half its time at its peak; a
        // shaped sound only touches it now and then.
        const auto nearPeak = std::count_if(pcm.samples.begin(), pcm.samples.end(),
                                            [&](float s) { return std::fabs(s) >= 0.944f * peak; });
        std::printf("%-14s %5.2f %% of the samples within 0.5 dB of the peak\n", e.name,
                    100.0 * nearPeak / pcm.samples.size());
        EXPECT_LT(static_cast<double>(nearPeak) / pcm.samples.size(), 0.1) << "flat-topped";
        // One step of 8-bit quantisation at most: the sound starts and ends at rest.
        EXPECT_LT(std::fabs(pcm.samples.front()), 0.01f);
        EXPECT_LT(std::fabs(pcm.samples.back()), 0.01f);
    }
}

}  // namespace
}  // namespace ik::test
