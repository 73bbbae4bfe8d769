// The SDL audio path, run against SDL's disk driver: the callback is asked for
// whole buffers of 16-bit frames and what it writes is what the device plays.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/SdlAudio.h"

namespace ik {
namespace {

class DiskAudio : public testing::Test {
protected:
    void SetUp() override {
        path_ = testing::TempDir() + "ik_sdl_audio_" + std::to_string(getpid()) + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        std::remove(path_.c_str());
    }
    std::string path_;
};

TEST_F(DiskAudio, CallbackFillsWholeBuffersThatReachTheDevice) {
    std::atomic<int> calls{0};
    std::atomic<int> badCounts{0};
    auto device = openSdlAudio({44100, 2, 512}, [&](int16_t* frames, int count) {
        if (count != 512) ++badCounts;
        for (int i = 0; i < count; ++i) {
            frames[2 * i] = static_cast<int16_t>(i);       // left: the frame's index
            frames[2 * i + 1] = static_cast<int16_t>(-i);  // right: its negative
        }
        ++calls;
    });
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->alive());
    device->pause(false);
    for (int waited = 0; calls < 3 && waited < 2000; waited += 5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    device->lock();
    const int callsSoFar = calls;
    device->unlock();
    device.reset();
    ASSERT_GE(callsSoFar, 3);
    EXPECT_EQ(badCounts, 0);

    // While paused SDL plays silence; our first buffer follows it.
    std::ifstream file(path_, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int16_t> written(bytes.size() / 2);
    std::memcpy(written.data(), bytes.data(), written.size() * 2);
    size_t start = 0;
    while (start + 4 <= written.size() && !(written[start + 2] == 1 && written[start + 3] == -1)) start += 2;
    ASSERT_LE(start + 512 * 2, written.size()) << "no whole buffer of ours reached the device";
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(written[start + static_cast<size_t>(2 * i)], i);
        ASSERT_EQ(written[start + static_cast<size_t>(2 * i + 1)], -i);
    }
}

TEST_F(DiskAudio, PausedDeviceIsNotAskedForSound) {
    std::atomic<int> calls{0};
    auto device = openSdlAudio({22050, 1, 1024}, [&](int16_t*, int) { ++calls; });
    ASSERT_NE(device, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(calls, 0);
}

TEST(SdlAudio, UnusableRequestGivesNoDevice) {
    EXPECT_EQ(openSdlAudio({0, 2, 512}, [](int16_t*, int) {}), nullptr);
    EXPECT_EQ(openSdlAudio({44100, 0, 512}, [](int16_t*, int) {}), nullptr);
    EXPECT_EQ(openSdlAudio({44100, 2, 512}, nullptr), nullptr);
}

TEST(SdlAudio, BufferIsFiveHundredTwelveOrThousandTwentyFourFrames) {
    EXPECT_EQ(sdlBufferFrames(0), 512);
    EXPECT_EQ(sdlBufferFrames(256), 512);
    EXPECT_EQ(sdlBufferFrames(512), 512);
    EXPECT_EQ(sdlBufferFrames(513), 1024);
    EXPECT_EQ(sdlBufferFrames(4096), 1024);
}

}  // namespace
}  // namespace ik
