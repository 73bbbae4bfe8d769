// ironkeel-dat end to end: pack files, list and extract them again.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "assets/PngFile.h"
#include "assets/WavFile.h"
#include "display/Color.h"
#include "tests/support/AssetFiles.h"

namespace ik {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using nlohmann::ordered_json;

struct ToolRun {
    int status;
    std::string out, err;
};

class DatTool : public ::testing::Test {
protected:
    DatTool() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir =
            fs::temp_directory_path() / ("ironkeel-dat-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~DatTool() override { fs::remove_all(dir); }

    ToolRun run(const std::string& arguments) {
        std::string command = std::string(IK_DAT_TOOL) + " " + arguments + " > " + (dir / "out").string() + " 2> " +
                              (dir / "err").string();
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "out"), slurp(dir / "err")};
    }
    static std::string slurp(const fs::path& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    void writeManifest(const json& manifest) { std::ofstream(path("manifest.json")) << manifest.dump(2); }
    std::vector<ordered_json> list(const std::string& file) {
        ToolRun listed = run("list " + path(file));
        EXPECT_EQ(listed.status, 0) << listed.err;
        std::vector<ordered_json> entries;
        std::istringstream lines(listed.out);
        for (std::string line; std::getline(lines, line);) entries.push_back(ordered_json::parse(line));
        return entries;
    }

    fs::path dir;
};

RgbImage primaries(int width, int height) {
    const TColor colours[] = {clBlack, clWhite, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255)};
    RgbImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) image.pixels.push_back(colours[(i / 3 + i % 5) % 6]);
    return image;
}

TEST_F(DatTool, PicturesRoundTrip) {
    struct Entry {
        json manifest;
        RgbImage image;
        int bitcount, compression, patterns;
    } entries[] = {
        {{{"name", "main_menu"}, {"file", "menu.png"}}, test::gradient(37, 21), 24, 0, 1},
        {{{"name", "button"},
          {"file", "button.png"},
          {"bits", 8},
          {"rle", true},
          {"pattern_height", 5},
          {"transparent", false},
          {"transparent_color", 0xFF00FF}},
         primaries(12, 10),
         8,
         1,
         2},
        {{{"name", "ohen_ep3"},
          {"file", "ohen.png"},
          {"graphic", "TBitmap"},
          {"bits", 16},
          {"pattern_width", 4},
          {"pattern_height", 4},
          {"skip_width", 1},
          {"skip_height", 2},
          {"system_memory", true}},
         primaries(14, 11),
         16,
         3,
         6},
    };
    json items = json::array();
    for (const Entry& e : entries) {
        writePng(path(e.manifest["file"]), e.image.width, e.image.height, e.image.pixels);
        items.push_back(e.manifest);
    }
    writeManifest({{"kind", "pictures"}, {"items", items}});
    ToolRun packed = run("pack " + path("manifest.json") + " " + path("general.dat"));
    ASSERT_EQ(packed.status, 0) << packed.err;

    std::vector<ordered_json> listed = list("general.dat");
    ASSERT_EQ(listed.size(), std::size(entries));
    for (size_t i = 0; i < listed.size(); ++i) {
        const Entry& e = entries[i];
        const ordered_json& got = listed[i];
        std::vector<std::string> keys;
        for (const auto& [key, value] : got.items()) keys.push_back(key);
        EXPECT_EQ(keys,
                  (std::vector<std::string>{"index", "name", "width", "height", "bitcount", "graphic", "compression",
                                            "pattern_width", "pattern_height", "skip_width", "skip_height",
                                            "system_memory", "transparent", "transparent_color", "patterns"}));
        EXPECT_EQ(got["index"], i);
        EXPECT_EQ(got["name"], e.manifest["name"]);
        EXPECT_EQ(got["width"], e.image.width);
        EXPECT_EQ(got["height"], e.image.height);
        EXPECT_EQ(got["bitcount"], e.bitcount);
        EXPECT_EQ(got["compression"], e.compression);
        EXPECT_EQ(got["graphic"], e.manifest.value("graphic", "TDIB"));
        for (const char* field :
             {"pattern_width", "pattern_height", "skip_width", "skip_height", "transparent_color"}) {
            EXPECT_EQ(got[field], e.manifest.value(field, 0)) << field;
        }
        EXPECT_EQ(got["system_memory"], e.manifest.value("system_memory", false));
        EXPECT_EQ(got["transparent"], e.manifest.value("transparent", true));
        EXPECT_EQ(got["patterns"], e.patterns);
    }

    ToolRun extracted = run("extract " + path("general.dat") + " " + path("out-dir"));
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    const char* files[] = {"000-main_menu.png", "001-button.png", "002-ohen_ep3.png"};
    for (size_t i = 0; i < std::size(entries); ++i) {
        RgbImage back = readPng(path(std::string("out-dir/") + files[i]));
        EXPECT_EQ(back.width, entries[i].image.width);
        EXPECT_EQ(back.pixels, entries[i].image.pixels) << files[i];
    }
}

