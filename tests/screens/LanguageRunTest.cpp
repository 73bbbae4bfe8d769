// The language of the game played through its headless mode: chosen on the
// command line or with the menu's key, remembered in the store, refused when
// unknown or damaged, and never taken from the environment of a headless run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

using LanguageRun = TestPicturesRun;

ExpectedText statusLine(int x, const char* text) { return {x, 3, "Arial", 10, true, clGray, text}; }
ExpectedText menuTitle(int x, int y, int size, const char* text) {
    return {x, y, "Times New Roman", size, true, clBlack, text};
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The menu as the original's in Czech, or as the English catalogue says.
void expectMenuIn(const Frame& frame, bool english) {
    if (english) {
        EXPECT_EQ(textMismatches(frame, statusLine(3, "Music volume: 16 (keys +/-)"), menuPicture), 0);
        EXPECT_EQ(textMismatches(frame, statusLine(210, "Difficulty: hard (key E)"), menuPicture), 0);
        EXPECT_EQ(textMismatches(frame, menuTitle(530, 133, 18, "Series I."), plainBackdrop(kButtonNormal)), 0);
        EXPECT_EQ(textMismatches(frame, menuTitle(540, 412, 18, "Quit Game"), plainBackdrop(kButtonNormal)), 0);
        EXPECT_EQ(textMismatches(frame, menuTitle(530, 157, 12, "Cooking Exams"), plainBackdrop(kButtonNormal)), 0);
    } else {
        EXPECT_EQ(textMismatches(frame, statusLine(3, "Hlasitost hudby: 16 (klávesy +/-)"), menuPicture), 0);
        EXPECT_EQ(textMismatches(frame, statusLine(210, "Obtížnost: Těžká (klávesa E)"), menuPicture), 0);
        EXPECT_EQ(textMismatches(frame, menuTitle(530, 133, 18, "Série I."), plainBackdrop(kButtonNormal)), 0);
        EXPECT_EQ(textMismatches(frame, menuTitle(540, 412, 18, "Ukončit hru"), plainBackdrop(kButtonNormal)), 0);
        EXPECT_EQ(textMismatches(frame, menuTitle(530, 157, 12, "Kuchařské zkoušky"), plainBackdrop(kButtonNormal)), 0);
        // Nothing of the original's status line is added: after the difficulty, the menu picture.
        EXPECT_EQ(countColour(frame, 400, 0, 700, 30, clGray), 0);
    }
}

TEST_F(LanguageRun, TheOptionChoosesEnglishAndAnUnknownLanguageGivesCzechWithOneLine) {
    const std::string script = std::string(kEnterMenu) + "move 10 300\nframes 2\nshot menu.png\n";
    RunOptions english;
    english.arguments = "--language en";
    EXPECT_EQ(play(script, english), "");
    expectMenuIn(shot("menu.png"), true);

    RunOptions unknown;
    unknown.arguments = "--language xx";
    const std::string errors = play(script, unknown);
    EXPECT_EQ(errors, "ironkeel: unknown language 'xx' (the game speaks cs, en): playing in Czech\n");
    expectMenuIn(shot("menu.png"), false);
}

TEST_F(LanguageRun, AHeadlessRunTakesNoLanguageFromTheEnvironment) {
    ::setenv("LANG", "en_GB.UTF-8", 1);
    ::setenv("LANGUAGE", "en", 1);
    const std::string errors = play(std::string(kEnterMenu) + "move 10 300\nframes 2\nshot menu.png\n");
    ::unsetenv("LANGUAGE");
    ::unsetenv("LANG");
    EXPECT_EQ(errors, "");
    expectMenuIn(shot("menu.png"), false);
}

TEST_F(LanguageRun, TheLanguageKeySwitchesAtOnceAndTheStoreRemembersIt) {
    storeScores("[Settings]\nVolume=16\n");
    play(std::string(kEnterMenu) + "move 10 300\nkey L\nframes 2\nshot english.png\nstate english.json\n");
    expectMenuIn(shot("english.png"), true);
    // After the difficulty, the way back to Czech.
    EXPECT_GT(countColour(shot("english.png"), 380, 0, 730, 30, clGray), 0);
    EXPECT_NE(storedScores().find("Language=en"), std::string::npos) << storedScores();
    EXPECT_EQ(state("english.json")["volume"], 16) << "the settings before it are kept";

    // The next start speaks English without being asked, and L goes back.
    play(std::string(kEnterMenu) + "move 10 300\nframes 2\nshot again.png\nkey l\nframes 2\nshot czech.png\n");
    expectMenuIn(shot("again.png"), true);
    expectMenuIn(shot("czech.png"), false);
    EXPECT_NE(storedScores().find("Language=cs"), std::string::npos) << storedScores();
    EXPECT_NE(storedScores().find("Volume=16"), std::string::npos) << storedScores();
}

TEST_F(LanguageRun, ADamagedCatalogueGivesCzechAndOneLine) {
    // The game with its own locale folder beside it, holding half a catalogue.
    TempFolder bin;
    const std::filesystem::path built(IK_IRONKEEL);
    const std::string program = bin.file("ironkeel");
    std::filesystem::copy_file(built, program);
    std::filesystem::create_symlink(built.parent_path() / "libtrackaudio.so", bin.file("libtrackaudio.so"));
    std::filesystem::create_directories(bin.path() / "locale/en/LC_MESSAGES");
    std::ifstream whole(built.parent_path() / "locale/en/LC_MESSAGES/ironkeel.mo", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 100u);
    const std::string damaged = bin.file("locale/en/LC_MESSAGES/ironkeel.mo");
    std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() / 2);

    RunOptions options;
    options.program = program;
    options.arguments = "--language en";
    const std::string errors = play(std::string(kEnterMenu) + "move 10 300\nframes 2\nshot menu.png\n", options);
    EXPECT_EQ(occurrences(errors, "\n"), 1) << errors;
    EXPECT_EQ(errors.rfind("ironkeel: " + damaged + ": cut short or damaged", 0), 0u) << errors;
    EXPECT_NE(errors.find(": the game speaks Czech\n"), std::string::npos) << errors;
    expectMenuIn(shot("menu.png"), false);
}

}  // namespace
}  // namespace ik::test
