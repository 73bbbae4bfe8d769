// Where the game's files live.
// - Data files ("general.dat", ...): the working folder first, so that a folder
//   of original data files still works by starting the game there; then the
//   installed data folder found from the executable; then the user's data
//   folder ("$XDG_DATA_HOME/ironkeel", "%APPDATA%\ironkeel") and each
//   "$XDG_DATA_DIRS/ironkeel".
// - "scores.dat": beside the executable when the game runs from its build or
//   an unpacked folder that is writable; from an install tree, or when that
//   folder is not writable, in the user's data folder.
// - "~temp.xm": the working folder when it is writable, else beside
//   "scores.dat" (a single-folder install: the system's temporary folder).
// - The music library ("libtrackaudio.so", "trackaudio.dll"): beside the
//   executable, else in the install tree's private library folder; never from
//   the system's library path.
// - The message catalogues ("LANG/LC_MESSAGES/ironkeel.mo"): in "locale" beside
//   the executable (the build, a single-folder install), then in the install
//   tree's locale folder.
// On Windows the install is one folder: the game, its data and its libraries.
#pragma once

#include <string>
#include <vector>

#include "platform/SystemPaths.h"

namespace ik {

bool FileExists(const std::string& path);
// The user's data folder: "$XDG_DATA_HOME/ironkeel" ("~/.local/share/ironkeel"
// when the variable is unset or empty), "%APPDATA%\ironkeel".
std::string userDataDir();
// The install tree's data folder as found from the executable.
std::string installedDataDir();
// True when the executable sits in an install tree (its data folder is there).
bool runsFromInstallTree();

// The folders searched for data files, in order; "." is the working folder.
std::vector<std::string> dataSearchDirs();
// The path of data file `name` in the first searched folder that holds it
// readable; empty when none does.
std::string findDataFile(const std::string& name);
// One line for stderr: which of `names` were not found and every folder that
// was searched, with the ones that could not be read marked.
std::string missingDataReport(const std::vector<std::string>& names);

// The full path of "scores.dat": in `overrideDir` when given, else as above
// (the user's data folder is created when missing).
std::string scoresPath(const std::string& overrideDir);
// The folder "~temp.xm" is written to.
std::string tempMusicDir(const std::string& scoresDir);
// The path of the message catalogue of `language`; empty when there is none.
std::string findCatalogue(const std::string& language);
// The folder the music library is loaded from.
std::string trackAudioDir();

}  // namespace ik
