// The game played through its headless mode: the state dump counts every
// PlayWave by sound name, on the game's own sounds and series files.
#include <nlohmann/json.hpp>
#include <string>

#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"
#include "tests/support/Records.h"

namespace ik::test {
namespace {

class SoundRun : public GameRun {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GameRun::SetUp());
        storeScores(kEpisodes3And4Open);
    }

    // Runs the script and returns the "sounds" of the state it wrote last.
    nlohmann::json soundsAfter(const std::string& script) {
        play(script + "state end.json\n");
        return state("end.json").at("sounds");
    }
};

// An episode's count-down blocks for three seconds.
constexpr const char* kPastCountdown = "wait 4000\n";

TEST_F(SoundRun, TheMenuPlaysNoSound) { EXPECT_EQ(soundsAfter("key Return\nframes 10\n"), nlohmann::json::object()); }

TEST_F(SoundRun, EveryCharacterTypedInEpisodeFourPlaysItsKeySound) {
    auto sounds = soundsAfter(startEpisode(4) + kPastCountdown + "text 1234567\nframes 2\n");
    EXPECT_EQ(sounds.value("key_ep4", 0), 7) << sounds.dump();
    EXPECT_FALSE(sounds.contains("shot_ep3")) << sounds.dump();
}

TEST_F(SoundRun, EveryMousePressInEpisodeThreeFiresAShot) {
    auto sounds = soundsAfter(startEpisode(3) + kPastCountdown + "click\nframes 3\nclick\nframes 3\nclick\nframes 3\n");
    EXPECT_EQ(sounds.value("shot_ep3", 0), 3) << sounds.dump();
    EXPECT_FALSE(sounds.contains("key_ep4")) << sounds.dump();
}

}  // namespace
}  // namespace ik::test
