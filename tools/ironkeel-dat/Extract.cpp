#include <filesystem>

#include "assets/AssetErrors.h"
#include "assets/PngFile.h"
#include "assets/WavFile.h"
#include "tools/ironkeel-dat/DatFile.h"

namespace ik::dat {

int extract(const std::string& path, const std::string& dir, Kind kind) {
    DatFile dat = loadDatFile(path, kind);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!std::filesystem::is_directory(dir)) throw Exception(Format("Cannot create folder %s", dir));
    const std::filesystem::path folder(dir);
    if (dat.pictures) {
        for (int i = 0; i < dat.pictures->Count(); ++i) {
            const TPictureCollectionItem& item = dat.pictures->Items(i);
            const RgbImage& image = item.Picture();
            if (image.Empty()) continue;  // nothing to show for an empty picture
            writePng((folder / (outputStem(i, item.Name()) + ".png")).string(), image.width, image.height,
                     image.pixels);
        }
    } else {
        for (int i = 0; i < dat.waves->Count(); ++i) {
            const TWaveCollectionItem& item = dat.waves->Items(i);
            writeWavFile((folder / (outputStem(i, item.Name()) + ".wav")).string(), item.Wave());
        }
    }
    return 0;
}

}  // namespace ik::dat
