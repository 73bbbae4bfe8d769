// Runs the real game in its headless mode, in a working folder of its own that
// holds a copy of every data file the build made, with a scores folder of its
// own, and reads back the states and shots the script asked for.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/support/PngFiles.h"
#include "tests/support/TempFolder.h"

namespace ik::test {

struct RunOptions {
    uint32_t seed = 1;
    std::string arguments;  // further command-line options
    std::string program;    // another copy of the game; empty: the one the build made
};

class GameRun : public ::testing::Test {
protected:
    void SetUp() override;

    // The working folder's data files are links to the build's; this puts a
    // file of the test's own in the place of one of them.
    void replaceDataFile(const std::string& name, const std::string& content);
    void storeScores(const std::string& content);
    std::string storedScores() const;

    struct Outcome {
        int status = -1;
        std::string errors;  // what the game wrote on stderr
    };
    // Runs the script to its end; the shots and states it names land in the
    // working folder.
    Outcome run(const std::string& script, const RunOptions& options = {});
    // The same, failing the test unless the game ends with status 0; returns
    // what the game wrote on stderr.
    std::string play(const std::string& script, const RunOptions& options = {});

    // Throws std::runtime_error when the script wrote no such file.
    nlohmann::json state(const std::string& name) const;
    Frame shot(const std::string& name) const;

    TempFolder work;
    TempFolder scores;
};

// The game with plain-coloured test pictures (tests/support/TestPictures.h)
// in place of its "general.dat", so that a shot of the menu or a page tells
// exactly what was drawn where.
class TestPicturesRun : public GameRun {
protected:
    void SetUp() override;
};

// How many times the state dump says the sound was played (0 for never).
inline int sound(const nlohmann::json& state, const char* name) { return state["sounds"].value(name, 0); }

// How many times `part` stands in `text`, without overlaps.
int occurrences(const std::string& text, const std::string& part);

}  // namespace ik::test
