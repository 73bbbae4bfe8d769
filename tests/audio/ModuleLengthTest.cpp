// The length the library gives at load is measured from the song's timing,
// not decoded: it must still be, to the frame, what a decode from the start
// to the end gives, since the game's music cues are percentages of it.
// Checked on the game's own music at three output rates and on others'
// modules at the game's rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "MusicFixture.h"

namespace ik::test {
namespace {

// Reads the handle to its end: the bytes it gave, and whether any of them was
// not silence.
uint64_t decodedBytes(TrackAudioLibrary& library, TA_HANDLE handle, bool* heard = nullptr) {
    std::vector<uint8_t> buffer(1 << 16);
    uint64_t total = 0;
    for (;;) {
        const uint32_t got = library.ChannelGetData(handle, buffer.data(), static_cast<uint32_t>(buffer.size()));
        if (got == UINT32_MAX) {
            ADD_FAILURE() << "decode failed with error " << library.ErrorGetCode();
            return total;
        }
        total += got;
        if (heard)
            *heard = *heard || std::any_of(buffer.begin(), buffer.begin() + got, [](uint8_t b) { return b != 0; });
        if (got < buffer.size()) return total;
    }
}

std::vector<std::string> modulesToMeasure() {
    std::vector<std::string> paths = {std::string(IK_DATA_DIR) + "/music.dat"};
    const std::filesystem::path corpus = std::string(IK_CORPUS_DIR) + "/xm";
    if (std::filesystem::is_directory(corpus)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
            if (entry.path().extension() == ".xm") paths.push_back(entry.path().string());
        }
    }
    return paths;
}

class ModuleLength : public MusicTest {};

TEST_F(ModuleLength, IsWhatADecodeFromStartToEndGives) {
    const std::vector<std::string> paths = modulesToMeasure();
    ASSERT_GE(paths.size(), 31u) << "the corpus modules are missing under " << IK_CORPUS_DIR;
    ASSERT_TRUE(std::filesystem::is_regular_file(paths[0])) << "the game's music is missing: " << paths[0];
    int measured = 0;
    for (const std::string& path : paths) {
        const bool gameMusic = path == paths[0];
        for (uint32_t rate : gameMusic ? std::vector<uint32_t>{44100, 22050, 48000} : std::vector<uint32_t>{44100}) {
            const TA_HANDLE handle =
                library->MusicLoad(0, path.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, rate);
            if (handle == 0) continue;  // a module libopenmpt refuses has no length to check
            const uint64_t length = library->MusicGetLength(handle, 1);
            EXPECT_EQ(length, decodedBytes(*library, handle)) << path << " at " << rate << " Hz";
            library->MusicFree(handle);
            ++measured;
        }
    }
    // The game's music at its three rates and the 28 corpus modules that
    // libopenmpt accepts (it refuses two of the 30).
    EXPECT_GE(measured, 3 + 28);
}

// A run that nobody hears asks for silence: every read and seek gives as many
// frames as the decode would, so the player's positions stay the same.
TEST_F(ModuleLength, SilentModulesGiveZerosFrameForFrameWhereTheSoundWouldBe) {
    const std::string path = std::string(IK_DATA_DIR) + "/music.dat";
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << "the game's music is missing: " << path;
    struct Read {
        uint64_t length = 0, fromStart = 0, fromSeek = 0;
        bool heard = false;
    };
    auto readThrough = [&](bool silent) {
        EXPECT_TRUE(library->SetConfig(TA_CONFIG_SILENT_MODULES, silent ? 1 : 0));
        Read read;
        const TA_HANDLE handle = library->MusicLoad(0, path.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, 0);
        EXPECT_NE(handle, 0u);
        read.length = library->MusicGetLength(handle, 1);
        read.fromStart = decodedBytes(*library, handle, &read.heard);
        EXPECT_TRUE(library->ChannelSetPosition(handle, TA_POSITION_SECONDS(100)));
        read.fromSeek = decodedBytes(*library, handle, &read.heard);
        EXPECT_FALSE(library->ChannelSetPosition(handle, read.length + 4));
        library->MusicFree(handle);
        EXPECT_TRUE(library->SetConfig(TA_CONFIG_SILENT_MODULES, 0));
        return read;
    };
    const Read sound = readThrough(false);
    const Read silence = readThrough(true);
    EXPECT_TRUE(sound.heard);
    EXPECT_FALSE(silence.heard);
    EXPECT_EQ(silence.length, sound.length);
    EXPECT_EQ(silence.fromStart, sound.fromStart);
    EXPECT_EQ(silence.fromSeek, sound.fromSeek);
    EXPECT_EQ(silence.fromSeek, sound.length - 100 * 44100 * 4);
}

}  // namespace
}  // namespace ik::test
