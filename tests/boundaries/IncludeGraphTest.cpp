// The include graph of the tree against the layers of docs/ARCHITECTURE.md: a
// folder uses the folders above it in that table, tools/ the library layers
// (the demo bot the whole game).
// The build refuses an include of a layer whose target is not linked, but
// app/, screens/ and episodes/ are one target (ik_game), so this test is what
// keeps the form's shell from reaching into the screens and the episodes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/boundaries/IncludeGraph.h"
#include "tests/boundaries/SourceTree.h"

namespace ik::test {
namespace {

namespace fs = std::filesystem;

// The table of docs/ARCHITECTURE.md, top to bottom. The tracker library under
// audio/ is a shared library of its own that links none of the game's layers:
// it shares only the interface header the player loads it through.
const std::vector<Layer> kLayers = {
    {"platform", {"platform"}},
    {"display", {"display", "platform"}},
    {"assets", {"assets", "display", "platform"}},
    {"audio", {"audio", "assets", "display", "platform"}},
    {"audio/trackaudio", {"audio/trackaudio", "audio/TrackAudioApi.h"}},
    {"app", {"app", "audio", "assets", "display", "platform"}},
    {"screens", {"screens", "app", "audio", "assets", "display", "platform"}},
    {"episodes", {"episodes", "screens", "app", "audio", "assets", "display", "platform"}},
    {"tools", {"tools", "audio", "assets", "display", "platform"}},
    // The demo bot plays the whole game in-process to write the demos' scripts.
    {"tools/demo-bot", {"tools/demo-bot", "episodes", "screens", "app", "audio", "assets", "display", "platform"}},
};

struct IncludeCase {
    std::string name;
    std::string path;
    std::string source;
    std::vector<Violation> expected;
};

class IncludeChecker : public testing::TestWithParam<IncludeCase> {};

TEST_P(IncludeChecker, FindsExactlyTheForbiddenIncludes) {
    EXPECT_EQ(findForbiddenIncludes(kLayers, GetParam().path, GetParam().source), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, IncludeChecker,
    testing::Values(
        IncludeCase{"AppIncludesAnEpisode",
                    "app/Form.h",
                    "#include \"episodes/Episode1Fields.h\"\n",
                    {{1, "include \"episodes/Episode1Fields.h\""}}},
        IncludeCase{"AppIncludesAScreen",
                    "app/Input.cpp",
                    "// keys\n#include \"screens/MenuParts.h\"\n",
                    {{2, "include \"screens/MenuParts.h\""}}},
        IncludeCase{"ScreenIncludesAnEpisode",
                    "screens/MainMenu.cpp",
                    "#include \"episodes/Episode4Fields.h\"\n",
                    {{1, "include \"episodes/Episode4Fields.h\""}}},
        IncludeCase{"DisplayIncludesTheForm",
                    "display/Canvas.cpp",
                    "#include \"app/Form.h\"\n",
                    {{1, "include \"app/Form.h\""}}},
        IncludeCase{"PlatformIncludesDisplay",
                    "platform/Trace.cpp",
                    "  #  include \"display/Rect.h\"\n",
                    {{1, "include \"display/Rect.h\""}}},
        IncludeCase{"AudioIncludesTheForm",
                    "audio/DXSound.cpp",
                    "#include \"app/Random.h\"\n",
                    {{1, "include \"app/Random.h\""}}},
        IncludeCase{"ToolIncludesTheForm",
                    "tools/assetgen/Main.cpp",
                    "#include \"app/Files.h\"\n",
                    {{1, "include \"app/Files.h\""}}},
        IncludeCase{"TrackerLibraryIncludesThePlayer",
                    "audio/trackaudio/Mixer.cpp",
                    "#include \"audio/Mixer.h\"\n",
                    {{1, "include \"audio/Mixer.h\""}}},
        IncludeCase{"ClimbsOutOfItsFolder",
                    "display/Canvas.cpp",
                    "#include \"display/../app/Form.h\"\n",
                    {{1, "include \"display/../app/Form.h\""}}},
        IncludeCase{"RelativeToItself",
                    "display/Canvas.cpp",
                    "#include \"../platform/Platform.h\"\n",
                    {{1, "include \"../platform/Platform.h\""}}},
        IncludeCase{"NamesNoFolder", "display/Canvas.cpp", "#include \"Canvas.h\"\n", {{1, "include \"Canvas.h\""}}},
        IncludeCase{"FolderNameAsPrefixOnly",
                    "display/Canvas.cpp",
                    "#include \"displayed/Thing.h\"\n",
                    {{1, "include \"displayed/Thing.h\""}}},
        IncludeCase{
            "EveryViolationWithItsLine",
            "app/Input.cpp",
            "#include \"app/Form.h\"\n#include \"episodes/Episode3Fields.h\"\n#include \"episodes/Episode4Fields.h\"\n",
            {{2, "include \"episodes/Episode3Fields.h\""}, {3, "include \"episodes/Episode4Fields.h\""}}},
        // What is allowed.
        IncludeCase{"OwnFolder", "display/Canvas.cpp", "#include \"display/Canvas.h\"\n", {}},
        IncludeCase{
            "LayersAbove",
            "episodes/Episode1.cpp",
            "#include \"app/Form.h\"\n#include \"screens/MenuParts.h\"\n#include \"assets/PictureCollection.h\"\n"
            "#include \"audio/DXSound.h\"\n#include \"display/Drawing.h\"\n#include \"platform/Platform.h\"\n",
            {}},
        IncludeCase{"AppUsesTheLibraryLayers", "app/StateDump.cpp", "#include \"display/DXTimer.h\"\n", {}},
        IncludeCase{"DemoBotPlaysTheGame", "tools/demo-bot/BotSession.cpp", "#include \"app/Form.h\"\n", {}},
        IncludeCase{"ToolUsesAssets",
                    "tools/ironkeel-dat/Main.cpp",
                    "#include \"tools/ironkeel-dat/Commands.h\"\n#include \"assets/Reader.h\"\n",
                    {}},
        IncludeCase{"TrackerLibraryUsesItsInterface",
                    "audio/trackaudio/Exports.cpp",
                    "#include \"audio/TrackAudioApi.h\"\n#include \"audio/trackaudio/Mixer.h\"\n",
                    {}},
        IncludeCase{"SystemHeaders", "platform/Trace.cpp", "#include <string>\n#include <nlohmann/json.hpp>\n", {}},
        IncludeCase{"InComments",
                    "app/Form.h",
                    "// #include \"episodes/Episode1Fields.h\"\n/*\n#include \"screens/X.h\"\n*/\n",
                    {}},
        IncludeCase{"OutsideTheLayers", "tests/hub/MenuRunTest.cpp", "#include \"episodes/Episode1Fields.h\"\n", {}}),
    [](const testing::TestParamInfo<IncludeCase>& info) { return info.param.name; });

TEST(Boundaries, EveryIncludeReachesOnlyTheLayersAboveIt) {
    const fs::path root = IK_SOURCE_DIR;
    std::vector<std::string> folders;
    for (const Layer& layer : kLayers) folders.push_back(layer.folder);
    std::string report;
    int scanned = 0;
    for (const fs::path& path : sourcesUnder(root, folders)) {
        const std::string relative = fs::relative(path, root).generic_string();
        ++scanned;
        for (const Violation& v : findForbiddenIncludes(kLayers, relative, readSource(path))) {
            report += "\n  " + relative + ":" + std::to_string(v.line) + ": " + v.rule;
        }
    }
    EXPECT_GT(scanned, 0) << "no sources found under " << root;
    EXPECT_TRUE(report.empty()) << "includes against the layers of docs/ARCHITECTURE.md:" << report;
}

}  // namespace
}  // namespace ik::test
