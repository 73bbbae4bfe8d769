// Every picture and sound the screens look up is in the data file they load,
// with the patterns they draw and the sizes their layout relies on.
#include <gtest/gtest.h>

#include <set>

#include "GeneratedData.h"

namespace ik::test {
namespace {

struct Expected {
    const char* file;
    const char* name;
    int patterns;          // the screens draw patterns 0 .. patterns-1
    int patternWidth = 0;  // when set, the exact pattern size the layout needs
    int patternHeight = 0;
    bool keyed = false;  // drawn over other pictures: needs its colour key
};

const Expected kPictures[] = {
    {"general.dat", "loadingscreen", 1, 800, 600},
    {"general.dat", "keyboard", 1, 150, 80, true},
    {"general.dat", "main_menu", 1, 800, 600},
    {"general.dat", "button", 2, 156, 50, true},
    {"general.dat", "dot", 1, 0, 0, true},
    {"general.dat", "arrow_menu", 1, 0, 0, true},
    {"series1.dat", "back_ep1", 1, 800, 600},
    {"series1.dat", "zahlavi_ep1", 1},
    {"series1.dat", "good_ori_ep1", 1, 0, 0, true},
    {"series1.dat", "bad_ori_ep1", 1, 0, 0, true},
    {"series1.dat", "good_ep1", 3, 50, 50, true},
    {"series1.dat", "bad_ep1", 3, 50, 50, true},
    {"series1.dat", "signals_ep1", 4, 0, 0, true},
    {"series1.dat", "hrnec_ep1", 4, 78, 24, true},
    {"series1.dat", "info", 1, 0, 0, true},
    {"series2.dat", "back_ep2", 1, 800, 600},
    {"series2.dat", "zahlavi_ep2", 1, 0, 0, true},
    {"series2.dat", "vorlag_ep2", 1, 0, 0, true},
    {"series2.dat", "sloupec_ep2", 1},
    {"series2.dat", "heads_ep2", 3, 50, 50, true},
    {"series2.dat", "info", 1, 0, 0, true},
    {"series3.dat", "back_ep3", 1, 800, 600},
    {"series3.dat", "aim_ep3", 1, 0, 0, true},
    {"series3.dat", "vojak_ep3", 1, 25, 50, true},
    {"series3.dat", "ohen_ep3", 10, 0, 0, true},
    {"series3.dat", "zahlavi_ep3", 1, 0, 0, true},
    {"series3.dat", "info", 1, 0, 0, true},
    {"series4.dat", "back_ep4", 1, 800, 600},
    {"series4.dat", "zahlavi_ep4", 1},
    {"series4.dat", "forms_ep4", 3, 0, 0, true},
    {"series4.dat", "info", 1, 0, 0, true},
};

int effective(const nlohmann::json& item, const char* pattern, const char* whole) {
    int p = item.at(pattern).get<int>();
    return p > 0 ? p : item.at(whole).get<int>();
}

TEST(DataIndex, EveryPictureTheScreensLookUpIsThereWithItsPatterns) {
    std::map<std::string, std::map<std::string, nlohmann::json>> files;
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(std::string(e.file) + " " + e.name);
        auto& items = files.try_emplace(e.file, listItems(dataFile(e.file))).first->second;
        auto found = items.find(e.name);
        ASSERT_NE(found, items.end());
        const nlohmann::json& item = found->second;
        EXPECT_GE(item.at("patterns").get<int>(), e.patterns);
        if (e.patternWidth) {
            EXPECT_EQ(effective(item, "pattern_width", "width"), e.patternWidth);
            EXPECT_EQ(effective(item, "pattern_height", "height"), e.patternHeight);
        }
        if (e.keyed) EXPECT_TRUE(item.at("transparent").get<bool>());
        else
            EXPECT_FALSE(item.at("transparent").get<bool>());
    }
}

TEST(DataIndex, PicturesFitWhereTheScreensPutThem) {
    auto s2 = listItems(dataFile("series2.dat"));
    // Three 29-pixel strips at x 0, 30 and 60, each shown up to 530 rows.
    EXPECT_GE(s2.at("sloupec_ep2").at("width").get<int>(), 89);
    EXPECT_GE(s2.at("sloupec_ep2").at("height").get<int>(), 530);
    auto s4 = listItems(dataFile("series4.dat"));
    // The character stands at (325, 400) and must stay on the screen.
    EXPECT_LE(effective(s4.at("forms_ep4"), "pattern_width", "width"), 150);
    EXPECT_LE(effective(s4.at("forms_ep4"), "pattern_height", "height"), 200);
    auto s3 = listItems(dataFile("series3.dat"));
    auto& fire = s3.at("ohen_ep3");
    EXPECT_EQ(effective(fire, "pattern_width", "width"), effective(fire, "pattern_height", "height"));
    for (const char* file : {"series1.dat", "series2.dat", "series3.dat", "series4.dat"}) {
        auto info = listItems(dataFile(file)).at("info");
        SCOPED_TRACE(file);
        // Drawn at (100, 100) under lines reaching y 463.
        EXPECT_LE(info.at("width").get<int>(), 700);
        EXPECT_GE(info.at("height").get<int>(), 364);
        EXPECT_LE(info.at("height").get<int>(), 500);
    }
}

TEST(DataIndex, TheFilesUseEveryStorageTheOriginalFilesUsed) {
    std::set<std::string> graphics;
    std::set<int> depths;
    bool rle8 = false;
    for (const char* file : {"general.dat", "series1.dat", "series2.dat", "series3.dat", "series4.dat"})
        for (auto& [name, item] : listItems(dataFile(file))) {
            graphics.insert(item.at("graphic").get<std::string>());
            depths.insert(item.at("bitcount").get<int>());
            rle8 = rle8 || (item.at("bitcount").get<int>() == 8 && item.at("compression").get<int>() == 1);
        }
    EXPECT_EQ(graphics, (std::set<std::string>{"TBitmap", "TDIB"}));
    EXPECT_EQ(depths, (std::set<int>{8, 16, 24}));
    EXPECT_TRUE(rle8);
}

// Each English variant file holds pictures with words that stand in for the
// Czech items of the same name: the same size, patterns, storage and colour
// key, so the screens draw them exactly where the Czech ones go.
TEST(DataIndex, EveryEnglishPictureStandsInForItsCzechItem) {
    const std::map<std::string, std::set<std::string>> kVariants = {
        {"general", {"keyboard"}},         {"series1", {"info"}}, {"series2", {"info"}}, {"series3", {"info"}},
        {"series4", {"info", "back_ep4"}},
    };
    for (const auto& [file, names] : kVariants) {
        SCOPED_TRACE(file);
        const auto czech = listItems(dataFile(file + ".dat"));
        const auto english = listItems(dataFile(file + ".en.dat"));
        std::set<std::string> found;
        for (const auto& [name, item] : english) {
            found.insert(name);
            SCOPED_TRACE(name);
            ASSERT_TRUE(czech.count(name));
            for (const char* property : {"width", "height", "pattern_width", "pattern_height", "patterns",
                                         "transparent", "transparent_color", "graphic", "bitcount", "compression"})
                EXPECT_EQ(item.at(property), czech.at(name).at(property)) << property;
        }
        EXPECT_EQ(found, names);
    }
}

TEST(DataIndex, EverySoundTheGamePlaysIsInWavesDat) {
    auto items = listItems(dataFile("waves.dat"));
    for (const char* name :
         {"gameover", "green_ep1", "red_ep1", "bonus_ep1", "bonus_end_ep1", "trest_ep1", "trest_end_ep1", "reached_ep2",
          "levelup_ep2", "shot_ep3", "fire_ep3", "key_ep4", "newform_ep4", "miss_ep4"}) {
        SCOPED_TRACE(name);
        auto found = items.find(name);
        ASSERT_NE(found, items.end());
        EXPECT_EQ(found->second.at("format_tag").get<int>(), 1);
        EXPECT_GT(found->second.at("data_size").get<int>(), 0);
        EXPECT_FALSE(found->second.at("looped").get<bool>());
    }
}

}  // namespace
}  // namespace ik::test
