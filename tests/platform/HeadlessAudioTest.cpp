// The null audio device is pulled by the virtual clock: over any run it has
// been asked for exactly rate x elapsed / 1000 frames, in buffers no longer
// than it asked for, and nothing while paused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/RecordingSink.h"

namespace ik {
namespace {

const std::vector<uint16_t> kFrame(static_cast<size_t>(kDisplayWidth) * kDisplayHeight, 0);

enum class Pass { Present, Idle, Sleep3 };

struct PullCase {
    std::string name;
    int rate;
    int bufferFrames;
    Pass pass;
    int passes;
    uint64_t expectedFrames;
};

class AudioPull : public testing::TestWithParam<PullCase> {};

TEST_P(AudioPull, FramesMatchTheVirtualTimeWithoutDrift) {
    const PullCase& c = GetParam();
    HeadlessPlatform platform;
    uint64_t frames = 0;
    int longest = 0;
    AudioFormat format{c.rate, 2, c.bufferFrames};
    auto device = platform.openAudio(format, [&](int16_t* samples, int count) {
        // Touch every sample the device says it holds.
        std::fill(samples, samples + count * 2, int16_t{1});
        frames += static_cast<uint64_t>(count);
        longest = std::max(longest, count);
    });
    ASSERT_NE(device, nullptr);
    device->pause(false);
    for (int i = 0; i < c.passes; ++i) {
        switch (c.pass) {
            case Pass::Present:
                platform.present(kFrame.data());
                break;
            case Pass::Idle:
                platform.sleep(1);
                break;
            case Pass::Sleep3:
                platform.sleep(3);
                break;
        }
    }
    EXPECT_EQ(frames, c.expectedFrames);
    EXPECT_LE(longest, c.bufferFrames);
}

INSTANTIATE_TEST_SUITE_P(Rates, AudioPull,
                         testing::Values(
                             // 60 frames of 16 or 17 ms make exactly one second.
                             PullCase{"CdRateOneSecondOfFrames", 44100, 512, Pass::Present, 60, 44100},
                             PullCase{"DvdRateOneSecondOfFrames", 48000, 1024, Pass::Present, 60, 48000},
                             // 44.1 frames a millisecond: the tenths add up instead of being lost.
                             PullCase{"CdRateThousandMilliseconds", 44100, 512, Pass::Idle, 1000, 44100},
                             PullCase{"CdRateSevenMilliseconds", 44100, 512, Pass::Idle, 7, 308},
                             PullCase{"LowRateThreeMillisecondSteps", 11025, 256, Pass::Sleep3, 1, 33},
                             PullCase{"LowRateOneMinuteOfMilliseconds", 22050, 512, Pass::Idle, 60000, 1323000}),
                         [](const testing::TestParamInfo<PullCase>& info) { return info.param.name; });

TEST(HeadlessAudio, OpensPausedAndOwesNothingForTheTimePaused) {
    HeadlessPlatform platform;
    uint64_t frames = 0;
    auto device =
        platform.openAudio({44100, 2, 512}, [&](int16_t*, int count) { frames += static_cast<uint64_t>(count); });
    platform.sleep(1000);
    EXPECT_EQ(frames, 0u);
    device->pause(false);
    platform.sleep(10);
    EXPECT_EQ(frames, 441u);
    device->pause(true);
    platform.sleep(500);
    device->pause(false);
    platform.sleep(10);
    EXPECT_EQ(frames, 882u);
}

TEST(HeadlessAudio, CountsFromTheMomentItOpened) {
    HeadlessPlatform platform;
    platform.sleep(7);  // 7 ms: not a whole number of frames at 44100
    uint64_t frames = 0;
    auto device =
        platform.openAudio({44100, 1, 512}, [&](int16_t*, int count) { frames += static_cast<uint64_t>(count); });
    device->pause(false);
    platform.sleep(3);  // 132.3 frames since it opened (counted from 0 it would be 133)
    EXPECT_EQ(frames, 132u);
}

TEST(HeadlessAudio, ClosedDeviceIsNoLongerPulled) {
    HeadlessPlatform platform;
    int calls = 0;
    auto device = platform.openAudio({44100, 2, 512}, [&](int16_t*, int) { ++calls; });
    device->pause(false);
    platform.sleep(20);
    const int callsWhileOpen = calls;
    EXPECT_GT(callsWhileOpen, 0);
    device.reset();
    platform.sleep(20);
    EXPECT_EQ(calls, callsWhileOpen);
}

TEST(HeadlessAudio, BadFormatGivesNoDevice) {
    HeadlessPlatform platform;
    EXPECT_EQ(platform.openAudio({0, 2, 512}, [](int16_t*, int) {}), nullptr);
    EXPECT_EQ(platform.openAudio({44100, 0, 512}, [](int16_t*, int) {}), nullptr);
}

TEST(HeadlessAudio, ClockListenersHearEveryMillisecondThatPasses) {
    HeadlessPlatform platform;
    uint64_t heard = 0;
    platform.addClockListener([&](uint32_t elapsed) { heard += elapsed; });
    test::RecordingSink sink;
    sink.whenIdle = [&] {
        if (sink.idleCount % 3 == 0) platform.present(kFrame.data());
    };
    platform.pump(sink, [&] { return sink.idleCount == 100; });
    platform.sleep(250);
    EXPECT_EQ(heard, platform.virtualMs());
    EXPECT_GT(heard, 250u);
}

}  // namespace
}  // namespace ik
