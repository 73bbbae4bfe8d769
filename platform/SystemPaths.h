// What the operating system says about folders: where the running program
// is, where a user's data and the temporary files go, where the system keeps
// shared data, and what a folder allows. Each system implements it in its
// own folder; the game decides where its files live in app/Files.h. Paths are
// UTF-8 on every system.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace ik {

// The path a UTF-8 string names, on every system (a narrow string would be
// read in the system's own code page on Windows).
std::filesystem::path utf8Path(const std::string& text);
// The UTF-8 string of a path.
std::string utf8String(const std::filesystem::path& path);
// std::fopen for a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

// The folder of the running executable.
std::string executableDir();
// The folder under which a user's application data goes ("$XDG_DATA_HOME",
// "~/.local/share"; "%APPDATA%").
std::string userDataBase();
// The system's folders of shared application data, in order of preference
// (each "$XDG_DATA_DIRS" entry; none on Windows).
std::vector<std::string> systemDataDirs();
// The folder for files nobody keeps ("$TMPDIR" or "/tmp"; "%TEMP%").
std::string temporaryDir();

// A new folder of this user's own in `parent`, named `prefix` and six more
// letters; empty when none can be made.
std::string createTemporaryDir(const std::string& parent, const std::string& prefix);

bool fileReadable(const std::string& path);
// Whether new files can be created in the folder.
bool directoryWritable(const std::string& dir);
// Whether the folder's entries can be listed and opened.
bool directoryReadable(const std::string& dir);

}  // namespace ik
