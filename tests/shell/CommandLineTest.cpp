#include <gtest/gtest.h>

#include <stdexcept>

#include "app/CommandLine.h"

namespace ik {
namespace {

TEST(CommandLine, No3dCountsOnlyAsTheFirstArgument) {
    EXPECT_TRUE(ParseCommandLine({"-no3d"}).no3d);
    EXPECT_TRUE(ParseCommandLine({"-no3d", "--window"}).no3d);
    EXPECT_FALSE(ParseCommandLine({"--window", "-no3d"}).no3d);
    EXPECT_FALSE(ParseCommandLine({}).no3d);
}

TEST(CommandLine, OptionsAndValues) {
    CommandLine line = ParseCommandLine({"--window", "--scale", "2", "--integer-scale", "--refresh", "75",
                                         "--scores", "/tmp/x", "--headless", "--script", "s.txt",
                                         "--seed", "4294967295", "--start-time", "13:05:07.250"});
    EXPECT_TRUE(line.windowed);
    EXPECT_EQ(line.scale, 2);
    EXPECT_TRUE(line.integerScale);
    EXPECT_EQ(line.refreshHz, 75);
    EXPECT_EQ(line.scoresDir, "/tmp/x");
    EXPECT_TRUE(line.headless);
    EXPECT_EQ(line.script, "s.txt");
    EXPECT_EQ(line.seed, 4294967295u);
    EXPECT_EQ(line.startTimeMs, 47107250u);
}

TEST(CommandLine, BadOptionsAreRefusedWithAMessage) {
    for (auto args : std::vector<std::vector<std::string>>{
             {"--scale"}, {"--scale", "0"}, {"--scale", "two"}, {"--seed", "-1"}, {"--frobnicate"},
             {"--headless"}, {"--start-time", "25:00"}, {"--refresh", "0"}}) {
        EXPECT_THROW(ParseCommandLine(args), std::invalid_argument) << args[0];
    }
    EXPECT_NE(UsageText().find("--integer-scale"), std::string::npos);
}

}  // namespace
}  // namespace ik
