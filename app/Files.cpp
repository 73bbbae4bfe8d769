#include "app/Files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/InstallLayout.h"
#include "audio/TrackPlayerLibrary.h"

namespace ik {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool Readable(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

}  // namespace

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool directoryWritable(const std::string& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0; }

std::string executableDir() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return fs::current_path(error).string();
    }
    return exe.parent_path().string();
}

std::string userDataDir() {
    fs::path base = environment("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = environment("HOME");
        base = fs::path(home.empty() ? "." : home) / ".local" / "share";
    }
    return (base / "ironkeel").string();
}

std::string installedDataDir() { return (fs::path(executableDir()) / kRelativeDataDir).lexically_normal().string(); }

bool runsFromInstallTree() {
    std::error_code error;
    return fs::is_directory(installedDataDir(), error);
}

std::vector<std::string> dataSearchDirs() {
    std::vector<std::string> dirs = {".", installedDataDir(), userDataDir()};
    std::string systemDirs = environment("XDG_DATA_DIRS");
    if (systemDirs.empty()) systemDirs = "/usr/local/share/:/usr/share/";
    size_t start = 0;
    while (start <= systemDirs.size()) {
        size_t end = systemDirs.find(':', start);
        if (end == std::string::npos) end = systemDirs.size();
        const std::string dir = systemDirs.substr(start, end - start);
        // Relative entries are invalid by the XDG rules and are skipped.
        if (!dir.empty() && dir.front() == '/')
            dirs.push_back((fs::path(dir) / "ironkeel").lexically_normal().string());
        start = end + 1;
    }
    return dirs;
}

std::string findDataFile(const std::string& name) {
    for (const std::string& dir : dataSearchDirs()) {
        const std::string path = dir == "." ? name : (fs::path(dir) / name).string();
        if (FileExists(path) && Readable(path)) return path;
    }
    return {};
}

std::string missingDataReport(const std::vector<std::string>& names) {
    std::string report = "ironkeel: data file";
    std::string missing;
    for (const std::string& name : names) {
        if (!findDataFile(name).empty()) continue;
        missing += (missing.empty() ? " " : ", ") + name;
    }
    report += (missing.find(',') != std::string::npos ? "s" : "") + missing + " not found; searched ";
    bool first = true;
    for (const std::string& dir : dataSearchDirs()) {
        std::error_code error;
        const fs::path shown = dir == "." ? fs::current_path(error) : fs::path(dir);
        report += (first ? "" : ", ") + shown.string();
        if (fs::exists(dir, error) && !(Readable(dir) && ::access(dir.c_str(), X_OK) == 0)) report += " (not readable)";
        first = false;
    }
    return report;
}

std::string scoresPath(const std::string& overrideDir) {
    fs::path dir;
    if (!overrideDir.empty()) {
        dir = overrideDir;
    } else if (!runsFromInstallTree() && directoryWritable(executableDir())) {
        dir = executableDir();
    } else {
        dir = userDataDir();
        std::error_code error;
        fs::create_directories(dir, error);
    }
    return (dir / "scores.dat").string();
}

std::string findCatalogue(const std::string& language) {
    const fs::path file = fs::path(language) / "LC_MESSAGES" / "ironkeel.mo";
    const fs::path exe = executableDir();
    for (const fs::path& dir : {exe / "locale", (exe / kRelativeLocaleDir).lexically_normal()}) {
        const std::string path = (dir / file).string();
        if (FileExists(path)) return path;
    }
    return {};
}

std::string trackAudioDir() {
    const std::string beside = executableDir();
    if (FileExists((fs::path(beside) / kTrackAudioFileName).string())) return beside;
    return (fs::path(beside) / kRelativeLibraryDir).lexically_normal().string();
}

}  // namespace ik
