#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/PngFiles.h"
#include "tests/support/TextCheck.h"

namespace ik::test {

namespace {

struct TestPicture {
    const char* name;
    int width;
    int height;
    int patternWidth;
    int patternHeight;
    Backdrop colour;
};

std::vector<TestPicture> generalPictures() {
    const auto plain = plainBackdrop;
    return {
        {"loadingscreen", 800, 600, 800, 600, plain(kLoadingScreen)},
        {"keyboard", 150, 80, 150, 80, plain(RGB(200, 200, 200))},
        {"main_menu", 800, 600, 800, 600, menuPicture},
        {"button", 156, 100, 156, 50, [](int, int y) { return y < 50 ? kButtonNormal : kButtonLit; }},
        {"dot", 3, 3, 3, 3, plain(kDot)},
        {"arrow_menu", 8, 8, 8, 8, plain(kArrow)},
    };
}

}  // namespace

void packTestPictures(const std::filesystem::path& folder) {
    const std::filesystem::path source = folder / "general-source";
    std::filesystem::create_directory(source);
    nlohmann::json items = nlohmann::json::array();
    for (const TestPicture& picture : generalPictures()) {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) pixels.push_back(picture.colour(x, y));
        const std::string file = std::string(picture.name) + ".png";
        writeRgbPng((source / file).string(), picture.width, picture.height, pixels);
        items.push_back({{"name", picture.name},
                         {"file", file},
                         {"graphic", "TDIB"},
                         {"bits", 24},
                         {"rle", false},
                         {"pattern_width", picture.patternWidth},
                         {"pattern_height", picture.patternHeight},
                         {"transparent", false},
                         {"transparent_color", 0}});
    }
    std::ofstream(source / "manifest.json") << nlohmann::json{{"kind", "pictures"}, {"items", items}}.dump(2);
    const std::filesystem::path general = folder / "general.dat";
    std::filesystem::remove(general);
    const std::string command =
        std::string(IK_DAT_TOOL) + " pack '" + (source / "manifest.json").string() + "' '" + general.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace ik::test
