// Plays the real game binary in its headless mode on the generated data
// files, in a working folder of its own, and reads back what the script asked
// it to write.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/hub/PngFiles.h"
#include "tests/hub/TempFolder.h"

namespace ik::test {

// A valid episode 1 record of 200 points: episode 2 is open.
constexpr const char* kEpisode2Open = "[game1]\nscore=200\nverify=42\n";

// From the loading screen to the menu, then a click on episode N's button
// (the count-down blocks inside the click).
std::string startEpisode(int episode);

class EpisodeRun : public ::testing::Test {
protected:
    void SetUp() override;

    // Runs the script with the seed; fails the test when the game does not
    // end with status 0.
    void play(const std::string& script, uint32_t seed = 1);
    nlohmann::json state(const std::string& name) const;
    Frame shot(const std::string& name) const;

    TempFolder work;
    TempFolder scores;
};

}  // namespace ik::test
