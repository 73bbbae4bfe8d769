// The real audio path: SDL's "disk" driver writes what the effects device
// plays to a file, which must hold every frame of a played sound, once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "SoundFixture.h"
#include "platform/sdl/SdlAudio.h"

namespace ik {
namespace {

using test::SoundSpec;

// The fake platform's clock, with SDL's audio devices.
class SdlAudioPlatform : public test::FakePlatform {
public:
    std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) override {
        lastFormat = format;
        return openSdlAudio(format, std::move(callback));
    }
};

std::vector<int16_t> readSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// The disk driver writes through a buffered file.
constexpr uintmax_t kFileBuffering = 64 * 1024;

class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        std::remove(path.c_str());
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    }
    void TearDown() override { std::remove(path.c_str()); }

    // Opens the device with one sound in the list.
    TWaveCollectionItem& open(const SoundSpec& recipe) {
        list.SetDXSound(&sound);
        auto& item = test::addSound(list, recipe);
        sound.Initialize();
        return item;
    }
    // Lets the device write at least `bytes` more to its file (it plays in
    // real time; a loaded machine may hold its thread back for a while).
    void letDeviceWrite(uintmax_t bytes) {
        const uintmax_t target = fileSize() + bytes;
        for (int waited = 0; fileSize() < target && waited < 10000; waited += 5) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_GE(fileSize(), target) << "the disk audio device stopped writing";
    }
    uintmax_t fileSize() const {
        std::error_code unknown;
        uintmax_t size = std::filesystem::file_size(path, unknown);
        return unknown ? 0 : size;
    }
    // What the device wrote; closing it flushes the file.
    std::vector<int16_t> closeAndRead() {
        list.SetDXSound(nullptr);
        sound.Finalize();
        return readSamples(path);
    }

    // One file per test and process: ctest runs tests side by side.
    const std::string path = ::testing::TempDir() + "effects-disk-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                             std::to_string(getpid()) + ".raw";
    SdlAudioPlatform platform;
    TDXWaveList list;
    TDXSound sound{platform};
};

TEST_F(DiskAudio, APlayedSoundReachesTheDeviceWholeAndOnce) {
    constexpr int kToneFrames = 4410;  // 0.1 s of 16-bit stereo at 44100 Hz
    std::vector<uint8_t> tone;
    for (int i = 0; i < kToneFrames; ++i) {
        test::putU16(tone, static_cast<uint16_t>(12345));
        test::putU16(tone, static_cast<uint16_t>(-12345));
    }
    auto& item = open({"tone", test::formatRecord({1, 2, 44100, 16}), tone, false, 0});
    ASSERT_TRUE(sound.DeviceOpen()) << "SDL's disk audio driver did not open";
    item.PlayWave(false);
    // The tone, the buffer it started in, and what the file's buffering holds back.
    letDeviceWrite((kToneFrames + 2 * TDXSound::kBufferFrames) * 4 + kFileBuffering);

    auto samples = closeAndRead();
    ASSERT_GE(samples.size(), static_cast<size_t>(kToneFrames) * 2);
    size_t first = samples.size();
    int toneFrames = 0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        if (samples[i] == 12345 && samples[i + 1] == -12345) {
            if (toneFrames == 0) first = i;
            ++toneFrames;
        }
    }
    EXPECT_EQ(toneFrames, kToneFrames);
    // In one piece: the frames after the tone are silent again.
    ASSERT_LT(first + kToneFrames * 2, samples.size());
    EXPECT_EQ(samples[first + kToneFrames * 2 - 2], 12345);
    EXPECT_EQ(samples[first + kToneFrames * 2], 0);
}

// The game starts, cuts off and releases copies while the audio thread mixes
// them (run under ThreadSanitizer too); once stopped, the device is silent.
TEST_F(DiskAudio, PlayingWhileTheDeviceMixesEndsInSilenceAfterStop) {
    std::vector<uint8_t> noise;
    for (int i = 0; i < 2000; ++i) test::putU16(noise, static_cast<uint16_t>(i * 977));
    auto& item = open({"noise", test::formatRecord({1, 1, 22050, 16}), noise, false, 3});
    ASSERT_TRUE(sound.DeviceOpen()) << "SDL's disk audio driver did not open";
    for (int round = 0; round < 60; ++round) {
        item.PlayWave(false);
        if (round % 7 == 0) item.SetMaxPlayingCount(round % 2 == 0 ? 2 : 3);
        if (round % 11 == 0) item.Stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    item.Stop();
    const size_t silentTail = 2 * 2048;  // more than one device buffer
    letDeviceWrite(silentTail * 2 + TDXSound::kBufferFrames * 4 + kFileBuffering);
    auto samples = closeAndRead();
    ASSERT_GT(samples.size(), silentTail);
    EXPECT_TRUE(std::any_of(samples.begin(), samples.end(), [](int16_t s) { return s != 0; }));
    EXPECT_TRUE(
        std::all_of(samples.end() - static_cast<long>(silentTail), samples.end(), [](int16_t s) { return s == 0; }));
}

}  // namespace
}  // namespace ik
