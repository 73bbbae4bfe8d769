// The stretch rule of the music cues, on a module exactly 100 s long, played
// from a copy in the working folder as the game does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "MusicFixture.h"
#include "app/MusicCues.h"

namespace ik::test {
namespace {

constexpr double kMenuStart = 62.83, kMenuEnd = 75;
constexpr double kEpisode1Start = 76.2, kEpisode1End = 99.5;
constexpr double kEpisode4Start = 0, kEpisode4End = 17.1;
constexpr uint32_t kTakenAheadMs = 47;

std::vector<char> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class CueTest : public MusicTest {
protected:
    CueTest() : previousFolder_(std::filesystem::current_path()) {
        std::filesystem::current_path(scratch.path());
        // The module is looked up as every data file is: only the working
        // folder may hold one here, not an installed game's data folders.
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
            if (const char* value = std::getenv(name)) previousEnvironment_.emplace_back(name, value);
            ::setenv(name, (scratch.path() / "no-data").c_str(), 1);
        }
        // 1000 rows of 100 ms: 100 000 ms exactly.
        WriteFile(kMusicFile, MakeXm({.title = "hundred seconds", .rows = 1000, .speed = 5, .bpm = 125}));
    }
    ~CueTest() override {
        std::filesystem::current_path(previousFolder_);
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_DATA_DIRS");
        for (const auto& [name, value] : previousEnvironment_) ::setenv(name.c_str(), value.c_str(), 1);
    }

    void cue(double start, double end) { playStretch(*player, musicPos, start, end, kMusicFile, kTempMusicFile); }
    // Runs one cue and tells whether it restarted the stretch.
    bool cueRestarts(double start, double end) {
        const auto opened = std::count(modes.begin(), modes.end(), pmReady);
        cue(start, end);
        return std::count(modes.begin(), modes.end(), pmReady) > opened;
    }
    void expectAtStretchStart(uint32_t start) {
        EXPECT_GT(musicPos, start);
        EXPECT_LE(musicPos, start + kTakenAheadMs);
    }

