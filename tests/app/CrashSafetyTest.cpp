// A change of the score store killed at any moment must leave the old file or
// the new one under the name, never a broken mixture, a torn record or
// nothing at all. A child (this program started again) repeats the change and
// reports each one completed through a pipe; the kills are spread over the
// time one change takes as the child's own reports measure it, so they cover
// the whole change however fast or loaded the machine is.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "app/Form.h"
#include "app/ScoreStore.h"
#include "platform/ProgramStart.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace ik {
namespace {

using test::ChildProcess;
using test::readText;
using test::TempFolder;
using test::writeText;

using Clock = std::chrono::steady_clock;

// One kind of change: the whole file after change number n, and the change.
struct RepeatedChange {
    std::function<std::string(int32_t n)> content;
    std::function<void(TIniFile& store, int32_t n)> apply;
};

struct KillCounts {
    int kills = 0;
    int oldFile = 0;        // killed before the change took the name
    int newFile = 0;        // killed after, before it was reported
    int temporaryLeft = 0;  // killed between creating the temporary file and the rename
};

// The changes the tests make, by the name the child is given.
const std::map<std::string, RepeatedChange>& changes() {
    static const std::map<std::string, RepeatedChange> table = {
        {"write",
         {[](int32_t n) {
              return "; kept as it is\r\n[game1]\r\nscore=" + std::to_string(n) + "\r\n[Settings]\r\nVolume=16\r\n";
          },
          [](TIniFile& store, int32_t n) { store.WriteInteger("game1", "score", n); }}},
        // Leaving a game with a better score writes "score" and "verify"; a
        // kill between two separate writes left a new score with the old
        // check value.
        {"update",
         {[](int32_t n) {
              const int32_t score = 1000 + n;
              return "; records\n[game2]\nscore=5000\nverify=842\n[game1]\nscore=" + std::to_string(score) +
                     "\nverify=" + std::to_string(TForm1::verify_value(score)) + "\n[Settings]\nVolume=16\n";
          },
          [](TIniFile& store, int32_t n) {
              if (!updateRecord(store, "game1", 1000 + n)) throw std::logic_error("a better score was not stored");
          }}},
    };
    return table;
}

// The child: applies the change again and again, one line on its output for
// each change done, until it is killed.
int changeForever(const std::string& name, const std::string& path, int32_t first) {
    try {
        const RepeatedChange& change = changes().at(name);
        TIniFile store(path);
        for (int32_t n = first;; ++n) {
            change.apply(store, n);
            if (std::printf("%d\n", n) < 0 || std::fflush(stdout) != 0) return 4;
        }
    } catch (...) {
        return 3;
    }
}

std::optional<int32_t> nextReport(ChildProcess& child) {
    const auto line = child.readLine();
    if (!line) return std::nullopt;
    return std::stoi(*line);
}

size_t temporaryFiles(const TempFolder& folder) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().filename() != "scores.dat") ++count;
    return count;
}

// Starts a child on the change after `done`, waits for two of its reports,
// sleeps a random part of the time between them and kills it. Then the file
// must hold the last change reported or the one after it.
void killRepeatedly(const std::string& name, int kills, KillCounts& counts) {
    const RepeatedChange& change = changes().at(name);
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    writeText(path, change.content(0));
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> partOfAChange(0.0, 1.0);
    int32_t done = 0;

    while (counts.kills < kills) {
        ChildProcess child({"--change-forever", name, path, std::to_string(done + 1)});
        const auto first = nextReport(child);
        const Clock::time_point firstAt = Clock::now();
        const auto second = nextReport(child);
        const Clock::duration oneChange = Clock::now() - firstAt;
        if (first && second) {
            std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(oneChange * partOfAChange(random)));
        }
        ASSERT_TRUE(child.kill()) << "the child stopped by itself";
        ASSERT_TRUE(first && second) << "the child reported no change";
        int32_t reported = *second;
        while (const auto more = nextReport(child)) reported = *more;
        ++counts.kills;

        const std::string content = readText(path);
        if (content == change.content(reported)) {
            ++counts.oldFile;
            done = reported;
        } else if (content == change.content(reported + 1)) {
            ++counts.newFile;
            done = reported + 1;
        } else {
            FAIL() << "after kill " << counts.kills << " (change " << reported << " reported): \"" << content << "\"";
        }
        const size_t left = temporaryFiles(folder);
        if (left > 0) ++counts.temporaryLeft;
        // What the next start of the game does with them.
        TIniFile(path).RemoveStaleTemporaryFiles();
        ASSERT_EQ(temporaryFiles(folder), 0u) << "after kill " << counts.kills;
    }
}

void recordCounts(const KillCounts& counts) {
    ::testing::Test::RecordProperty("kills", counts.kills);
    ::testing::Test::RecordProperty("old_file", counts.oldFile);
    ::testing::Test::RecordProperty("new_file", counts.newFile);
    ::testing::Test::RecordProperty("temporary_left", counts.temporaryLeft);
    std::printf("kills %d: old file %d, new file %d, temporary file left %d\n", counts.kills, counts.oldFile,
                counts.newFile, counts.temporaryLeft);
}

TEST(TIniFileCrashSafety, AKilledWriteLeavesTheOldOrTheNewFile) {
    KillCounts counts;
    ASSERT_NO_FATAL_FAILURE(killRepeatedly("write", 200, counts));
    recordCounts(counts);
    EXPECT_GE(counts.temporaryLeft, 1) << "no kill landed between the temporary file and the rename";
}

TEST(RecordUpdateCrashSafety, AKilledUpdateLeavesTheOldOrTheNewRecord) {
    KillCounts counts;
    ASSERT_NO_FATAL_FAILURE(killRepeatedly("update", 200, counts));
    recordCounts(counts);
    EXPECT_GE(counts.temporaryLeft, 1) << "no kill landed between the temporary file and the rename";
}

}  // namespace
}  // namespace ik

// "--change-forever CHANGE PATH FIRST" makes this program the child.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments = ik::startProgram(argc, argv);
    if (arguments.size() == 4 && arguments[0] == "--change-forever")
        return ik::changeForever(arguments[1], arguments[2], std::stoi(arguments[3]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
