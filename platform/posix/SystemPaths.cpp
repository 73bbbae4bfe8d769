#include "platform/SystemPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ik {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::string userDataBase() {
    const std::string base = environment("XDG_DATA_HOME");
    if (!base.empty()) return base;
    const std::string home = environment("HOME");
    return (fs::path(home.empty() ? "." : home) / ".local" / "share").string();
}

std::vector<std::string> systemDataDirs() {
    std::string listed = environment("XDG_DATA_DIRS");
    if (listed.empty()) listed = "/usr/local/share/:/usr/share/";
    std::vector<std::string> dirs;
    size_t start = 0;
    while (start <= listed.size()) {
        size_t end = listed.find(':', start);
        if (end == std::string::npos) end = listed.size();
        const std::string dir = listed.substr(start, end - start);
        // Relative entries are invalid by the XDG rules and are skipped.
        if (!dir.empty() && dir.front() == '/') dirs.push_back(dir);
        start = end + 1;
    }
    return dirs;
}

std::string temporaryDir() {
    const std::string dir = environment("TMPDIR");
    return dir.empty() ? "/tmp" : dir;
}

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::string createTemporaryDir(const std::string& parent, const std::string& prefix) {
    std::string pattern = (fs::path(parent) / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

bool fileReadable(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

bool directoryWritable(const std::string& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0; }

bool directoryReadable(const std::string& dir) { return ::access(dir.c_str(), R_OK | X_OK) == 0; }

}  // namespace ik
