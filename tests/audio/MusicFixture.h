// A player over the built library on the headless platform, a scratch folder,
// and a second handle on the same library for reference decodes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestPlatform.h"
#include "XmWriter.h"
#include "audio/TrackPlayer.h"
#include "tests/support/TempFolder.h"

namespace ik::test {

inline std::string LibraryDir() { return IK_LIBRARY_DIR; }

class MusicTest : public ::testing::Test {
protected:
    MusicTest();
    ~MusicTest() override;

    // Writes a generated module into the scratch folder and returns its path.
    std::string writeSong(const std::string& name, const XmSong& song);
    // `frames` frames of the module decoded on their own from `position` (a
    // library position: TA_POSITION_SECONDS or a byte offset), through a
    // decode-only handle of the library.
    std::vector<int16_t> referenceDecode(const std::string& path, uint64_t position, uint32_t frames);
    // The sound the null sink took since the last call.
    std::vector<int16_t> takeHeard();

    TempFolder scratch;
    TestPlatform platform;
    std::unique_ptr<TTrackPlayer> player;
    std::vector<TPlayerMode> modes;  // every new mode, in order
    std::unique_ptr<TrackAudioLibrary> library;

private:
    std::vector<int16_t> heard_;
};

}  // namespace ik::test
