// The PlayWave rules, heard at the device: which copies play, from where.
#include <gtest/gtest.h>

#include "SoundFixture.h"

namespace ik {
namespace {

using test::rampSound;
using test::SoundFixture;
using test::SoundSpec;

class PlayWaveTest : public ::testing::Test, public SoundFixture {};

TEST_F(PlayWaveTest, TheSoundStartsInTheDevicesNextBuffer) {
    auto& ramp = add(rampSound("ramp", 100));
    sound.Initialize();
    ASSERT_NE(platform.device, nullptr);
    EXPECT_EQ(platform.lastFormat.rate, 44100);
    EXPECT_EQ(platform.lastFormat.channels, 2);
    EXPECT_LE(platform.lastFormat.bufferFrames, 1024);
    play(7);
    ramp.PlayWave(false);
    EXPECT_EQ(play(3), (std::vector<int>{1, 2, 3}));
}

// 1 MB of 8-bit mono at 100 Hz lasts 2.8 hours at the device rate: 1.7 GB
// converted in advance. It plays from its stored samples instead.
TEST_F(PlayWaveTest, ALongSlowSoundPlaysFromItsStoredSamples) {
    std::vector<uint8_t> data(1'000'000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(128 + (i % 3) * 10);
    auto& hum = add({"hum", test::formatRecord({1, 1, 100, 8}), data});
    sound.Initialize();
    ASSERT_TRUE(soundOf(hum)->HasMasterBuffer());
    hum.PlayWave(false);
    // Source frames 0, 1, 2 hold 0, 2560, 5120; device frame 441 is frame 1.
    const std::vector<int> heard = play(883);
    EXPECT_EQ(heard[0], 0);
    EXPECT_EQ(heard[441], 2560);
    EXPECT_EQ(heard[882], 5120);
    EXPECT_EQ(heard[220], 2560 * 220 / 441);
}

TEST_F(PlayWaveTest, TwoRequestsOverlap) {
    auto& ramp = add(rampSound("ramp", 100));
    sound.Initialize();
    ramp.PlayWave(false);
    play(10);
    ramp.PlayWave(false);
    // The first copy is at frame 11, the second at frame 1.
    EXPECT_EQ(play(2), (std::vector<int>{11 + 1, 12 + 2}));
    EXPECT_EQ(soundOf(ramp)->PlayBufferCount(), 2u);
}

TEST_F(PlayWaveTest, AtTheLimitTheFirstCopyInTheListIsRestartedAndMovedToTheEnd) {
    auto& ramp = add(rampSound("ramp", 1000, 2));
    sound.Initialize();
    ramp.PlayWave(false);  // copy A
    play(10);
    ramp.PlayWave(false);  // copy B; list A, B
    play(10);              // A at 20, B at 10
    ramp.PlayWave(false);  // A restarts; list B, A
    EXPECT_EQ(play(1), (std::vector<int>{1 + 11}));
    play(4);               // A at 5, B at 15
    ramp.PlayWave(false);  // B restarts although A started later; list A, B
    EXPECT_EQ(play(1), (std::vector<int>{6 + 1}));
    EXPECT_EQ(soundOf(ramp)->PlayBufferCount(), 2u);
}

TEST_F(PlayWaveTest, AFinishedCopyIsReusedAndKeepsItsPlaceInTheList) {
    auto& ramp = add(rampSound("ramp", 30, 2));
    sound.Initialize();
    ramp.PlayWave(false);  // copy A
    play(20);
    ramp.PlayWave(false);  // copy B; list A, B
    play(15);              // A has ended, B at 15
    ramp.PlayWave(false);  // A again, still first in the list
    EXPECT_EQ(play(1), (std::vector<int>{1 + 16}));
    EXPECT_EQ(soundOf(ramp)->PlayBufferCount(), 2u);
    ramp.PlayWave(false);                            // limit reached: A, the first, is cut off, not B
    EXPECT_EQ(play(1), (std::vector<int>{1 + 17}));  // B cut off instead would give 2 + 1
}

TEST_F(PlayWaveTest, WithoutALimitFinishedCopiesAreReusedInsteadOfGrowingTheList) {
    auto& ramp = add(rampSound("ramp", 5));
    sound.Initialize();
    for (int round = 0; round < 4; ++round) {
        ramp.PlayWave(false);
        EXPECT_EQ(play(6), (std::vector<int>{1, 2, 3, 4, 5, 0}));
    }
    EXPECT_EQ(soundOf(ramp)->PlayBufferCount(), 1u);
}

TEST_F(PlayWaveTest, ChangingTheLimitReleasesThePlayBuffers) {
    auto& ramp = add(rampSound("ramp", 100));
    sound.Initialize();
    ramp.PlayWave(false);
    ramp.PlayWave(false);
    ASSERT_EQ(soundOf(ramp)->PlayBufferCount(), 2u);
    ramp.SetMaxPlayingCount(1);
    EXPECT_EQ(soundOf(ramp)->PlayBufferCount(), 0u);
    EXPECT_EQ(play(1), (std::vector<int>{0}));
    ramp.PlayWave(false);
    EXPECT_EQ(play(1), (std::vector<int>{1}));
}

TEST_F(PlayWaveTest, ALoopedSoundRepeatsOnOneBufferUntilStopped) {
    SoundSpec recipe = rampSound("loop", 3);
    recipe.looped = true;
    auto& loop = add(recipe);
    sound.Initialize();
    loop.PlayWave(false);
    EXPECT_EQ(play(7), (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
    loop.PlayWave(false);  // restarts the same buffer, no second copy
    EXPECT_EQ(play(4), (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(soundOf(loop)->PlayBufferCount(), 0u);
    loop.Stop();
    EXPECT_EQ(play(2), (std::vector<int>{0, 0}));
}

TEST_F(PlayWaveTest, StopSilencesEveryCopy) {
    auto& ramp = add(rampSound("ramp", 100));
    sound.Initialize();
    ramp.PlayWave(false);
    ramp.PlayWave(false);
    ramp.Stop();
    EXPECT_EQ(play(2), (std::vector<int>{0, 0}));
}

TEST_F(PlayWaveTest, TurningLoopingOffStopsTheRunningLoop) {
    SoundSpec recipe = rampSound("loop", 3);
    recipe.looped = true;
    auto& loop = add(recipe);
    sound.Initialize();
    loop.PlayWave(false);
    play(2);
    loop.SetLooped(false);
    EXPECT_EQ(play(2), (std::vector<int>{0, 0}));
}

TEST_F(PlayWaveTest, SoundsThatCannotBeHeardStaySilentWithoutError) {
    const SoundSpec silent[] = {
        {"no samples", test::formatRecord({}), {}, false, 0},
        {"no samples, looped", test::formatRecord({}), {}, true, 0},
        {"no format", {}, test::samples16({100, 200}), false, 0},
        {"ADPCM", test::formatRecord({2, 1, 22050, 4, 256}), std::vector<uint8_t>(256, 0x33), false, 0},
        {"half a frame", test::formatRecord({}), {0x40}, true, 0},
    };
    for (const auto& recipe : silent) add(recipe);
    sound.Initialize();
    for (const auto& recipe : silent) {
        auto& item = list.Find(recipe.name);
        EXPECT_NO_THROW(item.PlayWave(false)) << recipe.name;
        EXPECT_EQ(play(4), (std::vector<int>(4, 0))) << recipe.name;
        if (auto* made = soundOf(item)) {
            EXPECT_FALSE(made->HasMasterBuffer()) << recipe.name;
            EXPECT_EQ(made->PlayBufferCount(), 0u) << recipe.name;
        }
    }
}

TEST_F(PlayWaveTest, SoundsOfDifferentFormatsMixTogether) {
    // 8-bit mono at 22050: every stored frame is heard twice.
    add({"low", test::formatRecord({1, 1, 22050, 8}), {128 + 1, 128 + 2}, false, 0});
    auto& ramp = add(rampSound("ramp", 10));
    sound.Initialize();
    list.Find("low").PlayWave(false);
    ramp.PlayWave(false);
    EXPECT_EQ(play(5), (std::vector<int>{256 + 1, 384 + 2, 512 + 3, 512 + 4, 5}));
}

TEST_F(PlayWaveTest, WaitReturnsOnceTheCopyHasStopped) {
    auto& ramp = add(rampSound("ramp", 4410));  // 100 ms
    sound.Initialize();
    ramp.PlayWave(true);
    EXPECT_GE(platform.now, 100u);
    EXPECT_LE(platform.now, 110u);
    EXPECT_EQ(play(1), (std::vector<int>{0}));
}

TEST_F(PlayWaveTest, WaitOnADeviceThatStallsGivesUp) {
    auto& ramp = add(rampSound("ramp", 4410));
    sound.Initialize();
    platform.device->pause(true);
    ramp.PlayWave(true);
    EXPECT_GE(platform.now, 1100u);
    EXPECT_LE(platform.now, 1110u);
}

TEST_F(PlayWaveTest, EveryRequestIsCountedByName) {
    auto& ramp = add(rampSound("ramp", 10, 1));
    SoundSpec loopSpec = rampSound("loop", 10);
    loopSpec.looped = true;
    auto& loop = add(loopSpec);
    add({"ADPCM", test::formatRecord({2, 1, 22050, 4, 256}), std::vector<uint8_t>(256, 0), false, 0});
    sound.Initialize();
    for (int i = 0; i < 3; ++i) ramp.PlayWave(false);
    loop.PlayWave(false);
    list.Find("ADPCM").PlayWave(false);
    list.Find("ADPCM").PlayWave(false);
    EXPECT_EQ(playCount("ramp"), 3);
    EXPECT_EQ(playCount("loop"), 1);
    EXPECT_EQ(playCount("ADPCM"), 2);
    EXPECT_EQ(playCount("never played"), 0);
}

}  // namespace
}  // namespace ik