    uint32_t musicPos = 0;

private:
    std::filesystem::path previousFolder_;
    std::vector<std::pair<std::string, std::string>> previousEnvironment_;
};

TEST_F(CueTest, FirstCueCopiesTheModuleAndStartsTheStretch) {
    EXPECT_TRUE(cueRestarts(kMenuStart, kMenuEnd));
    EXPECT_EQ(player->Mode(), pmPlaying);
    EXPECT_EQ(player->StreamFile(), kTempMusicFile);
    EXPECT_EQ(player->PlayLength(), 100000u);
    EXPECT_EQ(readFile(kTempMusicFile), readFile(kMusicFile));
    expectAtStretchStart(62829);
}

struct StretchCase {
    uint32_t stored;
    double start;
    double end;
    bool restarts;
    uint32_t stretchStart;
};

class StretchArithmetic : public CueTest, public ::testing::WithParamInterface<StretchCase> {};

TEST_P(StretchArithmetic, ComparesTheStoredPositionStrictly) {
    cue(kMenuStart, kMenuEnd);
    player->SetPosition(30000);  // somewhere no stretch starts, to tell a restart from going on
    musicPos = GetParam().stored;
    const bool restarted = cueRestarts(GetParam().start, GetParam().end);
    EXPECT_EQ(restarted, GetParam().restarts);
    if (restarted) {
        expectAtStretchStart(GetParam().stretchStart);
    } else {
        EXPECT_EQ(musicPos, player->Position());
        EXPECT_GT(musicPos, 30000u);
    }
}

INSTANTIATE_TEST_SUITE_P(HundredSecondModule, StretchArithmetic,
                         ::testing::Values(StretchCase{62829, kMenuStart, kMenuEnd, true, 62829},
                                           StretchCase{62830, kMenuStart, kMenuEnd, false, 62829},
                                           StretchCase{74999, kMenuStart, kMenuEnd, false, 62829},
                                           StretchCase{75000, kMenuStart, kMenuEnd, true, 62829},
                                           StretchCase{0, kEpisode4Start, kEpisode4End, true, 0},
                                           StretchCase{1, kEpisode4Start, kEpisode4End, false, 0}));

TEST_F(CueTest, ScreensSharingAStretchPassWithoutARestartAndAnEpisodeChangesIt) {
    cue(kMenuStart, kMenuEnd);  // menu
    platform.sleep(17);
    EXPECT_FALSE(cueRestarts(kMenuStart, kMenuEnd));  // an information page
    platform.sleep(17);
    EXPECT_FALSE(cueRestarts(kMenuStart, kMenuEnd));  // back on the menu
    EXPECT_TRUE(cueRestarts(kEpisode1Start, kEpisode1End));
    expectAtStretchStart(76200);
    for (int frame = 0; frame < 10; ++frame) {
        platform.sleep(17);
        EXPECT_FALSE(cueRestarts(kEpisode1Start, kEpisode1End));
    }
    EXPECT_TRUE(cueRestarts(kMenuStart, kMenuEnd));  // the menu's first frame after the game
    expectAtStretchStart(62829);
}

TEST_F(CueTest, AfterThePauseTheCueBringsTheStretchBack) {
    cue(kEpisode1Start, kEpisode1End);
    platform.sleep(17);
    cue(kEpisode1Start, kEpisode1End);
    player->Stop();  // the pause key
    platform.sleep(1000);
    player->Play();  // and again: the module starts from its beginning
    EXPECT_FALSE(cueRestarts(kEpisode1Start, kEpisode1End)) << "the first cue compares the position from before";
    EXPECT_LE(musicPos, kTakenAheadMs);
    platform.sleep(17);
    EXPECT_TRUE(cueRestarts(kEpisode1Start, kEpisode1End));
    expectAtStretchStart(76200);
}

TEST_F(CueTest, AnExistingCopyIsPlayedUnchanged) {
    const std::vector<char> leftOver = MakeXm({.rows = 500, .speed = 5, .bpm = 125});  // 50 s
    WriteFile(kTempMusicFile, leftOver);
    cue(kMenuStart, kMenuEnd);
    EXPECT_EQ(player->PlayLength(), 50000u);
    EXPECT_EQ(readFile(kTempMusicFile), leftOver);
    expectAtStretchStart(31414);  // 62.83 % of 50 000, truncated just below 31 415
}

TEST_F(CueTest, WithoutTheModuleFileTheGameIsSilent) {
    std::filesystem::remove(kMusicFile);
    for (int frame = 0; frame < 5; ++frame) cue(kMenuStart, kMenuEnd);
    EXPECT_EQ(player->Mode(), pmNone);
    EXPECT_EQ(musicPos, 0u);
    EXPECT_FALSE(std::filesystem::exists(kTempMusicFile));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(CueTest, ABrokenModuleShowsOneBoxAndThenStaysSilent) {
    WriteFile(kMusicFile, std::vector<char>(4000, '\x5a'));
    for (int frame = 0; frame < 60; ++frame) {
        cue(kMenuStart, kMenuEnd);
        platform.sleep(17);
    }
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, "Error");
    EXPECT_EQ(platform.boxes[0].text, "Can't play the specified stream file : ~temp.xm");
    EXPECT_EQ(player->Mode(), pmNone);
    EXPECT_EQ(musicPos, 0u);
}

TEST_F(CueTest, TheCopyGoesToTheWorkingFolderAndIsDeletedAtClose) {
    EXPECT_EQ(tempMusicPath(scratch.file("scores")), kTempMusicFile);
    cue(kMenuStart, kMenuEnd);
    ASSERT_TRUE(std::filesystem::exists(kTempMusicFile));
    player->Close();
    deleteTempMusic();
    EXPECT_FALSE(std::filesystem::exists(kTempMusicFile));
    EXPECT_TRUE(std::filesystem::exists(kMusicFile));
}

}  // namespace
}  // namespace ik::test
