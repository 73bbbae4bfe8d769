#pragma once

#include <filesystem>

namespace ik::art {

// Writes WORKDIR/{general,series1..series4,waves}/ (PNG or WAV files and
// manifest.json each), WORKDIR/icons/NxN/apps/ironkeel.png for the icon
// theme, DATADIR/music.dat and DATADIR/ironkeel.png (the window's icon).
void generateAll(const std::filesystem::path& workDir, const std::filesystem::path& dataDir);

}  // namespace ik::art
