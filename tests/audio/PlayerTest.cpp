#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <numeric>

#include "MusicFixture.h"

namespace ik::test {
namespace {

constexpr uint32_t kFramesPerSecond = 44100;
// What the output stream may have taken beyond what was heard: the block it
// takes when it starts and the one it is playing from.
constexpr uint32_t kTakenAheadMs = 47;

uint64_t bytesAt(uint32_t ms) { return uint64_t{ms} * kFramesPerSecond / 1000 * 4; }

class PlayerTest : public MusicTest {
protected:
    // 200 rows of 100 ms: 20 s exactly.
    std::string song = writeSong("song.xm", {.title = "twenty seconds", .rows = 200, .speed = 5, .bpm = 125});
};

TEST_F(PlayerTest, StartsReadyWithNothingOpen) {
    EXPECT_TRUE(player->LibraryLoaded());
    EXPECT_EQ(player->TrackAudioVer(), "2.1");
    EXPECT_EQ(player->Mode(), pmNone);
    EXPECT_EQ(player->PlayLength(), 0u);
    EXPECT_EQ(player->Position(), 0u);
    EXPECT_FALSE(player->CanSeek());
    EXPECT_EQ(player->MusicVolume(), 255u);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(PlayerTest, OpenDescribesTheModuleAndCountsItsLength) {
    ASSERT_TRUE(player->Open(song));
    EXPECT_EQ(player->Mode(), pmReady);
    EXPECT_EQ(player->PlayLength(), 20000u);
    EXPECT_TRUE(player->CanSeek());
    EXPECT_EQ(player->Position(), 0u);
    EXPECT_EQ(player->StreamFile(), song);
    EXPECT_EQ(player->StreamInfo().Title, "twenty seconds");
    EXPECT_EQ(player->StreamInfo().FileSize, std::filesystem::file_size(song));
    EXPECT_EQ(player->StreamInfo().SampleRate, 44100u);
    EXPECT_EQ(player->StreamInfo().Channels, 2u);
}

// A few kilobytes can announce a song of many hours: its length is measured
// from its timing, not decoded, so it opens at once, with the exact length a
// decode would give: each tick lasts whole frames at the output rate, 44100 x
// 2.5 / 32 = 3445.3 of them at 32 BPM, which makes the song 2.8 s shorter
// than its nominal 31,000 s.
TEST_F(PlayerTest, AnHoursLongSongOpensWithTheLengthItAnnounces) {
    const std::string longSong = (scratch.path() / "hours.xm").string();
    const XmSong hours{"hours", 64 * 200, 31, 32};  // 12,800 rows of 31 ticks at 32 BPM
    WriteFile(longSong, MakeXm(hours));
    ASSERT_TRUE(player->Open(longSong));
    const uint64_t frames = 12800ull * 31 * 3445;
    EXPECT_EQ(player->PlayLength(), frames * 1000 / 44100);
}

TEST_F(PlayerTest, PositionCountsFromTheSeekWhileTheModulePlaysFromTheWholeSecondBelow) {
    ASSERT_TRUE(player->Open(song));
    player->SetPosition(12345);
    player->Play();
    EXPECT_GT(player->Position(), 12345u) << "the cue would restart the stretch at every frame";
    takeHeard();

    platform.sleep(1000);
    const uint32_t played = player->Position() - 12345;
    EXPECT_GE(played, 1000u);
    EXPECT_LE(played, 1000u + kTakenAheadMs);
    const std::vector<int16_t> heard = takeHeard();
    ASSERT_EQ(heard.size(), 2u * kFramesPerSecond);
    EXPECT_EQ(heard, referenceDecode(song, TA_POSITION_SECONDS(12), kFramesPerSecond));
    EXPECT_NE(heard, referenceDecode(song, bytesAt(12345), kFramesPerSecond));
}

TEST_F(PlayerTest, SetPositionBeyondThePlayLengthChangesNothing) {
    ASSERT_TRUE(player->Open(song));
    player->SetPosition(5000);
    for (uint32_t beyond : {20001u, 0xFFFFFFFFu}) player->SetPosition(beyond);
    player->Play();
    const uint32_t position = player->Position();
    EXPECT_GT(position, 5000u);
    EXPECT_LE(position, 5000u + kTakenAheadMs);
    takeHeard();
    platform.sleep(100);
    EXPECT_EQ(takeHeard(), referenceDecode(song, TA_POSITION_SECONDS(5), kFramesPerSecond / 10));
}

TEST_F(PlayerTest, PlayAfterStopStartsTheModuleAgainFromItsBeginning) {
    ASSERT_TRUE(player->Open(song));
    player->SetPosition(8000);
    player->Play();
    platform.sleep(500);
    player->Stop();
    EXPECT_EQ(player->Mode(), pmStopped);
    EXPECT_EQ(player->Position(), 0u);

    player->Play();
    EXPECT_EQ(player->Mode(), pmPlaying);
    EXPECT_GT(player->Position(), 0u);
    EXPECT_LE(player->Position(), kTakenAheadMs);
    takeHeard();
    platform.sleep(250);
    EXPECT_EQ(takeHeard(), referenceDecode(song, 0, kFramesPerSecond / 4));
}

struct QuietStopCase {
    const char* name;
    std::function<void(TTrackPlayer&)> prepare;
    TPlayerMode mode;
};

class StopThatDoesNothing : public PlayerTest, public ::testing::WithParamInterface<QuietStopCase> {};

TEST_P(StopThatDoesNothing, KeepsModeAndPosition) {
    ASSERT_TRUE(player->Open(song));
    GetParam().prepare(*player);
    platform.sleep(200);
    const uint32_t position = player->Position();
    const std::size_t modeChanges = modes.size();
    player->Stop();
    EXPECT_EQ(player->Mode(), GetParam().mode);
    EXPECT_EQ(player->Position(), position);
    EXPECT_EQ(modes.size(), modeChanges);
}

INSTANTIATE_TEST_SUITE_P(Modes, StopThatDoesNothing,
                         ::testing::Values(QuietStopCase{"Ready", [](TTrackPlayer&) {}, pmReady},
                                           QuietStopCase{"Paused",
                                                         [](TTrackPlayer& p) {
                                                             p.Play();
                                                             p.Pause();
                                                         },
                                                         pmPaused},
                                           QuietStopCase{"Stopped",
                                                         [](TTrackPlayer& p) {
                                                             p.Play();
                                                             p.Stop();
                                                         },
                                                         pmStopped}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerTest, PauseHoldsThePositionInSilenceAndResumeGoesOn) {
    ASSERT_TRUE(player->Open(song));
    player->Play();
    platform.sleep(300);
    player->Pause();
    const uint32_t held = player->Position();
    takeHeard();
    platform.sleep(300);
    EXPECT_EQ(player->Position(), held);
    const std::vector<int16_t> paused = takeHeard();
    EXPECT_TRUE(std::all_of(paused.begin(), paused.end(), [](int16_t s) { return s == 0; }));

    player->Play();  // resumes
    EXPECT_EQ(player->Mode(), pmPlaying);
    platform.sleep(300);
    EXPECT_GE(player->Position(), held + 300);
    EXPECT_LE(player->Position(), held + 300 + kTakenAheadMs);
}

TEST_F(PlayerTest, SeekWhilePausedRestartsTheOutputAtResume) {
    ASSERT_TRUE(player->Open(song));
    player->Play();
    platform.sleep(300);
    player->Pause();
    player->SetPosition(7000);
    EXPECT_EQ(player->Position(), 7000u);
    player->Resume();
    EXPECT_GT(player->Position(), 7000u);
    takeHeard();
    platform.sleep(200);
    EXPECT_EQ(takeHeard(), referenceDecode(song, TA_POSITION_SECONDS(7), kFramesPerSecond / 5));
}

TEST_F(PlayerTest, ModeChangesFollowTheLifecycle) {
    ASSERT_TRUE(player->Open(song));
    player->Play();
    player->Pause();
    player->Play();
    player->Stop();
    ASSERT_TRUE(player->Open(song));
    player->Close();
    EXPECT_EQ(modes,
              (std::vector<TPlayerMode>{pmReady, pmPlaying, pmPaused, pmPlaying, pmStopped, pmNone, pmReady, pmNone}));
    EXPECT_EQ(player->StreamFile(), "");
    EXPECT_EQ(player->PlayLength(), 0u);
}

TEST_F(PlayerTest, TheEndOfTheModuleStopsAndIsAnnouncedOnceItHasPlayedOut) {
    const std::string shortSong = writeSong("short.xm", {.rows = 10, .speed = 5, .bpm = 125});  // 1 s
    int ends = 0;
    uint32_t positionAtEnd = 1;
    player->OnPlayEnd = [&](TTrackPlayer& sender) {
        ++ends;
        positionAtEnd = sender.Position();
    };
    ASSERT_TRUE(player->Open(shortSong));
    player->Play();
    platform.runFor(1500);
    EXPECT_EQ(player->Mode(), pmStopped);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(positionAtEnd, 0u);
    const std::vector<int16_t> heard = takeHeard();
    ASSERT_GE(heard.size(), 2u * kFramesPerSecond);
    const std::vector<int16_t> firstSecond(heard.begin(), heard.begin() + 2 * kFramesPerSecond);
    EXPECT_EQ(firstSecond, referenceDecode(shortSong, 0, kFramesPerSecond));
    EXPECT_TRUE(std::all_of(heard.begin() + 2 * kFramesPerSecond, heard.end(), [](int16_t s) { return s == 0; }));
}

struct VolumeCase {
    uint32_t asked;
    uint32_t kept;
};

class VolumeTest : public PlayerTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(VolumeTest, KeepsAtMostFullScaleForModuleAndStream) {
    player->SetVolume(GetParam().asked);
    EXPECT_EQ(player->MusicVolume(), GetParam().kept);
    EXPECT_EQ(library->GetConfig(TA_CONFIG_MUSIC_VOLUME), GetParam().kept);
    EXPECT_EQ(library->GetConfig(TA_CONFIG_STREAM_VOLUME), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Steps, VolumeTest,
                         ::testing::Values(VolumeCase{0, 0}, VolumeCase{128, 128}, VolumeCase{248, 248},
                                           VolumeCase{255, 255}, VolumeCase{256, 255}, VolumeCase{4096, 255}));

TEST_F(PlayerTest, HalfVolumeHalvesWhatIsHeard) {
    player->SetVolume(128);
    ASSERT_TRUE(player->Open(song));
    player->Play();
    takeHeard();
    platform.sleep(500);
    const std::vector<int16_t> heard = takeHeard();
    const std::vector<int16_t> full = referenceDecode(song, 0, kFramesPerSecond / 2);
    ASSERT_EQ(heard.size(), full.size());
    auto loudness = [](const std::vector<int16_t>& sound) {
        return std::accumulate(sound.begin(), sound.end(), 0.0,
                               [](double sum, int16_t s) { return sum + std::abs(s); });
    };
    ASSERT_GT(loudness(full), 0.0);
    EXPECT_NEAR(loudness(heard) / loudness(full), 128.0 / 255.0, 0.01);
}

struct FailedOpenCase {
    const char* name;
    const char* file;
    const char* contents;  // null: the file does not exist
    const char* message;   // the path follows or is enclosed
};

class FailedOpen : public PlayerTest, public ::testing::WithParamInterface<FailedOpenCase> {};

TEST_P(FailedOpen, ShowsItsMessageAndLeavesTheCurrentMusicPlaying) {
    ASSERT_TRUE(player->Open(song));
    player->Play();
    platform.sleep(200);
    const uint32_t before = player->Position();
    const std::string path = scratch.file(GetParam().file);
    if (GetParam().contents) {
        const std::string contents = GetParam().contents;
        WriteFile(path, std::vector<char>(contents.begin(), contents.end()));
    }

    EXPECT_FALSE(player->Open(path));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, "Error");
    std::string expected = GetParam().message;
    const auto slot = expected.find("%s");
    expected.replace(slot, 2, path);
    EXPECT_EQ(platform.boxes[0].text, expected);
    EXPECT_EQ(player->Mode(), pmPlaying);
    EXPECT_EQ(player->StreamFile(), song);
    platform.sleep(100);
    EXPECT_GE(player->Position() + kTakenAheadMs, before + 100);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedOpen,
    ::testing::Values(FailedOpenCase{"Missing", "missing.xm", nullptr, "Invalid stream file (%s) !"},
                      FailedOpenCase{"NotAModule", "notes.txt", "just some text, no music at all, none whatsoever.....",
                                     "Invalid stream file (%s) !"},
                      FailedOpenCase{"Garbage", "broken.xm", "Extended Module: but nothing after the signature....",
                                     "Can't play the specified stream file : %s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerTest, EachErrorBoxShowsOncePerText) {
    const std::string broken = scratch.file("broken.xm");
    const std::string other = scratch.file("other.xm");
    WriteFile(broken, std::vector<char>(100, 'x'));
    WriteFile(other, std::vector<char>(100, 'y'));
    for (int frame = 0; frame < 60; ++frame) EXPECT_FALSE(player->Open(broken));
    EXPECT_FALSE(player->Open(other));
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[0].text, "Can't play the specified stream file : " + broken);
    EXPECT_EQ(platform.boxes[1].text, "Can't play the specified stream file : " + other);
}

class PlayerWithoutLibrary : public ::testing::Test {
protected:
    void checkSilentPlayer(const std::string& folder) {
        TTrackPlayer player(platform, folder);
        EXPECT_FALSE(player.LibraryLoaded());
        EXPECT_EQ(player.TrackAudioVer(), "");
        EXPECT_TRUE(platform.boxes.empty());

        const std::string song = scratch.file("song.xm");
        WriteFile(song, MakeXm({}));
        EXPECT_FALSE(player.Open(song));
        player.SetPosition(1000);
        player.Play();
        player.Stop();
        player.Pause();
        player.Resume();
        player.Close();
        EXPECT_EQ(player.Mode(), pmNone);
        EXPECT_EQ(player.PlayLength(), 0u);
        EXPECT_EQ(player.Position(), 0u);
        EXPECT_FALSE(player.CanSeek());
        player.SetVolume(300);
        EXPECT_EQ(player.MusicVolume(), 255u);
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].caption, "Error");
        EXPECT_EQ(platform.boxes[0].text, "Player is not ready !");
    }
    TempFolder scratch;
    TestPlatform platform;
};

TEST_F(PlayerWithoutLibrary, MissingFileLeavesEveryOperationIdle) { checkSilentPlayer(scratch.path().string()); }

TEST_F(PlayerWithoutLibrary, LibraryLackingAnEntryPointCountsAsMissing) {
    checkSilentPlayer(IK_INCOMPLETE_LIBRARY_DIR);
}

}  // namespace
}  // namespace ik::test
