// The game itself in its headless mode, on its own data files: what the
// player hears of the music when the library is missing or the module is
// broken.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/Form.h"
#include "tests/support/GameRun.h"

namespace ik::test {
namespace {

using MusicRun = GameRun;

TEST_F(MusicRun, WithoutTheLibraryOneMessageThenASilentGameThatEnterTakesToTheMenu) {
    // The executable alone in a folder: no libtrackaudio.so beside it.
    TempFolder bin;
    const std::string program = bin.file("ironkeel");
    std::filesystem::copy_file(IK_IRONKEEL, program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);

    RunOptions alone;
    alone.program = program;
    const std::string errors = play("frames 3\nstate before.json\nkey Return\nframes 30\nstate after.json\n", alone);
    const std::string message =
        "Nepodařilo se načíst zvukovou knihovnu. Zkontrolujte přítomnost souboru LIBTRACKAUDIO.SO ve složce hry "
        "nebo systémové složce.";
    EXPECT_EQ(occurrences(errors, "MESSAGE: Confirm: " + message + "\n"), 1) << errors;
    EXPECT_LE(occurrences(errors, "MESSAGE: Error: Player is not ready !\n"), 1) << errors;
    EXPECT_EQ(state("before.json").at("screen"), "");
    EXPECT_EQ(state("after.json").at("screen"), "mainmenu");
    EXPECT_EQ(state("after.json").at("volume"), 0);
    EXPECT_FALSE(std::filesystem::exists(work.file("~temp.xm")));
}

TEST_F(MusicRun, ABrokenModuleShowsOneBoxAndTheGameGoesOn) {
    replaceDataFile("music.dat", std::string(5000, 'Z'));
    const std::string errors = play("key Return\nframes 120\nstate menu.json\n");
    EXPECT_EQ(occurrences(errors, "MESSAGE: Error: Can't play the specified stream file : ~temp.xm\n"), 1) << errors;
    EXPECT_EQ(occurrences(errors, "MESSAGE:"), 1) << errors;
    EXPECT_EQ(state("menu.json").at("screen"), "mainmenu");
    EXPECT_FALSE(std::filesystem::exists(work.file("~temp.xm"))) << "deleted at close";
}

TEST_F(MusicRun, LoadingScreenAndMenuShareTheirStretchOfTheCopy) {
    play("frames 30\nstate loading.json\nkey Return\nframes 60\nstate menu.json\n");
    const nlohmann::json loading = state("loading.json").at("music");
    const nlohmann::json menu = state("menu.json").at("music");
    EXPECT_EQ(loading.at("mode"), "pmPlaying");
    EXPECT_EQ(loading.at("path"), "~temp.xm");
    const uint32_t length = loading.at("length");
    const auto stretchStart = static_cast<uint32_t>(static_cast<long double>(length) * 62.83L / 100);
    EXPECT_GT(loading.at("position").get<uint32_t>(), stretchStart);
    EXPECT_LT(loading.at("position").get<uint32_t>(), stretchStart + 1000);
    // A second of frames later the music has simply gone on.
    EXPECT_EQ(state("menu.json").at("screen"), "mainmenu");
    EXPECT_GT(menu.at("position").get<uint32_t>(), loading.at("position").get<uint32_t>() + 900);
    EXPECT_LT(menu.at("position").get<uint32_t>(), loading.at("position").get<uint32_t>() + 1200);
    EXPECT_FALSE(std::filesystem::exists(work.file("~temp.xm"))) << "deleted at close";
}

}  // namespace
}  // namespace ik::test
