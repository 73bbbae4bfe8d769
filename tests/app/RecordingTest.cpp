// Recordings end to end: a recorded run replays to the same records, state
// and last frame, and a recording that is not what was recorded is refused
// with one line and status 1, never replayed as a different game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// A recording from anyone is checked line by line before the game starts:
// each case edits one line of a demo, and every way of playing a recording
// back refuses it with one line naming that line, status 1, and no write
// into the records folder it was given.
TEST_F(Recordings, AnEditedLineIsRefusedBeforeTheReplayStarts) {
    const std::string demo = readText(fs::path(IK_DEMOS_DIR) / "episode4-code24.ikr");
    ASSERT_FALSE(demo.empty());
    std::vector<std::string> lines;
    for (size_t at = 0; at < demo.size();) {
        const size_t end = demo.find('\n', at);
        lines.push_back(demo.substr(at, end - at));
        at = end + 1;
    }
    // The number (from 1) of the `nth` line starting with `start`.
    auto find = [&](const std::string& start, int nth) {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind(start, 0) == 0 && --nth == 0) return static_cast<int>(i) + 1;
        }
        ADD_FAILURE() << "the demo has no line " << start;
        return 1;
    };
    auto word = [&](int number, size_t index) {
        std::istringstream words(lines[number - 1]);
        std::string w;
        for (size_t i = 0; i <= index; ++i) words >> w;
        return std::stoull(w);
    };
    struct Case {
        const char* name;
        int line;
        std::string replacement;
        const char* message;
    };
    const int frame = find("frame ", 1);
    const int tenthFrame = find("frame ", 10);
    const int clock = find("clock ", 3);
    const int sleep = find("sleep ", 1);
    const int idles = find("idles ", 1);
    const int key = find("vkdown ", 1);
    const int click = find("mousedown ", 1);
    const int scores = find("scores ", 1);
    const std::string frameClock = std::to_string(word(tenthFrame, 1));
    const Case cases[] = {
        {"a frame far in the future", frame, "frame 4000000000", "the clock moves on"},
        {"a frame before the one before", tenthFrame, "frame " + std::to_string(word(tenthFrame, 1) - 100),
         "the clock runs backwards"},
        {"a delivery 11 minutes late", clock, "clock " + std::to_string(word(clock, 1) + 660000), "the clock moves on"},
        {"a sleep longer than it says", sleep, "sleep 1000 " + std::to_string(word(sleep, 2) + 660000),
         "the clock moves on"},
        {"four billion idle passes", idles, "idles 4000000000 1", "past the 6 hours a recording may hold"},
        {"an idle pass of 11 minutes", idles, "idles 1 660000", "the clock moves on"},
        {"idle passes that take no time", idles, "idles 4000000000 0", "idles needs a count and a step"},
        {"a clock beyond 32 bits", frame, "frame 4294967296", "frame needs the clock after it"},
        {"a key beyond the table", key, "vkdown 4096 0", "vkdown needs a key below 256"},
        {"a mouse button that is none", click, "mousedown 7 10 10", "mousedown needs a button"},
        {"a command no recorder writes", key, "teleport 1 2", "'teleport' is no line of a recording"},
        {"a line of 5000 bytes", key, "vkdown 32 0 " + std::string(5000, '0'), "longer than 4096 bytes"},
        {"a scores.dat of 3 MiB", scores, "scores " + std::string(6u << 20, 'a'), "longer than"},
        {"an end with a frame count beyond 64 bits", find("end ", 1),
         "end 99999999999999999999999 " + std::string(64, '0') + " " + std::string(64, '0'),
         "end needs the frame count and two digests"},
    };
    const std::string storedRecords = "[Settings]\nVolume=3\n";
    fs::create_directories(dir_ / "kept-scores");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string edited;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i + 1 < lines.size() || !lines[i].empty())
                edited += (static_cast<int>(i) + 1 == c.line ? c.replacement : lines[i]) + "\n";
        }
        writeText(dir_ / "edited.ikr", edited);
        const std::string where = "line " + std::to_string(c.line) + ": ";
        for (const char* how : {"--verify edited.ikr", "--headless --replay edited.ikr --scores kept-scores",
                                "--headless --script edited.ikr --scores kept-scores"}) {
            SCOPED_TRACE(how);
            writeText(dir_ / "kept-scores" / "scores.dat", storedRecords);
            const Outcome refused = run(how);
            EXPECT_EQ(refused.status, 1);
            EXPECT_EQ(refused.out, "");
            EXPECT_EQ(refused.err.rfind("ironkeel: edited.ikr: " + where, 0), 0u) << refused.err.substr(0, 300);
            EXPECT_NE(refused.err.find(c.message), std::string::npos) << refused.err.substr(0, 300);
            EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err.substr(0, 300);
            EXPECT_EQ(readText(dir_ / "kept-scores" / "scores.dat"), storedRecords);
        }
    }
    // The demo as it was recorded passes the same checks.
    writeText(dir_ / "edited.ikr", demo);
    const Outcome verified = run("--verify edited.ikr");
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;
}

// Past the cap on the whole file, the reading stops there: one line, status 1.
TEST_F(Recordings, ARecordingPastItsSizeCapIsRefused) {
    const std::string demo = readText(fs::path(IK_DEMOS_DIR) / "episode4-code24.ikr");
    const size_t body = demo.find("\nclock ") + 1;
    {
        std::ofstream out(dir_ / "huge.ikr", std::ios::binary | std::ios::trunc);
        out << demo.substr(0, body);
        // Comment lines, each within the cap on one line, up to 129 MiB.
        const std::string comment = "#" + std::string(4000, '-') + "\n";
        for (size_t written = body; written < (129u << 20); written += comment.size()) out << comment;
        out << demo.substr(body);
    }
    const Outcome refused = run("--verify huge.ikr");
    fs::remove(dir_ / "huge.ikr");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("the recording goes on past 128 MiB"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.rfind("ironkeel: huge.ikr: line ", 0), 0u) << refused.err;
}

}  // namespace
