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

namespace ik {
namespace {

struct ArgumentCase {
    std::vector<std::string> args;
    bool windowed;
    int scale;
    bool help;
};

TEST(CommandLine, ArgumentsThatAreNotOurOptionsAreIgnored) {
    const std::vector<ArgumentCase> cases = {
        {{"game.exe"}, false, 0, false},
        {{"-window", "--scale", "2", "stray"}, false, 2, false},
        {{"--window", "-x", "/tmp/file", "-"}, true, 0, false},
        {{"-no3d", "-no3d", "-fullscreen"}, false, 0, false},
        {{"-h"}, false, 0, true},
        {{"--window", "-h", "--scale", "3"}, true, 3, true},
    };
    for (const ArgumentCase& c : cases) {
        const CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(line.windowed, c.windowed) << testing::PrintToString(c.args);
        EXPECT_EQ(line.scale, c.scale) << testing::PrintToString(c.args);
        EXPECT_EQ(line.help, c.help) << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, FullscreenWinsOverWindowInEitherOrder) {
    EXPECT_FALSE(ParseCommandLine({"--window", "--fullscreen"}).windowed);
    EXPECT_FALSE(ParseCommandLine({"--fullscreen", "--window"}).windowed);
    EXPECT_TRUE(ParseCommandLine({"--window"}).windowed);
}

TEST(CommandLine, ValuesMayFollowAnEqualsSign) {
    const CommandLine line = ParseCommandLine(
        {"--scale=3", "--seed=7", "--scores=/tmp/a=b", "--refresh=75", "--start-time=01:02", "--quit-on-focus-loss"});
    EXPECT_EQ(line.scale, 3);
    EXPECT_EQ(line.seed, 7u);
    EXPECT_EQ(line.scoresDir, "/tmp/a=b");
    EXPECT_EQ(line.refreshHz, 75);
    EXPECT_EQ(line.startTimeMs, 3720000u);
    EXPECT_TRUE(line.quitOnFocusLoss);
}

TEST(CommandLine, EqualsFormsThatMakeNoSenseAreRefusedByName) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--window=yes"}, "--window takes no value"},
        {{"--scale="}, "--scale expects a number from 1 to 16, got ''"},
        {{"--bogus=3"}, "unknown option '--bogus' (try --help)"},
        {{"--"}, "unknown option '--' (try --help)"},
        {{"--window", "--scale"}, "--scale needs a value"},
    };
    for (const auto& [args, message] : cases) {
        try {
            ParseCommandLine(args);
            ADD_FAILURE() << args[0] << " was accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

TEST(CommandLine, HelpNamesTheControlsTheEnvironmentAndTheFilesInSections) {
    const std::string help = UsageText();
    std::vector<std::string> titles;
    for (const HelpSection& section : HelpSections()) {
        EXPECT_NE(help.find("\n" + section.title + ":\n"), std::string::npos) << section.title;
        titles.push_back(section.title);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Options", "Controls", "Environment", "Files"}));
    for (const char* named : {"--fullscreen", "--quit-on-focus-loss", "Ctrl+G", "Alt+Enter", "XDG_DATA_HOME",
                              "XDG_DATA_DIRS", "SDL_AUDIODRIVER", "scores.dat", "~temp.xm", "libtrackaudio.so",
                              "../share/ironkeel"}) {
        EXPECT_NE(help.find(named), std::string::npos) << named;
    }
}

TEST(CommandLine, EveryFlagTheHelpNamesIsAccepted) {
    const std::vector<HelpSection> sections = HelpSections();
    for (const auto& [what, effect] : sections.front().entries) {
        if (what.rfind("--", 0) != 0 || what.find(' ') != std::string::npos || what.find('=') != std::string::npos)
            continue;
        EXPECT_NO_THROW(ParseCommandLine({what, "--script", "s.txt"})) << what;
    }
}

TEST(CommandLine, VersionNamesThePortAndTheGame) {
    EXPECT_EQ(VersionText("1.2.3"), "ironkeel 1.2.3\nIronkeel - Gubbinz vol.1 verze 1.03\n");
}

}  // namespace
}  // namespace ik
