// "scores.dat" as an editor, a full disk or a stray program may leave it:
// every key the game reads, then a record update, which must leave a valid
// record and every other key as it read before.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ScoreStore.h"
#include "display/Exception.h"

namespace {

// A folder in memory, since every update writes, syncs and renames a file.
// libFuzzer may end the process without running destructors, so each run
// removes the folders that earlier runs left behind.
std::string storeFile() {
    namespace fs = std::filesystem;
    const std::string prefix = "ironkeel-fuzz-ini-";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/dev/shm", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const pid_t owner = static_cast<pid_t>(std::atol(name.c_str() + prefix.size()));
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), error);
    }
    const fs::path folder = fs::path("/dev/shm") / (prefix + std::to_string(::getpid()));
    fs::create_directories(folder);
    return (folder / "scores.dat").string();
}

bool same(const ik::StoredRecord& a, const ik::StoredRecord& b) { return a.score == b.score && a.verify == b.verify; }

struct Reading {
    ik::StoredRecord records[4];
    int32_t volume;
    bool easy;
};

bool same(const Reading& a, const Reading& b) {
    for (int i = 0; i < 4; ++i) {
        if (!same(a.records[i], b.records[i])) return false;
    }
    return a.volume == b.volume && a.easy == b.easy;
}

Reading readAll(const ik::TIniFile& store) {
    Reading reading{};
    for (int episode = 1; episode <= 4; ++episode) {
        reading.records[episode - 1] = ik::readRecord(store, ik::recordSection(episode));
    }
    reading.volume = store.ReadInteger("Settings", "Volume", 16);
    reading.easy = store.ReadBool("Settings", "EasyMode", false);
    return reading;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = storeFile();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ik::TIniFile store(path);
    const Reading before = readAll(store);
    constexpr int32_t kScore = 4321;
    try {
        ik::updateRecord(store, ik::recordSection(2), kScore);
    } catch (const ik::Exception&) {
        return 0;  // the store refused the write: nothing to compare
    }
    Reading after = readAll(store);
    const ik::StoredRecord record = after.records[1];
    if (!ik::recordValid(record) || record.score < kScore) __builtin_trap();
    const ik::StoredRecord old = before.records[1];
    if (ik::recordValid(old) && old.score >= kScore && !same(record, old)) __builtin_trap();
    after.records[1] = before.records[1];
    if (!same(after, before)) __builtin_trap();
    return 0;
}
