// Where the game's files live: data files in the working folder, "scores.dat"
// beside the executable (or in the user's data folder when that is not
// writable), "libtrackaudio.so" beside the executable.
#pragma once

#include <string>

namespace ik {

bool FileExists(const std::string& path);
bool DirectoryWritable(const std::string& dir);
// The folder of the running executable (of /proc/self/exe).
std::string ExecutableDir();
// "$XDG_DATA_HOME/ironkeel", or "~/.local/share/ironkeel" when the variable is unset or empty.
std::string UserDataDir();
// The full path of "scores.dat": in `overrideDir` when given, else beside the
// executable when that folder is writable, else in the user's data folder
// (created when missing).
std::string ScoresPath(const std::string& overrideDir);
// "ironkeel.png", the window's icon: in the working folder, else beside the
// executable; empty when neither has it.
std::string IconPath();

}  // namespace ik
