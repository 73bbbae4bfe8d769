#include "audio/SoundFormat.h"

#include <gtest/gtest.h>

#include "WaveBytes.h"

namespace ik {
namespace {

using test::FormatFields;
using test::formatRecord;
using test::samples16;

struct FormatCase {
    const char* what;
    std::vector<uint8_t> record;
    bool playable;
};

TEST(ReadPcmFormat, AcceptsOnlyWhatTheDeviceCanPlay) {
    std::vector<uint8_t> shortRecord = formatRecord({});
    shortRecord.resize(14);
    const FormatCase cases[] = {
        {"16-bit mono", formatRecord({}), true},
        {"8-bit stereo 22050 with the extra-size word", formatRecord({1, 2, 22050, 8}, true), true},
        {"lowest rate", formatRecord({1, 1, 100, 8}), true},
        {"highest rate", formatRecord({1, 2, 100000, 16}), true},
        {"ADPCM", formatRecord({2, 1, 22050, 4, 256}), false},
        {"IEEE float", formatRecord({3, 1, 44100, 32}), false},
        {"three channels", formatRecord({1, 3, 44100, 16}), false},
        {"no channel", formatRecord({1, 0, 44100, 16}), false},
        {"24-bit", formatRecord({1, 2, 44100, 24}), false},
        {"rate below 100", formatRecord({1, 1, 99, 8}), false},
        {"rate above 100000", formatRecord({1, 1, 100001, 8}), false},
        {"block alignment not matching", formatRecord({1, 2, 44100, 16, 2}), false},
        {"record shorter than 16 bytes", shortRecord, false},
        {"no record at all", {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readPcmFormat(c.record).has_value(), c.playable) << c.what;
    }
}

TEST(ReadPcmFormat, ReadsTheFields) {
    auto format = readPcmFormat(formatRecord({1, 2, 22050, 8}));
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ(format->channels, 2);
    EXPECT_EQ(format->rate, 22050);
    EXPECT_EQ(format->bits, 8);
}

TEST(DeviceFrameCount, RoundsUpSoTheLastFrameIsKept) {
    struct Case {
        size_t frames;
        int rate;
        size_t expected;
    };
    const Case cases[] = {
        {22050, 22050, 44100}, {1, 22050, 2}, {1, 11025, 4},       {3, 8000, 17}, {480, 48000, 441},
        {1, 48000, 1},         {0, 8000, 0},  {1000, 44100, 1000}, {7, 44099, 8},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(deviceFrameCount(c.frames, c.rate), c.expected) << c.frames << " at " << c.rate;
    }
}

// Device frames first .. first + count - 1, as the mixer adds them to silence.
std::vector<int16_t> deviceFrames(const DeviceSamples& samples, size_t first, size_t count) {
    std::vector<int32_t> sums(count * 2);
    samples.AddTo(first, count, sums.data());
    return {sums.begin(), sums.end()};
}

// Left and right channel of every output frame.
std::vector<std::pair<int, int>> frames(const std::vector<int16_t>& interleaved) {
    std::vector<std::pair<int, int>> out;
    for (size_t i = 0; i + 1 < interleaved.size(); i += 2) out.emplace_back(interleaved[i], interleaved[i + 1]);
    return out;
}

std::vector<std::pair<int, int>> both(std::initializer_list<int> values) {
    std::vector<std::pair<int, int>> out;
    for (int v : values) out.emplace_back(v, v);
    return out;
}

TEST(DeviceSamples, EightBitMono22050IsDoubledWithMidpointsAndKeepsItsTail) {
    PcmFormat format{1, 22050, 8};
    const std::vector<uint8_t> stored = {0, 128, 255};
    EXPECT_EQ(frames(convertToDeviceFormat(format, stored)), both({-32768, -16384, 0, 16256, 32512, 32512}));
}

TEST(DeviceSamples, SixteenBitStereo44100IsCopiedAsStored) {
    PcmFormat format{2, 44100, 16};
    auto converted = convertToDeviceFormat(format, samples16({100, -100, 200, -200, 32767, -32768}));
    EXPECT_EQ(converted, (std::vector<int16_t>{100, -100, 200, -200, 32767, -32768}));
}

TEST(DeviceSamples, OddRateInterpolatesAndEndsOnTheLastSourceFrame) {
    PcmFormat format{1, 8000, 16};
    auto out = frames(convertToDeviceFormat(format, samples16({0, 8000, -8000})));
    ASSERT_EQ(out.size(), 17u);
    // Frame 5 lies at 40000/44100 of the way from 0 to 8000; frame 6 at
    // 3900/44100 of the way from 8000 to -8000 (truncated toward zero).
    EXPECT_EQ(out[0], std::make_pair(0, 0));
    EXPECT_EQ(out[5], std::make_pair(7256, 7256));
    EXPECT_EQ(out[6], std::make_pair(6586, 6586));
    EXPECT_EQ(out[16], std::make_pair(-8000, -8000));
}

TEST(DeviceSamples, StereoChannelsStaySeparateWhenResampled) {
    PcmFormat format{2, 22050, 16};
    auto out = frames(convertToDeviceFormat(format, samples16({1000, -1000, 3000, -3000})));
    EXPECT_EQ(out, (std::vector<std::pair<int, int>>{{1000, -1000}, {2000, -2000}, {3000, -3000}, {3000, -3000}}));
}

TEST(DeviceSamples, LengthIsExactForWholeSoundsAtCommonRates) {
    // Played faster than the device rate, the last output frame lies between
    // the last two source frames instead of on the last one.
    struct Case {
        PcmFormat format;
        size_t sourceFrames;
        size_t deviceFrames;
        bool endsOnLastFrame;
    };
    const Case cases[] = {
        {{1, 22050, 8}, 22050, 44100, true}, {{2, 11025, 8}, 1103, 4412, true}, {{2, 44100, 16}, 4410, 4410, true},
        {{1, 8000, 16}, 8001, 44106, true},  {{1, 48000, 16}, 480, 441, false},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> stored(c.sourceFrames * static_cast<size_t>(c.format.frameBytes()), 0x40);
        // A loud last frame: the tail must reach the output.
        for (size_t i = stored.size() - static_cast<size_t>(c.format.frameBytes()); i < stored.size(); ++i)
            stored[i] = 0x7F;
        auto out = convertToDeviceFormat(c.format, stored);
        ASSERT_EQ(out.size(), c.deviceFrames * 2) << c.format.rate;
        if (!c.endsOnLastFrame) continue;
        const int loud = c.format.bits == 8 ? (0x7F - 128) * 256 : 0x7F7F;
        EXPECT_EQ(out[out.size() - 1], loud) << c.format.rate;
        EXPECT_EQ(out[out.size() - 2], loud) << c.format.rate;
    }
}

TEST(DeviceSamples, PartialFrameAtTheEndIsIgnored) {
    const std::vector<uint8_t> fiveBytes = {1, 0, 2, 0, 9};
    EXPECT_EQ(convertToDeviceFormat({2, 44100, 16}, fiveBytes), (std::vector<int16_t>{1, 2}));
    EXPECT_TRUE(convertToDeviceFormat({2, 44100, 16}, std::vector<uint8_t>{7, 7, 7}).empty());
    EXPECT_TRUE(convertToDeviceFormat({1, 22050, 8}, std::vector<uint8_t>{}).empty());
}

// The mixer asks for a buffer's worth at a time, from wherever the voice is.
TEST(DeviceSamples, AnyRunOfFramesIsWhatTheWholeSoundHasThere) {
    struct Case {
        PcmFormat format;
        size_t first, count;
    };
    const Case cases[] = {
        {{1, 8000, 16}, 5, 7},  {{2, 22050, 8}, 1, 6}, {{1, 11025, 8}, 13, 1},
        {{2, 48000, 16}, 3, 7}, {{1, 100, 8}, 440, 3}, {{2, 100000, 16}, 1, 4},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> stored(10 * static_cast<size_t>(c.format.frameBytes()));
        for (size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(i * 77 + 5);
        const std::vector<int16_t> whole = convertToDeviceFormat(c.format, stored);
        ASSERT_LE((c.first + c.count) * 2, whole.size()) << c.format.rate;
        EXPECT_EQ(deviceFrames(DeviceSamples(c.format, stored), c.first, c.count),
                  std::vector<int16_t>(whole.begin() + static_cast<long>(c.first * 2),
                                       whole.begin() + static_cast<long>((c.first + c.count) * 2)))
            << c.format.rate << " Hz from frame " << c.first;
    }
}

// A 100 KB sound of 8-bit mono at 100 Hz lasts 441 s at the device rate; held
// converted it would take 176 MB.
TEST(DeviceSamples, ALongSlowSoundIsConvertedWhereItIsPlayed) {
    std::vector<uint8_t> stored(100'000);
    for (size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(i * 37);
    const DeviceSamples samples({1, 100, 8}, stored);
    ASSERT_EQ(samples.frameCount(), 44'100'000u);
    // Device frame 441 * k + 220 lies 22000/44100 of the way from source
    // frame k to k + 1.
    const size_t k = 77'777;
    const int a = (stored[k] - 128) * 256, b = (stored[k + 1] - 128) * 256;
    const auto between = static_cast<int16_t>(a + (b - a) * 22000 / 44100);
    EXPECT_EQ(deviceFrames(samples, 441 * k + 220, 1), (std::vector<int16_t>{between, between}));
    const auto last = static_cast<int16_t>((stored.back() - 128) * 256);
    EXPECT_EQ(deviceFrames(samples, samples.frameCount() - 1, 1), (std::vector<int16_t>{last, last}));
}

}  // namespace
}  // namespace ik
