// The game code (app/, screens/, episodes/, assets/, display/, audio/) gets
// the clock, randomness and SDL only through the platform layer, so that the
// headless run replays bit for bit. The stand-in audio library under
// audio/trackaudio/ runs its own SDL device and is allowed both.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/boundaries/SourceScanner.h"
#include "tests/boundaries/SourceTree.h"

namespace ik::test {
namespace {

namespace fs = std::filesystem;

struct SnippetCase {
    std::string name;
    std::string source;
    std::vector<Violation> expected;
};

class Scanner : public testing::TestWithParam<SnippetCase> {};

TEST_P(Scanner, FindsExactlyTheViolations) { EXPECT_EQ(findViolations(GetParam().source), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Snippets, Scanner,
    testing::Values(
        SnippetCase{"SdlHeaderAngle", "#include <SDL.h>\n", {{1, "SDL header"}}},
        SnippetCase{"SdlHeaderQuoted", "#include \"SDL.h\"\n", {{1, "SDL header"}}},
        SnippetCase{"SdlHeaderInSubfolder", "  #  include <SDL2/SDL_timer.h>\n", {{1, "SDL header"}}},
        SnippetCase{"SdlTicks", "uint32_t t = SDL_GetTicks64();", {{1, "SDL_GetTicks"}}},
        SnippetCase{"Rand", "int r = rand() % 6;", {{1, "rand"}}},
        SnippetCase{"StdRand", "int r = std::rand();", {{1, "rand"}}},
        SnippetCase{"Srand", "std::srand(42);", {{1, "srand"}}},
        SnippetCase{"Time", "auto now = time(nullptr);", {{1, "time"}}},
        SnippetCase{"StdTime", "seed = static_cast<unsigned>(std::time(0));", {{1, "time"}}},
        SnippetCase{"SteadyClock", "auto t = std::chrono::steady_clock::now();", {{1, "std::chrono clock"}}},
        SnippetCase{"SystemClock", "using C = std::chrono::system_clock;", {{1, "std::chrono clock"}}},
        SnippetCase{"HighResolutionClock", "std::chrono::high_resolution_clock::now()", {{1, "std::chrono clock"}}},
        SnippetCase{"ClockGettime", "clock_gettime(CLOCK_MONOTONIC, &ts);", {{1, "clock_gettime"}}},
        SnippetCase{"RandomDevice", "std::random_device device;", {{1, "random_device"}}},
        SnippetCase{"ReportsTheLine", "int a;\n/* rand()\n time(0) */\nint b = rand();\n", {{4, "rand"}}},
        // What is not a violation.
        SnippetCase{"OurRandom", "int x = Random(6); int y = operand(3);", {}},
        SnippetCase{"OtherTimeWords", "runtime(1); lifetime(2); play_time(3); player.time(); p->time();", {}},
        SnippetCase{"Durations", "std::this_thread::sleep_for(std::chrono::milliseconds(5));", {}},
        SnippetCase{"InComments", "// rand() and time(0)\n/* SDL_GetTicks() */ int a;", {}},
        SnippetCase{"InStrings", "const char* s = \"rand() time(\"; char q = '\"'; auto t = \"\\\"time(\";", {}},
        SnippetCase{"DigitSeparators", "int n = 1'000'000; int m = rand();", {{1, "rand"}}},
        SnippetCase{"OurPlatformHeader", "#include \"platform/SdlPlatform.h\"\n", {}}),
    [](const testing::TestParamInfo<SnippetCase>& info) { return info.param.name; });

TEST(Scanner, BlanksCommentsAndStringsButKeepsLines) {
    EXPECT_EQ(codeOnly("a /* x\ny */ b \"s\" // c\nd"), "a     \n     b \" \"     \nd");
}

TEST(Boundaries, GameCodeUsesOnlyThePlatformForSdlClocksAndRandomness) {
    const fs::path root = IK_SOURCE_DIR;
    // With the system's separator at its end, so that a prefix match names the folder.
    const std::string allowedAudioLibrary = (root / "audio" / "trackaudio" / "").string();
    std::vector<std::string> problems;
    int scanned = 0;
    for (const fs::path& path : sourcesUnder(root, {"app", "screens", "episodes", "assets", "display", "audio"})) {
        if (path.string().rfind(allowedAudioLibrary, 0) == 0) continue;
        ++scanned;
        for (const Violation& v : findViolations(readSource(path))) {
            problems.push_back(fs::relative(path, root).string() + ":" + std::to_string(v.line) + ": " + v.rule);
        }
    }
    EXPECT_GT(scanned, 0) << "no game sources found under " << root;
    std::string report;
    for (const std::string& problem : problems) report += "\n  " + problem;
    EXPECT_TRUE(problems.empty()) << "use the Platform interface instead:" << report;
}

}  // namespace
}  // namespace ik::test
