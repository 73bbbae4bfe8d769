// What a player's system may present under the name "scores.dat" that is no
// regular file, each made at a given path.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ik::test {

struct NotRegularFile {
    const char* name;
    std::function<void(const std::string& path)> make;
};

inline std::vector<NotRegularFile> NotRegularFiles() {
    namespace fs = std::filesystem;
    return {
        {"FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }},
        {"link to /dev/zero", [](const std::string& path) { fs::create_symlink("/dev/zero", path); }},
        {"folder", [](const std::string& path) { fs::create_directory(path); }},
    };
}

}  // namespace ik::test
