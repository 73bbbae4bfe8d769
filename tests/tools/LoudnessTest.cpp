// The loudness meter that levels the effects and judges the music, against
// the reference cases of the EBU's loudness meter test (Tech 3341): a 1 kHz
// tone reads its level, and quiet passages fall below the relative gate.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/assetgen/Loudness.h"

namespace ik::test {
namespace {

constexpr int kRate = 48000;
constexpr double kPi = 3.14159265358979323846;

// `seconds` of a 1 kHz tone at `dbfs` (peak) appended to `out`, on `channels` channels.
void tone(std::vector<float>& out, double dbfs, double seconds, int channels) {
    const double amplitude = std::pow(10.0, dbfs / 20);
    const size_t frames = static_cast<size_t>(seconds * kRate);
    for (size_t i = 0; i < frames; ++i) {
        float v = static_cast<float>(amplitude * std::sin(2 * kPi * 1000 * i / kRate));
        for (int ch = 0; ch < channels; ++ch) out.push_back(v);
    }
}

TEST(Loudness, ReadsTheReferenceTonesAndGatesQuietPassages) {
    struct Case {
        const char* what;
        std::vector<std::pair<double, double>> parts;  // dBFS, seconds
        int channels;
        double lufs;
    };
    const Case cases[] = {
        {"a tone at -23 dBFS on both speakers", {{-23, 20}}, 2, -23},
        {"a tone at -33 dBFS on both speakers", {{-33, 20}}, 2, -33},
        {"a mono tone, heard on both speakers", {{-23, 20}}, 1, -23},
        {"-36, -23, -36: the quiet ends fall under the relative gate", {{-36, 10}, {-23, 60}, {-36, 10}}, 2, -23},
        {"-72, -26, -20, -26, -72: below -70 counts for nothing",
         {{-72, 10}, {-26, 10}, {-20, 10}, {-26, 10}, {-72, 10}},
         2,
         -23},
        {"a blip shorter than a block", {{-23, 0.05}}, 2, -23},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<float> audio;
        for (auto [dbfs, seconds] : c.parts) tone(audio, dbfs, seconds, c.channels);
        EXPECT_NEAR(audio_measure::integratedLoudness(audio, c.channels, kRate), c.lufs, 0.1);
    }
    EXPECT_TRUE(std::isinf(audio_measure::integratedLoudness(std::vector<float>(2 * kRate, 0.0f), 2, kRate)));
}

TEST(Loudness, FiguresTellPeakOffsetAndStereo) {
    std::vector<float> sameSides, opposite, offset;
    tone(sameSides, -6, 1, 2);
    for (size_t i = 0; i < sameSides.size(); i += 2) {
        opposite.push_back(sameSides[i]);
        opposite.push_back(-sameSides[i]);
        offset.push_back(sameSides[i] + 0.1f);
        offset.push_back(sameSides[i] * 0.5f - 0.05f);
    }
    auto same = audio_measure::measure(sameSides, 2, kRate);
    EXPECT_NEAR(same.peakDb, -6, 0.01);
    EXPECT_NEAR(same.correlation, 1, 1e-6);
    EXPECT_NEAR(same.dc[0], 0, 1e-4);
    EXPECT_NEAR(audio_measure::measure(opposite, 2, kRate).correlation, -1, 1e-6);
    auto shifted = audio_measure::measure(offset, 2, kRate);
    EXPECT_NEAR(shifted.dc[0], 0.1, 1e-4);
    EXPECT_NEAR(shifted.dc[1], -0.05, 1e-4);
    EXPECT_NEAR(shifted.correlation, 1, 1e-6) << "the offset is not part of the likeness";
}

}  // namespace
}  // namespace ik::test
