// A change of the score store killed at any moment must leave the old file or
// the new one under the name, never a broken mixture, a torn record or
// nothing at all. A child repeats the change and reports each one completed
// through a pipe; the kills are spread over the time one change takes as the
// child's own reports measure it, so they cover the whole change however fast
// or loaded the machine is.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <thread>

#include "app/Form.h"
#include "app/ScoreStore.h"
#include "tests/support/TempFolder.h"

namespace ik {
namespace {

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

[[noreturn]] void changeForever(const std::string& path, const RepeatedChange& change, int32_t first, int report) {
    try {
        TIniFile store(path);
        for (int32_t n = first;; ++n) {
            change.apply(store, n);
            if (::write(report, &n, sizeof n) != sizeof n) ::_exit(4);
        }
    } catch (...) {
        ::_exit(3);
    }
}

// Reads one report; nothing when the child is gone.
std::optional<int32_t> nextReport(int fd) {
    int32_t n = 0;
    for (;;) {
        const ssize_t got = ::read(fd, &n, sizeof n);
        if (got == sizeof n) return n;
        if (got < 0 && errno == EINTR) continue;
        return std::nullopt;
    }
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
void killRepeatedly(const RepeatedChange& change, int kills, KillCounts& counts) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    writeText(path, change.content(0));
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> partOfAChange(0.0, 1.0);
    int32_t done = 0;

    while (counts.kills < kills) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(report[0]);
            changeForever(path, change, done + 1, report[1]);
        }
        ::close(report[1]);
        const auto first = nextReport(report[0]);
        const Clock::time_point firstAt = Clock::now();
        const auto second = nextReport(report[0]);
        const Clock::duration oneChange = Clock::now() - firstAt;
        if (first && second) {
            std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(oneChange * partOfAChange(random)));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: status " << status;
        ASSERT_TRUE(first && second) << "the child reported no change";
        int32_t reported = *second;
        while (const auto more = nextReport(report[0])) reported = *more;
        ::close(report[0]);
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
    const RepeatedChange write{[](int32_t n) {
                                   return "; kept as it is\r\n[game1]\r\nscore=" + std::to_string(n) +
                                          "\r\n[Settings]\r\nVolume=16\r\n";
                               },
                               [](TIniFile& store, int32_t n) { store.WriteInteger("game1", "score", n); }};
    KillCounts counts;
    ASSERT_NO_FATAL_FAILURE(killRepeatedly(write, 200, counts));
    recordCounts(counts);
    EXPECT_GE(counts.temporaryLeft, 1) << "no kill landed between the temporary file and the rename";
}

// Leaving a game with a better score writes "score" and "verify"; a kill
// between two separate writes left a new score with the old check value.
TEST(RecordUpdateCrashSafety, AKilledUpdateLeavesTheOldOrTheNewRecord) {
    const RepeatedChange leaveAGame{
        [](int32_t n) {
            const int32_t score = 1000 + n;
            return "; records\n[game2]\nscore=5000\nverify=842\n[game1]\nscore=" + std::to_string(score) +
                   "\nverify=" + std::to_string(TForm1::verify_value(score)) + "\n[Settings]\nVolume=16\n";
        },
        [](TIniFile& store, int32_t n) {
            if (!updateRecord(store, "game1", 1000 + n)) throw std::logic_error("a better score was not stored");
        }};
    KillCounts counts;
    ASSERT_NO_FATAL_FAILURE(killRepeatedly(leaveAGame, 200, counts));
    recordCounts(counts);
    EXPECT_GE(counts.temporaryLeft, 1) << "no kill landed between the temporary file and the rename";
}

}  // namespace
}  // namespace ik
