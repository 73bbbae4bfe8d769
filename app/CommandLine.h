// The command line: "-no3d" as the first argument, as the original program
// took it, and our own GNU-style long options, none of which changes the rules.
// Like the original, the game ignores any other argument that is not one of
// our "--" options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ik {

struct CommandLine {
    bool no3d = false;
    bool windowed = false;  // false when --fullscreen was given, whatever the order
    int scale = 0;          // 0: the largest whole factor that fits
    bool integerScale = false;
    int refreshHz = 0;  // 0: measure the display
    bool quitOnFocusLoss = false;
    bool headless = false;
    std::string script;
    std::optional<uint32_t> seed;
    std::string scoresDir;
    std::string language;      // empty: the stored choice, else the environment's
    uint32_t startTimeMs = 0;  // headless clock's time of day
    std::string record;        // write a recording of the run here
    std::string replay;        // play this recording back
    std::string verify;        // replay this recording headless and report
    std::string finalState;    // with --replay or --verify: the final state's JSON goes here
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument with a one-line message for a bad option.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// One titled part of `--help`: each entry is what to type and what it does.
struct HelpSection {
    std::string title;
    std::vector<std::pair<std::string, std::string>> entries;
};

// The parts of `--help` in their order: options, controls, environment.
std::vector<HelpSection> helpSections();
// The whole `--help` text: the usage line, then every section.
std::string usageText();
// The `--version` text: the port's version and the game's own.
std::string versionText(const std::string& portVersion);

}  // namespace ik
