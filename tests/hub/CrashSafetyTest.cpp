// A write of the score store killed at any moment must leave the old file or
// the new one under the name, never a broken mixture or nothing at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <optional>

#include "app/ScoreStore.h"
#include "tests/hub/TempFolder.h"

namespace ik {
namespace {

using test::readText;
using test::TempFolder;
using test::writeText;

std::string storeContent(int32_t score) {
    return "; kept as it is\r\n[game1]\r\nscore=" + std::to_string(score) + "\r\n[Settings]\r\nVolume=16\r\n";
}

// The score of a file that is exactly one of the contents written, or nothing.
std::optional<int32_t> wholeStoreScore(const std::string& content) {
    const auto start = content.find("score=");
    if (start == std::string::npos) return std::nullopt;
    const auto end = content.find('\r', start);
    if (end == std::string::npos) return std::nullopt;
    const std::string digits = content.substr(start + 6, end - start - 6);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int32_t score = std::stoi(digits);
    if (content != storeContent(score)) return std::nullopt;
    return score;
}

[[noreturn]] void writeForever(const std::string& path) {
    try {
        TIniFile store(path);
        for (int32_t score = store.ReadInteger("game1", "score", 0) + 1;; ++score)
            store.WriteInteger("game1", "score", score);
    } catch (...) {
        ::_exit(3);
    }
}

size_t removeTemporaryFiles(const TempFolder& folder) {
    size_t removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        if (entry.path().filename() == "scores.dat") continue;
        std::filesystem::remove(entry.path());
        ++removed;
    }
    return removed;
}

TEST(TIniFileCrashSafety, AKilledWriteLeavesTheOldOrTheNewFile) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    writeText(path, storeContent(0));

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayUs(0, 3000);
    int32_t lastScore = 0;
    int kills = 0;
    int killsWithTemporaryFile = 0;  // killed after the temporary file was made, before the rename

    while (kills < 400 && !(kills >= 60 && killsWithTemporaryFile >= 10)) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) writeForever(path);
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writing child stopped by itself: status " << status;
        ++kills;

        const std::string content = readText(path);
        const std::optional<int32_t> score = wholeStoreScore(content);
        ASSERT_TRUE(score) << "after kill " << kills << ": \"" << content << "\"";
        EXPECT_GE(*score, lastScore) << "an older file came back";
        lastScore = *score;
        if (removeTemporaryFiles(folder) > 0) ++killsWithTemporaryFile;
    }
    EXPECT_GT(lastScore, 0) << "no write ever completed, so nothing was tested";
    EXPECT_GE(killsWithTemporaryFile, 1) << "no kill landed between the temporary file and the rename";
    RecordProperty("kills", kills);
    RecordProperty("kills_with_temporary_file", killsWithTemporaryFile);
}

}  // namespace
}  // namespace ik
