#include "app/CommandLine.h"

#include <charconv>
#include <stdexcept>

namespace ik {

namespace {

long long parseInteger(const std::string& option, const std::string& value, long long low, long long high) {
    long long number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < low || number > high) {
        throw std::invalid_argument(option + " expects a number from " + std::to_string(low) + " to " +
                                    std::to_string(high) + ", got '" + value + "'");
    }
    return number;
}

// "HH:MM:SS.mmm" (seconds and milliseconds optional) to milliseconds since midnight.
uint32_t parseTimeOfDay(const std::string& value) {
    int h = 0, m = 0, s = 0, ms = 0;
    char extra = 0;
    int fields = std::sscanf(value.c_str(), "%d:%d:%d.%d%c", &h, &m, &s, &ms, &extra);
    if (fields < 2 || fields > 4 || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || ms < 0 || ms > 999) {
        throw std::invalid_argument("--start-time expects HH:MM[:SS[.mmm]], got '" + value + "'");
    }
    return static_cast<uint32_t>(((h * 60 + m) * 60 + s) * 1000 + ms);
}

}  // namespace

std::string UsageText() {
    return "Usage: ironkeel [-no3d] [options]\n"
           "  -no3d              (first argument only) draw without the 2D scene\n"
           "  --window           play in a window instead of full screen\n"
           "  --scale N          window size as a whole multiple of 800 x 600\n"
           "  --integer-scale    scale the picture by whole factors only\n"
           "  --refresh HZ       the display's refresh rate, for pacing flips to 60 Hz\n"
           "  --headless         run without window or sound devices, on a virtual clock\n"
           "  --script FILE      headless: the script of input and checks to run\n"
           "  --seed N           headless: seed the random generator with N\n"
           "  --start-time T     headless: the virtual clock's time of day, HH:MM:SS.mmm\n"
           "  --scores DIR       keep scores.dat in DIR\n"
           "  --help             show this help and exit\n"
           "  --version          show the version and exit\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    size_t i = 0;
    if (!args.empty() && args[0] == "-no3d") {
        line.no3d = true;
        i = 1;
    }
    auto value = [&](const std::string& option) -> std::string {
        if (i + 1 >= args.size()) {
            throw std::invalid_argument(option + " needs a value");
        }
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--window") line.windowed = true;
        else if (arg == "--scale") line.scale = static_cast<int>(parseInteger(arg, value(arg), 1, 16));
        else if (arg == "--integer-scale") line.integerScale = true;
        else if (arg == "--refresh") line.refreshHz = static_cast<int>(parseInteger(arg, value(arg), 1, 1000));
        else if (arg == "--headless") line.headless = true;
        else if (arg == "--script") line.script = value(arg);
        else if (arg == "--seed") line.seed = static_cast<uint32_t>(parseInteger(arg, value(arg), 0, 4294967295LL));
        else if (arg == "--start-time") line.startTimeMs = parseTimeOfDay(value(arg));
        else if (arg == "--scores") line.scoresDir = value(arg);
        else if (arg == "--help") line.help = true;
        else if (arg == "--version") line.version = true;
        else if (arg == "-no3d") continue;  // counts only as the first argument
        else throw std::invalid_argument("unknown option '" + arg + "' (try --help)");
    }
    if (line.headless && line.script.empty() && !line.help && !line.version) {
        throw std::invalid_argument("--headless needs --script FILE");
    }
    return line;
}

}  // namespace ik
