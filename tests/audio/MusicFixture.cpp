#include "MusicFixture.h"

namespace ik::test {

MusicTest::MusicTest() {
    player = std::make_unique<TTrackPlayer>(platform, LibraryDir());
    player->OnModeChange = [this](TTrackPlayer&, TPlayerMode, TPlayerMode mode) { modes.push_back(mode); };
    player->OnHeadlessOutput = [this](const int16_t* frames, uint32_t count) {
        heard_.insert(heard_.end(), frames, frames + 2 * static_cast<std::size_t>(count));
    };
    library = TrackAudioLibrary::load(LibraryDir());
}

MusicTest::~MusicTest() {
    player.reset();
    library.reset();
}

std::string MusicTest::writeSong(const std::string& name, const XmSong& song) {
    const std::string path = scratch.file(name);
    WriteFile(path, MakeXm(song));
    return path;
}

std::vector<int16_t> MusicTest::referenceDecode(const std::string& path, uint64_t position, uint32_t frames) {
    const TA_HANDLE handle = library->MusicLoad(0, path.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, 0);
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(library->ChannelSetPosition(handle, position));
    std::vector<int16_t> sound(2 * static_cast<std::size_t>(frames));
    const uint32_t got = library->ChannelGetData(handle, sound.data(), frames * 4);
    sound.resize(got / 2);
    library->MusicFree(handle);
    return sound;
}

std::vector<int16_t> MusicTest::takeHeard() {
    std::vector<int16_t> heard;
    heard.swap(heard_);
    return heard;
}

}  // namespace ik::test
