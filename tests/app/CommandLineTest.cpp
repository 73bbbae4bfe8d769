#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/InstallLayout.h"

namespace ik {
namespace {

TEST(CommandLine, No3dCountsOnlyAsTheFirstArgument) {
    EXPECT_TRUE(parseCommandLine({"-no3d"}).no3d);
    EXPECT_TRUE(parseCommandLine({"-no3d", "--window"}).no3d);
    EXPECT_FALSE(parseCommandLine({"--window", "-no3d"}).no3d);
    EXPECT_FALSE(parseCommandLine({}).no3d);
}

TEST(CommandLine, OptionsAndValues) {
    CommandLine line =
        parseCommandLine({"--window", "--scale", "2", "--integer-scale", "--refresh", "75", "--scores", "/tmp/x",
                          "--headless", "--script", "s.txt", "--seed", "4294967295", "--start-time", "13:05:07.250"});
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
    for (auto args : std::vector<std::vector<std::string>>{{"--scale"},
                                                           {"--scale", "0"},
                                                           {"--scale", "two"},
                                                           {"--seed", "-1"},
                                                           {"--frobnicate"},
                                                           {"--headless"},
                                                           {"--start-time", "25:00"},
                                                           {"--refresh", "0"}}) {
        EXPECT_THROW(parseCommandLine(args), std::invalid_argument) << args[0];
    }
    EXPECT_NE(usageText().find("--integer-scale"), std::string::npos);
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
        const CommandLine line = parseCommandLine(c.args);
        EXPECT_EQ(line.windowed, c.windowed) << testing::PrintToString(c.args);
        EXPECT_EQ(line.scale, c.scale) << testing::PrintToString(c.args);
        EXPECT_EQ(line.help, c.help) << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, FullscreenWinsOverWindowInEitherOrder) {
    EXPECT_FALSE(parseCommandLine({"--window", "--fullscreen"}).windowed);
    EXPECT_FALSE(parseCommandLine({"--fullscreen", "--window"}).windowed);
    EXPECT_TRUE(parseCommandLine({"--window"}).windowed);
}

TEST(CommandLine, ValuesMayFollowAnEqualsSign) {
    const CommandLine line = parseCommandLine(
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
            parseCommandLine(args);
            ADD_FAILURE() << args[0] << " was accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

TEST(CommandLine, HelpNamesTheControlsTheEnvironmentAndTheFilesInSections) {
    const std::string help = usageText();
    std::vector<std::string> titles;
    for (const HelpSection& section : helpSections()) {
        EXPECT_NE(help.find("\n" + section.title + ":\n"), std::string::npos) << section.title;
        titles.push_back(section.title);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Options", "Controls", "Environment", "Files"}));
    // The places differ by system: one install tree under XDG's folders, or one folder and APPDATA.
    const std::vector<std::string> places =
        kSingleFolderInstall
            ? std::vector<std::string>{"APPDATA", "TEMP", "trackaudio.dll", "fonts"}
            : std::vector<std::string>{"XDG_DATA_HOME", "XDG_DATA_DIRS", "libtrackaudio.so", "../share/ironkeel"};
    for (const std::string& named : places) EXPECT_NE(help.find(named), std::string::npos) << named;
    for (const char* named :
         {"--fullscreen", "--quit-on-focus-loss", "Ctrl+G", "Alt+Enter", "SDL_AUDIODRIVER", "scores.dat", "~temp.xm"}) {
        EXPECT_NE(help.find(named), std::string::npos) << named;
    }
}

TEST(CommandLine, EveryFlagTheHelpNamesIsAccepted) {
    const std::vector<HelpSection> sections = helpSections();
    for (const auto& [what, effect] : sections.front().entries) {
        if (what.rfind("--", 0) != 0 || what.find(' ') != std::string::npos || what.find('=') != std::string::npos)
            continue;
        EXPECT_NO_THROW(parseCommandLine({what, "--script", "s.txt"})) << what;
    }
}

// Each documented option as "--name" or "--name VALUE", spellings of one
// option ("-h, --help") apart.
using OptionSet = std::set<std::string>;

void addSpellings(OptionSet& options, const std::string& typed) {
    std::stringstream parts(typed);
    for (std::string part; std::getline(parts, part, ',');) {
        std::stringstream words(part);
        std::string spelled, word;
        while (words >> word) spelled += (spelled.empty() ? "" : " ") + word;
        if (!spelled.empty()) options.insert(spelled);
    }
}

std::vector<std::string> lines(const std::string& file) {
    std::ifstream in(std::string(IK_SOURCE_DIR) + "/" + file);
    EXPECT_TRUE(in) << "cannot read " << file;
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
}

OptionSet helpOptions() {
    OptionSet options;
    const std::vector<HelpSection> sections = helpSections();
    for (const auto& [typed, effect] : sections.front().entries) {
        if (typed != "--OPTION=VALUE") addSpellings(options, typed);
    }
    return options;
}

// The first cell of each row of the README's table of options: `--scale N`.
OptionSet readmeOptions() {
    OptionSet options;
    bool inTable = false;
    for (const std::string& line : lines("README.md")) {
        if (line.rfind("## ", 0) == 0) inTable = line == "## Command line of `ironkeel`";
        if (!inTable || line.rfind("| `", 0) != 0) continue;
        const std::string cell = line.substr(1, line.find('|', 1) - 1);
        for (size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open)) {
            const size_t close = cell.find('`', open + 1);
            addSpellings(options, cell.substr(open + 1, close - open - 1));
            open = close + 1;
        }
    }
    return options;
}

// The tag line after each .TP of the manual page's OPTIONS section:
// .BI \-\-scale " N" reads "--scale N".
OptionSet manualOptions() {
    OptionSet options;
    bool inOptions = false, tagNext = false;
    for (const std::string& line : lines("dist/man/ironkeel.6")) {
        if (line.rfind(".SH ", 0) == 0) inOptions = line == ".SH OPTIONS";
        if (!inOptions) continue;
        if (line == ".TP") {
            tagNext = true;
            continue;
        }
        if (!tagNext) continue;
        tagNext = false;
        std::string tag = line.substr(line.find(' ') + 1);
        std::string plain;
        for (size_t i = 0; i < tag.size(); ++i) {
            if (tag[i] == '\\' && i + 1 < tag.size() && tag[i + 1] == '-') continue;
            if (tag[i] != '"') plain += tag[i];
        }
        addSpellings(options, plain);
    }
    return options;
}

TEST(CommandLine, TheReadmeAndTheManualPageNameTheOptionsOfTheHelp) {
    const OptionSet help = helpOptions();
    ASSERT_TRUE(help.count("--scale N"));
    ASSERT_TRUE(help.count("-h"));
    EXPECT_EQ(readmeOptions(), help);
    EXPECT_EQ(manualOptions(), help);
}

TEST(CommandLine, VersionNamesThePortAndTheGame) {
    EXPECT_EQ(versionText("1.2.3"), "ironkeel 1.2.3\nIronkeel - Gubbinz vol.1 verze 1.03\n");
}

}  // namespace
}  // namespace ik