TEST_F(DatTool, WavesRoundTrip) {
    struct Entry {
        json manifest;
        int channels, rate, bits;
        std::string samples;
    } entries[] = {
        {{{"name", "gameover"}, {"file", "gameover.wav"}}, 1, 11025, 8, "abc"},
        {{{"name", "shot_ep3"}, {"file", "shot.wav"}, {"looped", true}, {"max_playing_count", 4}},
         2,
         44100,
         16,
         std::string(9000, 'z')},
    };
    json items = json::array();
    for (const Entry& e : entries) {
        TMemoryStream image(test::riffImage(
            {{"fmt ", test::pcmFormat(e.channels, e.rate, e.bits)}, {"data", {e.samples.begin(), e.samples.end()}}}));
        TWave wave;
        wave.ReadWaveFile(image);
        writeWavFile(path(e.manifest["file"]), wave);
        items.push_back(e.manifest);
    }
    writeManifest({{"kind", "waves"}, {"items", items}});
    ToolRun packed = run("pack " + path("manifest.json") + " " + path("waves.dat"));
    ASSERT_EQ(packed.status, 0) << packed.err;

    std::vector<ordered_json> listed = list("waves.dat");
    ASSERT_EQ(listed.size(), 2u);
    for (size_t i = 0; i < listed.size(); ++i) {
        const Entry& e = entries[i];
        ordered_json expected = {{"index", i},
                                 {"name", e.manifest["name"]},
                                 {"looped", e.manifest.value("looped", false)},
                                 {"max_playing_count", e.manifest.value("max_playing_count", 0)},
                                 {"format_tag", 1},
                                 {"channels", e.channels},
                                 {"rate", e.rate},
                                 {"bits", e.bits},
                                 {"format_size", 16},
                                 {"data_size", e.samples.size()}};
        EXPECT_EQ(listed[i], expected);
    }

    ToolRun extracted = run("extract " + path("waves.dat") + " " + path("sounds"));
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    TWave back;
    readWavFile(path("sounds/001-shot_ep3.wav"), back);
    EXPECT_EQ(std::string(back.Data(), back.Data() + back.Size()), entries[1].samples);
    EXPECT_EQ(back.Format(), test::pcmFormat(2, 44100, 16));
}

