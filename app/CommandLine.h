// The command line: "-no3d" as the first argument, as the original program
// took it, and our own GNU-style long options, none of which changes the rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ik {

struct CommandLine {
    bool no3d = false;
    bool windowed = false;
    int scale = 0;  // 0: the largest whole factor that fits
    bool integerScale = false;
    int refreshHz = 0;  // 0: measure the display
    bool headless = false;
    std::string script;
    std::optional<uint32_t> seed;
    std::string scoresDir;
    uint32_t startTimeMs = 0;  // headless clock's time of day
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument with a one-line message for a bad option.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace ik
