#include "tools/assetgen/Generate.h"

#include <fstream>
#include <functional>
#include <future>

#include "tools/assetgen/Music.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/PngWriter.h"
#include "tools/assetgen/Sounds.h"

namespace ik::art {

namespace {
constexpr int kWindowIconSize = 64;
constexpr int kThemeIconSizes[] = {IK_ICON_SIZES};  // from the build
}  // namespace

void generateAll(const std::filesystem::path& workDir, const std::filesystem::path& dataDir) {
    std::filesystem::create_directories(dataDir);
    // Each file is made on its own; they share nothing but the font cache,
    // so they are made side by side and the bytes stay the same.
    std::vector<std::function<void()>> jobs = {
        [&] { writePictureFile(workDir / "general", generalPictures()); },
        [&] { writePictureFile(workDir / "series1", series1Pictures()); },
        [&] { writePictureFile(workDir / "series2", series2Pictures()); },
        [&] { writePictureFile(workDir / "series3", series3Pictures()); },
        [&] { writePictureFile(workDir / "series4", series4Pictures()); },
        [&] { writeWaveFile(workDir / "waves", allSounds()); },
        [&] {
            // The variants of the pictures with words, one file beside each.
            for (const Wording& wording : translatedWordings()) {
                const std::string suffix = "." + wording.code;
                writePictureFile(workDir / ("general" + suffix), generalWordPictures(wording));
                writePictureFile(workDir / ("series1" + suffix), series1WordPictures(wording));
                writePictureFile(workDir / ("series2" + suffix), series2WordPictures(wording));
                writePictureFile(workDir / ("series3" + suffix), series3WordPictures(wording));
                writePictureFile(workDir / ("series4" + suffix), series4WordPictures(wording));
            }
        },
        [&] {
            std::vector<uint8_t> module = music::composeModule();
            std::ofstream(dataDir / "music.dat", std::ios::binary)
                .write(reinterpret_cast<const char*>(module.data()), static_cast<std::streamsize>(module.size()));
        },
        [&] {
            // The window's icon, and the desktop's at each size of the icon theme.
            writePngWithAlpha(dataDir / "ironkeel.png", kWindowIconSize, kWindowIconSize, programIcon(kWindowIconSize));
            for (int size : kThemeIconSizes) {
                const std::string square = std::to_string(size) + "x" + std::to_string(size);
                std::filesystem::path folder = workDir / "icons" / square / "apps";
                std::filesystem::create_directories(folder);
                writePngWithAlpha(folder / "ironkeel.png", size, size, programIcon(size));
            }
        },
    };
    std::vector<std::future<void>> running;
    for (auto& job : jobs) running.push_back(std::async(std::launch::async, job));
    for (auto& r : running) r.get();  // rethrows the first failure
}

}  // namespace ik::art
