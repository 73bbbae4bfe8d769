#include "app/Files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ik {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool DirectoryWritable(const std::string& dir) {
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::string ExecutableDir() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return fs::current_path(error).string();
    }
    return exe.parent_path().string();
}

std::string UserDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (xdg != nullptr && *xdg != '\0') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    return (base / "ironkeel").string();
}

std::string ScoresPath(const std::string& overrideDir) {
    fs::path dir;
    if (!overrideDir.empty()) {
        dir = overrideDir;
    } else if (DirectoryWritable(ExecutableDir())) {
        dir = ExecutableDir();
    } else {
        dir = UserDataDir();
        std::error_code error;
        fs::create_directories(dir, error);
    }
    return (dir / "scores.dat").string();
}

std::string IconPath() {
    const std::string name = "ironkeel.png";
    for (const fs::path& dir : {fs::path("."), fs::path(ExecutableDir())}) {
        if (FileExists((dir / name).string())) return (dir / name).string();
    }
    return {};
}

}  // namespace ik
