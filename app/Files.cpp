#include "app/Files.h"

#include <filesystem>
#include <system_error>

#include "app/InstallLayout.h"
#include "audio/TrackPlayerLibrary.h"

namespace ik {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(utf8Path(path), error);
}

std::string userDataDir() { return utf8String(utf8Path(userDataBase()) / "ironkeel"); }

std::string installedDataDir() { return utf8String((utf8Path(executableDir()) / kRelativeDataDir).lexically_normal()); }

bool runsFromInstallTree() {
    if (kSingleFolderInstall) return false;
    std::error_code error;
    return fs::is_directory(utf8Path(installedDataDir()), error);
}

std::vector<std::string> dataSearchDirs() {
    std::vector<std::string> dirs = {".", installedDataDir(), userDataDir()};
    for (const std::string& dir : systemDataDirs())
        dirs.push_back(utf8String((utf8Path(dir) / "ironkeel").lexically_normal()));
    return dirs;
}

std::string findDataFile(const std::string& name) {
    for (const std::string& dir : dataSearchDirs()) {
        const std::string path = dir == "." ? name : utf8String(utf8Path(dir) / name);
        if (FileExists(path) && fileReadable(path)) return path;
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
        const fs::path shown = dir == "." ? fs::current_path(error) : utf8Path(dir);
        report += (first ? "" : ", ") + utf8String(shown);
        if (fs::exists(utf8Path(dir), error) && !directoryReadable(dir)) report += " (not readable)";
        first = false;
    }
    return report;
}

std::string scoresPath(const std::string& overrideDir) {
    fs::path dir;
    if (!overrideDir.empty()) {
        dir = utf8Path(overrideDir);
    } else if (!runsFromInstallTree() && directoryWritable(executableDir())) {
        dir = utf8Path(executableDir());
    } else {
        dir = utf8Path(userDataDir());
        std::error_code error;
        fs::create_directories(dir, error);
    }
    return utf8String(dir / "scores.dat");
}

std::string tempMusicDir(const std::string& scoresDir) {
    if (directoryWritable(".")) return ".";
    // A single-folder install keeps the user's records in a roaming profile:
    // a scratch copy of the music belongs to the system's temporary folder.
    if (kSingleFolderInstall) return temporaryDir();
    return utf8String(utf8Path(scoresPath(scoresDir)).parent_path());
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
    if (FileExists(utf8String(utf8Path(beside) / trackAudioFileName()))) return beside;
    return utf8String((utf8Path(beside) / kRelativeLibraryDir).lexically_normal());
}

}  // namespace ik
