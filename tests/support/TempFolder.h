// A fresh folder per test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/SystemPaths.h"

namespace ik::test {

class TempFolder {
public:
    TempFolder() {
        const std::string made = createTemporaryDir(::testing::TempDir(), "ik-");
        if (made.empty()) throw std::runtime_error("cannot create a temporary folder");
        path_ = utf8Path(made);
    }
    // IK_KEEP_TEST_FILES keeps the folder for a look at what a test left.
    ~TempFolder() {
        if (std::getenv("IK_KEEP_TEST_FILES")) {
            std::fprintf(stderr, "kept %s\n", utf8String(path_).c_str());
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return utf8String(path_ / utf8Path(name)); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace ik::test
