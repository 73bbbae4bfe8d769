#include "tools/assetgen/Generate.h"

#include <fstream>

#include "tools/assetgen/Music.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/PngWriter.h"
#include "tools/assetgen/Sounds.h"

namespace ik::art {

void generateAll(const std::filesystem::path& workDir, const std::filesystem::path& dataDir) {
    std::filesystem::create_directories(dataDir);
    writePictureFile(workDir / "general", generalPictures());
    writePictureFile(workDir / "series1", series1Pictures());
    writePictureFile(workDir / "series2", series2Pictures());
    writePictureFile(workDir / "series3", series3Pictures());
    writePictureFile(workDir / "series4", series4Pictures());
    writeWaveFile(workDir / "waves", allSounds());
    std::vector<uint8_t> module = music::composeModule();
    std::ofstream(dataDir / "music.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(module.data()), static_cast<std::streamsize>(module.size()));
    int iconSize = 0;
    std::vector<uint32_t> icon = programIcon(iconSize);
    writePngWithAlpha(dataDir / "ironkeel.png", iconSize, iconSize, icon);
}

}  // namespace ik::art