// A 4096 x 4096 picture cut into 1 x 1 patterns, in a few hundred bytes:
// run-length data that ends the bitmap at once.
TEST_F(DatTool, OnePixelPatternsOfALargePictureAreCountedNotStored) {
    ComponentWriter dib;
    dib.WriteShortText("TDIB");
    for (int32_t field : {40, 4096, 4096}) dib.WriteRawInt32(field);
    dib.WriteRaw(std::vector<uint8_t>{1, 0, 8, 0});                     // planes, bit count
    for (int32_t field : {1, 2, 0, 0, 2, 0}) dib.WriteRawInt32(field);  // RLE8, 2 bytes, 2 colours
    dib.WriteRaw(std::vector<uint8_t>{0, 0, 0, 0, 255, 255, 255, 0, 0, 1});
    writeWholeFile(path("grid.dat"), test::pictureFile({[&](ComponentWriter& w) {
                       w.WritePropertyName("Name");
                       w.WriteString("grid");
                       for (const char* size : {"PatternWidth", "PatternHeight"}) {
                           w.WritePropertyName(size);
                           w.WriteInteger(1);
                       }
                       w.WritePropertyName("Picture.Data");
                       w.WriteBinary(dib.Finish());
                   }}));
    ToolRun listed = run("list " + path("grid.dat"));
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "{\"index\":0,\"name\":\"grid\",\"width\":4096,\"height\":4096,\"bitcount\":8,\"graphic\":\"TDIB\","
              "\"compression\":1,\"pattern_width\":1,\"pattern_height\":1,\"skip_width\":0,\"skip_height\":0,"
              "\"system_memory\":false,\"transparent\":true,\"transparent_color\":0,\"patterns\":16777216}\n");
}

TEST_F(DatTool, ErrorsGoToStderrWithStatus1) {
    std::vector<uint32_t> many;
    for (uint32_t i = 0; i < 300; ++i) many.push_back(RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 0));
    writePng(path("many.png"), 300, 1, many);
    std::vector<uint8_t> broken = test::pictureFile({[](ComponentWriter& w) {
        w.WritePropertyName("Name");
        w.WriteInteger(3);
    }});
    writeWholeFile(path("broken.dat"), broken);
    struct Case {
        const char* what;
        json manifest;  // null: no pack step
        std::string arguments;
        std::string message;
    } cases[] = {
        {"missing file", nullptr, "list " + path("none.dat"), "Cannot open file " + path("none.dat")},
        {"reader failure", nullptr, "list " + path("broken.dat"),
         "Error reading TPictureCollectionComponent.List: Error reading TPictureCollectionItem.Name: Invalid property "
         "value"},
        {"forced kind", nullptr, "list --waves " + path("broken.dat"),
         "Error reading TWaveCollectionComponent.List.ColorTable: Property does not exist"},
        {"too many colours for 8 bits",
         {{"kind", "pictures"}, {"items", {{{"name", "m"}, {"file", "many.png"}, {"bits", 8}}}}},
         "pack " + path("manifest.json") + " " + path("x.dat"),
         path("manifest.json") +
             ": item 0 (many.png): Picture has more than 256 colours; it cannot be stored with 8 bits"},
        {"unknown field",
         {{"kind", "pictures"}, {"items", {{{"name", "m"}, {"file", "many.png"}, {"bitz", 8}}}}},
         "pack " + path("manifest.json") + " " + path("x.dat"),
         path("manifest.json") + ": item 0 (many.png): unknown field \"bitz\""},
        {"unknown kind",
         {{"kind", "music"}, {"items", json::array()}},
         "pack " + path("manifest.json") + " " + path("x.dat"),
         path("manifest.json") + ": \"kind\" must be \"pictures\" or \"waves\""},
    };
    for (const Case& c : cases) {
        if (!c.manifest.is_null()) writeManifest(c.manifest);
        ToolRun result = run(c.arguments);
        EXPECT_EQ(result.status, 1) << c.what;
        EXPECT_EQ(result.err, "ironkeel-dat: " + c.message + "\n") << c.what;
        EXPECT_EQ(result.out, "") << c.what;
    }
}

TEST_F(DatTool, ExtractedNamesStayInsideTheFolder) {
    writeWholeFile(path("evil.dat"), test::pictureFile({test::pictureItem("../../escape", test::gradient(2, 2))}));
    ToolRun extracted = run("extract " + path("evil.dat") + " " + path("pictures"));
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_TRUE(fs::exists(path("pictures/000-.._.._escape.png")));
    EXPECT_FALSE(fs::exists(dir / "escape.png"));
}

}  // namespace
}  // namespace ik
