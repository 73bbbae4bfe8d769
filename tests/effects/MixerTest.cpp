#include "audio/Mixer.h"

#include <gtest/gtest.h>

#include "tests/effects/FakeAudio.h"

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

TEST_F(MixerTest, VoicesAreSummedAndClampedToSixteenBitsPerChannel) {
    struct Case { int16_t aLeft, aRight, bLeft, bRight, sumLeft, sumRight; };
    const Case cases[] = {
        {1000, -5, 2000, 7, 3000, 2},
        {30000, -30000, 10000, -10000, 32767, -32768},
        {32767, 32767, -32768, 32767, -1, 32767},
        {-32768, 100, -32768, -100, -32768, 0},
    };
    for (const auto& c : cases) {
        MixerVoice first(mixer, stereo({c.aLeft, c.aRight}));
        MixerVoice second(mixer, stereo({c.bLeft, c.bRight}));
        first.start(false);
        second.start(false);
        EXPECT_EQ(device.pull(1), (std::vector<int16_t>{c.sumLeft, c.sumRight}))
            << c.aLeft << "," << c.aRight << " + " << c.bLeft << "," << c.bRight;
    }
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
