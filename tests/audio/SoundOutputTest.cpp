// The sound output's life: what its listeners are told, a device that goes
// away and comes back, and no device at all.
#include <gtest/gtest.h>

#include "SoundFixture.h"

namespace ik {
namespace {

using test::rampSound;
using test::SoundFixture;
using test::SoundSpec;

class SoundOutputTest : public ::testing::Test, public SoundFixture {
protected:
    // `heard` goes before the output does: stop listening first.
    ~SoundOutputTest() override { sound.UnRegisterNotifyEvent(this); }
    void listen(TDXSound& output) {
        output.RegisterNotifyEvent(this, [this](int code) { heard.push_back(code); });
    }
    std::vector<int> take() { return std::exchange(heard, {}); }
    std::vector<int> heard;
};

TEST_F(SoundOutputTest, ListenersAreToldEachStepInOrder) {
    listen(sound);
    EXPECT_EQ(take(), std::vector<int>{});  // not initialised yet: nothing to catch up on
    sound.Initialize();
    EXPECT_EQ(take(), (std::vector<int>{1, 2, 4}));
    sound.Initialize();  // finalises first
    EXPECT_EQ(take(), (std::vector<int>{3, 1, 2, 4}));
    sound.Restore();
    EXPECT_EQ(take(), (std::vector<int>{4}));
    sound.Finalize();
    EXPECT_EQ(take(), (std::vector<int>{3}));
    sound.Finalize();
    EXPECT_EQ(take(), std::vector<int>{});
}

TEST_F(SoundOutputTest, JoiningAnInitialisedOutputCatchesUpAndLeavingFinalises) {
    sound.Initialize();
    listen(sound);
    EXPECT_EQ(take(), (std::vector<int>{2, 4}));
    sound.UnRegisterNotifyEvent(this);
    EXPECT_EQ(take(), (std::vector<int>{3}));
    sound.Restore();
    EXPECT_EQ(take(), std::vector<int>{});
}

TEST_F(SoundOutputTest, DestroyingTheOutputFinalisesThenSaysGoodbye) {
    auto output = std::make_unique<TDXSound>(platform);
    listen(*output);
    output->Initialize();
    take();
    output.reset();
    EXPECT_EQ(take(), (std::vector<int>{3, 0}));
}

TEST_F(SoundOutputTest, TheWaveListFollowsItsOutput) {
    auto& ramp = add(rampSound("ramp", 10));
    EXPECT_FALSE(list.Items.Initialized());
    sound.Initialize();
    EXPECT_TRUE(list.Items.Initialized());
    EXPECT_TRUE(soundOf(ramp)->HasMasterBuffer());  // built by the restore, before any play
    list.SetDXSound(nullptr);
    EXPECT_FALSE(list.Items.Initialized());
    EXPECT_EQ(ramp.Sound(), nullptr);
    list.SetDXSound(&sound);
    EXPECT_TRUE(soundOf(ramp)->HasMasterBuffer());
    {
        TDXSound other(platform);
        other.Initialize();
        list.SetDXSound(&other);  // leaves the first output for this one
        EXPECT_EQ(list.Items.Output(), &other);
    }
    EXPECT_EQ(list.DXSound(), nullptr);  // the output said goodbye
    EXPECT_FALSE(list.Items.Initialized());
}

TEST_F(SoundOutputTest, ALostDeviceSilencesTheSoundsUntilItIsBack) {
    auto& ramp = add(rampSound("ramp", 1000));
    listen(sound);
    sound.Initialize();
    take();
    ramp.PlayWave(false);
    play(5);
    platform.device->alive_ = false;
    platform.now = 5000;
    sound.CheckDevice();
    EXPECT_FALSE(sound.DeviceOpen());
    EXPECT_EQ(platform.device, nullptr);  // closed
    ramp.PlayWave(false);                 // counted, not heard
    EXPECT_EQ(playCount("ramp"), 2);

    platform.now += TDXSound::kReopenIntervalMs - 1;
    sound.CheckDevice();
    EXPECT_EQ(platform.opened, 1);  // too early to look again
    platform.deviceAvailable = false;
    platform.now += 1;
    sound.CheckDevice();
    EXPECT_EQ(platform.opened, 2);  // looked, none there
    platform.deviceAvailable = true;
    platform.now += TDXSound::kReopenIntervalMs;
    sound.CheckDevice();
    EXPECT_EQ(platform.opened, 3);
    ASSERT_TRUE(sound.DeviceOpen());
    EXPECT_EQ(take(), (std::vector<int>{4}));      // every sound rebuilt
    EXPECT_EQ(play(2), (std::vector<int>{0, 0}));  // nothing of before the loss
    ramp.PlayWave(false);
    EXPECT_EQ(play(2), (std::vector<int>{1, 2}));
}

TEST_F(SoundOutputTest, WithoutAnyDeviceTheGameRunsSilent) {
    platform.deviceAvailable = false;
    auto& ramp = add(rampSound("ramp", 10));
    SoundSpec loopSpec = rampSound("loop", 10);
    loopSpec.looped = true;
    auto& loop = add(loopSpec);
    sound.Initialize();
    EXPECT_FALSE(sound.DeviceOpen());
    EXPECT_TRUE(list.Items.Initialized());
    ramp.PlayWave(false);
    ramp.PlayWave(true);  // must not wait for a sound nobody plays
    loop.PlayWave(false);
    loop.Stop();
    EXPECT_EQ(platform.now, 0u);
    EXPECT_EQ(playCount("ramp"), 2);
    platform.now = 10 * TDXSound::kReopenIntervalMs;
    sound.CheckDevice();
    EXPECT_EQ(platform.opened, 1);  // never had one: no looking again
}

}  // namespace
}  // namespace ik
