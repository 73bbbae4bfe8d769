#include "audio/Mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "FakeAudio.h"

namespace ik {
namespace {

using test::FakeAudioDevice;

// Samples stored as the device plays them: 16-bit stereo at its rate.
std::shared_ptr<const DeviceSamples> stereo(const std::vector<int16_t>& frames) {
    std::vector<uint8_t> stored;
    for (int16_t sample : frames) {
        stored.push_back(static_cast<uint8_t>(sample));
        stored.push_back(static_cast<uint8_t>(static_cast<uint16_t>(sample) >> 8));
    }
    return std::make_shared<const DeviceSamples>(PcmFormat{kDeviceChannels, kDeviceRate, 16}, std::move(stored));
}

class MixerTest : public ::testing::Test {
protected:
    MixerTest() : device([this](int16_t* out, int count) { mixer.mix(out, count); }, nullptr) {
        device.pause(false);
        mixer.attach(&device);
    }
    Mixer mixer;
    FakeAudioDevice device;
};

TEST_F(MixerTest, VoicesAreSummedExactlyUpToTheKneeAndLimitedBelowTheRailBeyondIt) {
    struct Case {
        int16_t aLeft, aRight, bLeft, bRight;
    };
    const Case cases[] = {
        {1000, -5, 2000, 7},
        {30000, -30000, 10000, -10000},
        {32767, 32767, -32768, 32767},
        {-32768, 100, -32768, -100},
        {Mixer::kKnee, -Mixer::kKnee, 0, 0},
        {Mixer::kKnee, -Mixer::kKnee, 1, -1},
        {20000, -20000, 20000, -20000},
    };
    for (const auto& c : cases) {
        MixerVoice first(mixer, stereo({c.aLeft, c.aRight}));
        MixerVoice second(mixer, stereo({c.bLeft, c.bRight}));
        first.start(false);
        second.start(false);
        const std::vector<int16_t> out = device.pull(1);
        const int32_t sums[2] = {c.aLeft + c.bLeft, c.aRight + c.bRight};
        for (int ch = 0; ch < 2; ++ch) {
            SCOPED_TRACE(std::to_string(sums[ch]));
            const int32_t size = std::abs(sums[ch]);
            if (size <= Mixer::kKnee) {
                EXPECT_EQ(out[ch], sums[ch]);
                continue;
            }
            // Same sign, no louder than the sum, above the knee, short of the rail.
            EXPECT_EQ(out[ch] < 0, sums[ch] < 0);
            EXPECT_GE(std::abs(out[ch]), Mixer::kKnee);
            EXPECT_LE(std::abs(out[ch]), std::min(size, Mixer::kCeiling));
        }
    }
}

TEST_F(MixerTest, TheLimiterRisesSmoothlyAndNeverReachesTheRail) {
    // The curve leaves the straight line with its slope and flattens out:
    // each step up in the sum moves the output up by at most that step.
    int32_t previousSum = Mixer::kKnee;
    int previous = Mixer::limit(previousSum);
    EXPECT_EQ(previous, Mixer::kKnee);
    for (int32_t sum = Mixer::kKnee + 1; sum <= 40 * 32768; sum += 1 + sum / 4096) {
        const int out = Mixer::limit(sum);
        ASSERT_GE(out, previous) << sum;
        ASSERT_LE(out - previous, sum - previousSum) << sum;
        ASSERT_LT(out, 32767) << sum;
        ASSERT_EQ(Mixer::limit(-sum), -out) << sum;
        previousSum = sum;
        previous = out;
    }
    EXPECT_EQ(Mixer::limit(Mixer::kKnee + 1), Mixer::kKnee + 1) << "no kink at the knee";
}

TEST_F(MixerTest, AVoiceThatEndsIsFollowedBySilenceAndStopsPlaying) {
    MixerVoice voice(mixer, stereo({1, -1, 2, -2, 3, -3}));
    voice.start(false);
    EXPECT_EQ(device.pull(5), (std::vector<int16_t>{1, -1, 2, -2, 3, -3, 0, 0, 0, 0}));
    EXPECT_FALSE(voice.playing());
    EXPECT_EQ(mixer.activeVoices(), 0u);
}

TEST_F(MixerTest, ALoopingVoiceWrapsAcrossBuffersUntilStopped) {
    MixerVoice voice(mixer, stereo({1, 1, 2, 2, 3, 3}));
    voice.start(true);
    EXPECT_EQ(device.pull(4), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 1, 1}));
    EXPECT_EQ(device.pull(4), (std::vector<int16_t>{2, 2, 3, 3, 1, 1, 2, 2}));
    EXPECT_TRUE(voice.playing());
    voice.stop();
    EXPECT_FALSE(voice.playing());
    EXPECT_EQ(device.pull(2), (std::vector<int16_t>(4, 0)));
}

TEST_F(MixerTest, StartingAgainRewindsToTheFirstFrame) {
    MixerVoice voice(mixer, stereo({5, 5, 6, 6, 7, 7}));
    voice.start(false);
    device.pull(2);
    voice.start(false);
    EXPECT_EQ(device.pull(3), (std::vector<int16_t>{5, 5, 6, 6, 7, 7}));
    EXPECT_EQ(mixer.activeVoices(), 0u);
}

TEST_F(MixerTest, AVoiceWithoutFramesNeverPlays) {
    MixerVoice voice(mixer, stereo({}));
    voice.start(true);
    EXPECT_FALSE(voice.playing());
    EXPECT_EQ(device.pull(2), (std::vector<int16_t>(4, 0)));
}

TEST_F(MixerTest, AVoiceDestroyedWhilePlayingIsNoLongerMixed) {
    auto voice = std::make_unique<MixerVoice>(mixer, stereo({9, 9, 9, 9}));
    voice->start(true);
    voice.reset();
    EXPECT_EQ(mixer.activeVoices(), 0u);
    EXPECT_EQ(device.pull(2), (std::vector<int16_t>(4, 0)));
}

TEST_F(MixerTest, StopAllSilencesEveryVoice) {
    MixerVoice a(mixer, stereo({1, 1}));
    MixerVoice b(mixer, stereo({2, 2}));
    a.start(true);
    b.start(true);
    mixer.stopAll();
    EXPECT_FALSE(a.playing());
    EXPECT_FALSE(b.playing());
    EXPECT_EQ(device.pull(1), (std::vector<int16_t>{0, 0}));
}

TEST_F(MixerTest, EveryChangeFromTheGameTakesTheDeviceLock) {
    MixerVoice voice(mixer, stereo({1, 1}));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"start", [&] { voice.start(false); }},
        {"stop", [&] { voice.stop(); }},
        {"playing", [&] { (void)voice.playing(); }},
        {"stopAll", [&] { mixer.stopAll(); }},
    };
    for (const auto& [name, change] : changes) {
        int before = device.locks_;
        change();
        EXPECT_EQ(device.locks_, before + 1) << name;
        EXPECT_EQ(device.lockDepth_, 0) << name;
    }
}

}  // namespace
}  // namespace ik
