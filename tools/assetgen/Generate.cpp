#include "tools/assetgen/Generate.h"

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
    int iconSize = 0;
    std::vector<uint32_t> icon = programIcon(iconSize);
    writePngWithAlpha(dataDir / "ironkeel.png", iconSize, iconSize, icon);
}

}  // namespace ik::art
