// The game played through its headless mode: the state dump counts every
// PlayWave by sound name, on the game's own sounds and series files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/hub/TempFolder.h"

namespace ik {
namespace {

using test::TempFolder;

class SoundRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"general.dat", "series3.dat", "series4.dat", "waves.dat", "music.dat"}) {
            const std::filesystem::path built = std::filesystem::path(IK_DATA_DIR) / file;
            ASSERT_TRUE(std::filesystem::exists(built)) << built << " is built with the game's data";
            std::filesystem::copy_file(built, work.path() / file);
        }
        // Records that open episodes 3 and 4.
        test::writeText(scores.file("scores.dat"),
                        "[game2]\nscore=5000\nverify=842\n[game3]\nscore=90000\nverify=15011\n");
    }

    // Runs the script and returns the "sounds" of the state it wrote last.
    nlohmann::json soundsAfter(const std::string& script) {
        test::writeText(work.file("script.txt"), script + "state end.json\n");
        const std::string command = "cd '" + work.path().string() + "' && timeout 120 " + IK_IRONKEEL +
                                    " --headless --script script.txt --seed 1 --scores '" +
                                    scores.path().string() + "' 2>stderr.txt";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << command << "\n" << test::readText(work.file("stderr.txt"));
        return nlohmann::json::parse(test::readText(work.file("end.json"))).at("sounds");
    }

    TempFolder work;
    TempFolder scores;
};

// Leaves the loading screen for the menu and starts an episode by its button;
// the episode's count-down blocks for three seconds.
std::string startEpisode(int episode) {
    const int top = 130 + 55 * (episode - 1);
    return "key Return\nframes 2\nmove 600 " + std::to_string(top + 25) + "\nclick\nwait 4000\n";
}

TEST_F(SoundRun, TheMenuPlaysNoSound) {
    EXPECT_EQ(soundsAfter("key Return\nframes 10\n"), nlohmann::json::object());
}

TEST_F(SoundRun, EveryCharacterTypedInEpisodeFourPlaysItsKeySound) {
    auto sounds = soundsAfter(startEpisode(4) + "text 1234567\nframes 2\n");
    EXPECT_EQ(sounds.value("key_ep4", 0), 7) << sounds.dump();
    EXPECT_FALSE(sounds.contains("shot_ep3")) << sounds.dump();
}

TEST_F(SoundRun, EveryMousePressInEpisodeThreeFiresAShot) {
    auto sounds = soundsAfter(startEpisode(3) + "click\nframes 3\nclick\nframes 3\nclick\nframes 3\n");
    EXPECT_EQ(sounds.value("shot_ep3", 0), 3) << sounds.dump();
    EXPECT_FALSE(sounds.contains("key_ep4")) << sounds.dump();
}

}  // namespace
}  // namespace ik
