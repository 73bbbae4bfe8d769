#include "tests/hub/HubGame.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "display/Canvas.h"
#include "display/Drawing.h"
#include "display/Surface.h"

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

void packGeneral(const TempFolder& work) {
    const std::filesystem::path source = work.path() / "general-source";
    std::filesystem::create_directory(source);
    nlohmann::json items = nlohmann::json::array();
    for (const TestPicture& picture : generalPictures()) {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) pixels.push_back(picture.colour(x, y));
        const std::string file = std::string(picture.name) + ".png";
        WriteRgbPng((source / file).string(), picture.width, picture.height, pixels);
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
    const std::string command = std::string(IK_DAT_TOOL) + " pack '" + (source / "manifest.json").string() + "' '" +
                                work.file("general.dat") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string readAll(const std::string& path) { return readText(path); }

}  // namespace

void HubGame::SetUp() {
    ASSERT_NO_FATAL_FAILURE(packGeneral(work));
    // Sounds and the series files are the game's own: the tests here look at
    // the menu, not at the episodes' pictures.
    for (const char* file : {"waves.dat", "series1.dat", "series3.dat"}) {
        const std::filesystem::path built = std::filesystem::path(IK_DATA_DIR) / file;
        ASSERT_TRUE(std::filesystem::exists(built)) << built << " is built with the game's data";
        std::filesystem::copy_file(built, work.path() / file);
    }
}

void HubGame::storeScores(const std::string& content) { writeText(scores.file("scores.dat"), content); }

std::string HubGame::storedScores() const { return readAll(scores.file("scores.dat")); }

HubGame::Outcome HubGame::play(const std::string& script, const std::string& options) {
    writeText(work.file("script.txt"), script);
    const std::string errors = work.file("stderr.txt");
    const std::string command = "cd '" + work.path().string() + "' && timeout 120 " + IK_IRONKEEL +
                                " --headless --script script.txt --seed 1 --scores '" + scores.path().string() +
                                "' " + options + " 2>'" + errors + "'";
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.errors = readAll(errors);
    return outcome;
}

nlohmann::json HubGame::state(const std::string& name) const {
    std::ifstream in(work.file(name));
    if (!in) throw std::runtime_error("no state " + name);
    return nlohmann::json::parse(in);
}

Frame HubGame::shot(const std::string& name) const { return ReadShot(work.file(name)); }

int HubGame::textMismatches(const Frame& frame, const ExpectedText& text, const Backdrop& backdrop) {
    TDirectDrawSurface expected;
    expected.SetSize(frame.width, frame.height);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) expected.SetPixel(x, y, ToRgb565(backdrop(x, y)));
    TDirectDrawSurfaceCanvas& canvas = expected.Canvas();
    canvas.Brush.Style = bsClear;
    canvas.Font.Name = text.font;
    canvas.Font.Size = text.size;
    canvas.Font.Style = text.bold ? fsBold : 0;
    canvas.Font.Color = text.colour;
    canvas.TextOut(text.x, text.y, text.text);
    const int right = std::min(frame.width, text.x + canvas.TextWidth(text.text));
    const int bottom = std::min(frame.height, text.y + canvas.TextHeight());
    canvas.Release();
    int mismatches = 0;
    int inked = 0;
    for (int y = std::max(0, text.y); y < bottom; ++y)
        for (int x = std::max(0, text.x); x < right; ++x) {
            // Only the text's own pixels count: a neighbouring text may reach
            // into the cell (accents rise above theirs).
            if (expected.Pixel(x, y) == ToRgb565(backdrop(x, y))) continue;
            ++inked;
            if (expected.Pixel(x, y) != frame.at(x, y)) ++mismatches;
        }
    // A text that draws nothing would match anything.
    if (inked == 0) return -1;
    return mismatches;
}

int HubGame::count(const Frame& frame, int left, int top, int right, int bottom, TColor colour) {
    int found = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (frame.at(x, y) == ToRgb565(colour)) ++found;
    return found;
}

}  // namespace ik::test
