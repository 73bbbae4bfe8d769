// Real songs and a set of awkward test modules, with their lengths and titles
// as other players measured them: each one opens with its length (within a
// second) and title, or fails with the player's message where the table
// marks it broken.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MusicFixture.h"

namespace ik::test {
namespace {

const std::string kModuleDir = std::string(IK_CORPUS_DIR) + "/xm/";

struct ModuleCase {
    std::string file;
    std::string title;
    bool playable = false;
    double seconds = 0;
};

std::vector<ModuleCase> readTable() {
    std::ifstream table(kModuleDir + "expected.tsv");
    std::vector<ModuleCase> cases;
    std::string line;
    std::getline(table, line);  // column names
    while (std::getline(table, line)) {
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
        if (cells.size() < 6) continue;
        ModuleCase entry{cells[0], cells[1], cells[5].rfind("ok", 0) == 0, 0};
        if (entry.playable) entry.seconds = std::stod(cells[4]);
        cases.push_back(entry);
    }
    return cases;
}

class ModuleFile : public MusicTest, public ::testing::WithParamInterface<ModuleCase> {};

TEST_P(ModuleFile, OpensWithItsLengthOrFailsWithTheMessage) {
    const ModuleCase& entry = GetParam();
    const std::string path = kModuleDir + entry.file;
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << "corpus file missing: " << path;
    if (entry.playable) {
        ASSERT_TRUE(player->Open(path));
        EXPECT_NEAR(player->PlayLength(), entry.seconds * 1000, 1000);
        EXPECT_EQ(player->StreamInfo().Title, entry.title);
        EXPECT_TRUE(platform.boxes.empty());
    } else {
        EXPECT_FALSE(player->Open(path));
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].text, "Can't play the specified stream file : " + path);
        EXPECT_EQ(player->Mode(), pmNone);
    }
}

std::string caseName(const ::testing::TestParamInfo<ModuleCase>& info) {
    std::string name = info.param.file;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(TestData, ModuleFile, ::testing::ValuesIn(readTable()), caseName);

TEST(ModuleTable, IsThere) {
    EXPECT_GE(readTable().size(), 20u) << "expected.tsv not found or short under " << kModuleDir;
}

}  // namespace
}  // namespace ik::test
