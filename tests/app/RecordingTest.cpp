// Recordings end to end: a recorded run replays to the same records, state
// and last frame, and a recording that is not what was recorded is refused
// with one line and status 1, never replayed as a different game.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "tests/support/MenuScript.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

using ik::test::readText;
using ik::test::writeText;

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

class Recordings : public ::testing::Test {
protected:
    // One recorded game for every case: episode 1 played until its record is
    // stored, with a focus loss and a pause in the middle.
    static void SetUpTestSuite() {
        // CTest runs each case in a process of its own, side by side.
        dir_ = fs::path(::testing::TempDir()) / ("ik-recordings-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "scores");
        for (const auto& entry : fs::directory_iterator(IK_DATA_DIR)) {
            if (entry.path().extension() == ".dat") fs::create_symlink(entry.path(), dir_ / entry.path().filename());
        }
        writeText(dir_ / "play.txt",
                  "frames 30\nkey space\nframes 5\n" + ik::test::pointAtMenuButton(1) +
                      "frames 3\nclick\nframes 240\nmove 300 560\n"
                      "frames 150\nfocus off\nwait 500\nfocus on\nframes 30\nkey p\nwait 700\nkey p\nframes 60\n"
                      "key Escape\nframes 30\nstate recorded.json\n");
        recorded_ = run("--headless --script play.txt --seed 7 --scores scores --record game.ikr");
    }
    static void TearDownTestSuite() {
        if (!std::getenv("IK_KEEP_TEST_FILES")) fs::remove_all(dir_);
    }

    static Outcome run(const std::string& arguments) {
        Outcome result;
        const std::string command =
            "cd '" + dir_.string() + "' && '" IK_IRONKEEL "' " + arguments + " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readText(dir_ / "out.txt");
        result.err = readText(dir_ / "err.txt");
        return result;
    }

    static inline fs::path dir_;
    static inline Outcome recorded_;
};

TEST_F(Recordings, AReplayStoresTheSameRecordsAndEndsInTheSameStateAndFrame) {
    ASSERT_EQ(recorded_.status, 0) << recorded_.err;
    const std::string recording = readText(dir_ / "game.ikr");
    ASSERT_NE(recording.find("\nrecord game1 "), std::string::npos) << "the recorded game stored no record";
    ASSERT_NE(recording.find("\nfocus off\n"), std::string::npos);

    Outcome verify = run("--verify game.ikr --final-state replayed.json");
    EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
    EXPECT_NE(verify.out.find("episode: game1\n"), std::string::npos) << verify.out;
    EXPECT_NE(verify.out.find("result: ended as recorded\n"), std::string::npos) << verify.out;

    fs::create_directories(dir_ / "replay-scores");
    Outcome replay = run("--headless --replay game.ikr --scores replay-scores");
    EXPECT_EQ(replay.status, 0) << replay.err;
    EXPECT_EQ(readText(dir_ / "replay-scores" / "scores.dat"), readText(dir_ / "scores" / "scores.dat"));
    // The script's own dump came before the closing; both show the game's end.
    const std::string replayed = readText(dir_ / "replayed.json");
    EXPECT_NE(replayed.find("\"score\""), std::string::npos);
}

TEST_F(Recordings, ARecordingIsAScriptTheHeadlessRunnerPlaysBack) {
    ASSERT_EQ(recorded_.status, 0) << recorded_.err;
    fs::create_directories(dir_ / "script-scores");
    Outcome asScript = run("--headless --script game.ikr --scores script-scores");
    EXPECT_EQ(asScript.status, 0) << asScript.err;
    EXPECT_EQ(readText(dir_ / "script-scores" / "scores.dat"), readText(dir_ / "scores" / "scores.dat"));
}

TEST_F(Recordings, AReplayNeverWritesOverThePlayersRecords) {
    ASSERT_EQ(recorded_.status, 0) << recorded_.err;
    const std::string before = readText(dir_ / "scores" / "scores.dat");
    Outcome replay = run("--headless --replay game.ikr");
    EXPECT_EQ(replay.status, 0) << replay.err;
    EXPECT_NE(replay.err.find("the replay's scores.dat: "), std::string::npos) << replay.err;
    EXPECT_EQ(readText(dir_ / "scores" / "scores.dat"), before);
}

// Each damaged recording is refused with one line naming what is wrong.
TEST_F(Recordings, ADamagedRecordingGetsOneLineAndStatusOne) {
    ASSERT_EQ(recorded_.status, 0) << recorded_.err;
    const std::string good = readText(dir_ / "game.ikr");
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    auto lineAfter = [&](const std::string& start) {
        const size_t at = good.find(start);
        return good.substr(at, good.find('\n', at + 1) - at + 1);
    };
    const std::string recordLine = lineAfter("\nrecord game1 ").substr(1);
    struct Case {
        const char* name;
        std::string content;
        const char* message;
    };
    const Case cases[] = {
        {"cut in the middle of the game", good.substr(0, good.size() / 2),
         "without its end line: the run was cut short"},
        {"cut in the middle of a line", good.substr(0, good.size() / 2 + 3), "without its end line"},
        {"cut in the header", good.substr(0, good.find("data series2")), "header is incomplete"},
        {"another format", replace("recording 1\n", "recording 2\n"), "recording format 2, this build reads format 1"},
        {"other data files", replace("data waves.dat ", "data waves.dat 0"),
         "recorded with other data files (waves.dat differ)"},
        {"another seed", replace("seed 7\n", "seed 8\n"), "NOT as recorded"},
        {"a language this build lacks", replace("language cs\n", "language xx\n"),
         "played in language 'xx', which this build does not speak"},
        {"another language", replace("language cs\n", "language en\n"), "recorded with other data files"},
        {"a key taken out", replace("\nvkdown 27 0\n", "\n"), "NOT as recorded"},
        {"a better record written in", replace(recordLine, "record game1 999999\n"), "NOT as recorded"},
        {"a line added after the end", good + "idle\n", "lines after the end line"},
        {"a changed last frame", replace("\nend ", "\nend 1"), "NOT as recorded"},
        {"no recording at all", "frames 3\n", "not a recording"},
        {"an empty file", "", "not a recording"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(dir_ / "damaged.ikr", c.content);
        Outcome verify = run("--verify damaged.ikr");
        EXPECT_EQ(verify.status, 1);
        EXPECT_NE((verify.out + verify.err).find(c.message), std::string::npos) << verify.out << verify.err;
        EXPECT_EQ(verify.out.find("result: ended as recorded"), std::string::npos);
        EXPECT_EQ(verify.err.find("ERROR"), std::string::npos) << verify.err;
    }
}

}  // namespace
