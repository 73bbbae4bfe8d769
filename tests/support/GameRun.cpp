#include "tests/support/GameRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/TestPictures.h"

namespace ik::test {

namespace fs = std::filesystem;

void GameRun::SetUp() {
    // Links, not copies: the game only reads them, and a test that spoils
    // one replaces the link (replaceDataFile), never the build's file.
    int linked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(IK_DATA_DIR)) {
        if (entry.path().extension() != ".dat") continue;
        fs::create_symlink(entry.path(), work.path() / entry.path().filename());
        ++linked;
    }
    ASSERT_GT(linked, 0) << IK_DATA_DIR << " holds the data files the build makes";
}

void GameRun::replaceDataFile(const std::string& name, const std::string& content) {
    fs::remove(work.path() / name);
    writeText(work.file(name), content);
}

void TestPicturesRun::SetUp() {
    ASSERT_NO_FATAL_FAILURE(GameRun::SetUp());
    ASSERT_NO_FATAL_FAILURE(packTestPictures(work.path()));
}

void GameRun::storeScores(const std::string& content) { writeText(scores.file("scores.dat"), content); }

std::string GameRun::storedScores() const { return readText(scores.file("scores.dat")); }

GameRun::Outcome GameRun::run(const std::string& script, const RunOptions& options) {
    writeText(work.file("script.txt"), script);
    const std::string program = options.program.empty() ? IK_IRONKEEL : options.program;
    const std::string errors = work.file("stderr.txt");
    // The time limit only ends a game that hangs; every run waits for its end.
    const std::string command = "cd '" + work.path().string() + "' && timeout 300 '" + program +
                                "' --headless --script script.txt --seed " + std::to_string(options.seed) +
                                " --scores '" + scores.path().string() + "' " + options.arguments + " 2>'" + errors +
                                "'";
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.errors = readText(errors);
    return outcome;
}

std::string GameRun::play(const std::string& script, const RunOptions& options) {
    const Outcome outcome = run(script, options);
    EXPECT_EQ(outcome.status, 0) << script << "\n" << outcome.errors;
    return outcome.errors;
}

nlohmann::json GameRun::state(const std::string& name) const {
    std::ifstream in(work.file(name));
    if (!in) throw std::runtime_error("the script wrote no " + name);
    return nlohmann::json::parse(in);
}

Frame GameRun::shot(const std::string& name) const { return readShot(work.file(name)); }

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

}  // namespace ik::test
