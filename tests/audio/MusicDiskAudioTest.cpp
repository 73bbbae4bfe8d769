// The real path: the library's own SDL device on SDL's disk driver, which
// writes what the device plays into a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "MusicFixture.h"

namespace ik::test {
namespace {

std::vector<int16_t> firstSoundOnwards(const std::vector<int16_t>& sound) {
    const auto first = std::find_if(sound.begin(), sound.end(), [](int16_t s) { return s != 0; });
    return {first, sound.end()};
}

TEST(DiskAudio, TheMusicReachesTheDevice) {
    TempFolder scratch;
    const std::string output = scratch.file("device.raw");
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    const std::string song = scratch.file("song.xm");
    WriteFile(song, MakeXm({.rows = 40, .speed = 5, .bpm = 125}));  // 4 s

    std::vector<int16_t> reference;
    {
        TestPlatform platform(false);
        TTrackPlayer player(platform, LibraryDir());
        ASSERT_TRUE(player.LibraryLoaded()) << (platform.boxes.empty() ? "" : platform.boxes[0].text);
        auto library = TrackAudioLibrary::load(LibraryDir());
        const TA_HANDLE decoder = library->MusicLoad(0, song.c_str(), 0, 0, TA_MUSIC_DECODE, 0);
        reference.resize(2 * 44100);
        library->ChannelGetData(decoder, reference.data(), 44100 * 4);
        library->MusicFree(decoder);

        ASSERT_TRUE(player.Open(song));
        player.Play();
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_GT(player.Position(), 1000u);
        player.Close();
    }

    std::ifstream file(output, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<int16_t> written(bytes.size() / 2);
    std::memcpy(written.data(), bytes.data(), written.size() * 2);
    const std::vector<int16_t> played = firstSoundOnwards(written);
    const std::vector<int16_t> expected = firstSoundOnwards(reference);
    const std::size_t compared = 2 * 44100 / 2;  // half a second
    ASSERT_GE(played.size(), compared);
    ASSERT_GE(expected.size(), compared);
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + compared, played.begin()));
}

}  // namespace
}  // namespace ik::test

namespace ik::test {
namespace {

// No sound device at all: the device's own box once, then a silent game with
// no box per music cue.
TEST(NoAudioDevice, OneBoxThenSilence) {
    TempFolder scratch;
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string song = scratch.file("song.xm");
    WriteFile(song, MakeXm({}));
    {
        TestPlatform platform(false);
        TTrackPlayer player(platform, LibraryDir());
        EXPECT_TRUE(player.LibraryFound());
        EXPECT_FALSE(player.LibraryLoaded());
        for (int frame = 0; frame < 60; ++frame) {
            player.Stop();
            EXPECT_FALSE(player.Open(song));
            player.Play();
        }
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].text,
                  "Can't initialize device\n(error code: " + std::to_string(TA_ERROR_DEVICE) + ")");
    }
    ::unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace ik::test
