// The game's own sounds through the mixer: each alone comes out exactly as
// converted, and all of them at once, twice over, never touch the rail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "SoundFixture.h"
#include "audio/SoundFormat.h"

namespace ik {
namespace {

class GameSoundsMix : public ::testing::Test, public test::SoundFixture {
protected:
    void SetUp() override {
        const std::filesystem::path waves = std::filesystem::path(IK_DATA_DIR) / "waves.dat";
        ASSERT_TRUE(std::filesystem::exists(waves)) << waves << " is built with the game's data";
        list.LoadFromFile(waves.string());
        sound.Initialize();
        ASSERT_NE(platform.device, nullptr);
    }

    // Everything the device plays until the last voice has ended.
    std::vector<int16_t> playToTheEnd() {
        std::vector<int16_t> heard;
        while (sound.mixer().activeVoices() > 0) {
            auto chunk = platform.device->pull(TDXSound::kBufferFrames);
            heard.insert(heard.end(), chunk.begin(), chunk.end());
        }
        return heard;
    }
};

TEST_F(GameSoundsMix, EachSoundAloneIsPlayedExactlyAsConverted) {
    for (int i = 0; i < list.Items.Count(); ++i) {
        TWaveCollectionItem& item = list.Items.Items(i);
        SCOPED_TRACE(item.Name());
        const TWave& wave = item.Wave();
        auto format = readPcmFormat(wave.Format());
        ASSERT_TRUE(format);
        const std::vector<int16_t> converted =
            convertToDeviceFormat(*format, std::span<const uint8_t>(wave.Data(), static_cast<size_t>(wave.Size())));
        item.PlayWave(false);
        std::vector<int16_t> heard = playToTheEnd();
        ASSERT_GE(heard.size(), converted.size());
        EXPECT_TRUE(std::equal(converted.begin(), converted.end(), heard.begin()));
        EXPECT_TRUE(std::all_of(heard.begin() + static_cast<std::ptrdiff_t>(converted.size()), heard.end(),
                                [](int16_t s) { return s == 0; }));
    }
}

TEST_F(GameSoundsMix, EverySoundTwiceAtOnceStaysOffTheRail) {
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < list.Items.Count(); ++i) list.Items.Items(i).PlayWave(false);
    const std::vector<int16_t> heard = playToTheEnd();
    int loudest = 0, atRail = 0;
    for (int16_t s : heard) {
        loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        atRail += s >= 32767 || s <= -32767;
    }
    std::printf("every sound twice: %zu frames, loudest sample %d\n", heard.size() / 2, loudest);
    EXPECT_GT(loudest, Mixer::kKnee) << "the pile-up should be loud enough to need the limiter";
    EXPECT_EQ(atRail, 0);
}

}  // namespace
}  // namespace ik
