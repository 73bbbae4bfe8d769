// The loading screen, the main menu and the way in and out of it, played
// through the headless mode and judged on the state dumps and screenshots.
#include <string>

#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

// Only episode 2 open: game1 reached 200, nothing else stored.
constexpr const char* kSecondOpen = "[game1]\nscore=200\nverify=42\n";

using MenuRun = TestPicturesRun;

TEST_F(MenuRun, AnyKeyOnTheLoadingScreenOpensTheMenu) {
    for (const char* key : {"Escape", "Return", "space", "a"}) {
        const Outcome outcome = run(std::string("frames 3\nstate before.json\nshot loading.png\nkey ") + key +
                                    "\nframes 2\nstate after.json\nshot menu.png\n");
        ASSERT_EQ(outcome.status, 0) << key << ": " << outcome.errors;
        EXPECT_EQ(state("before.json")["screen"], "justloading") << key;
        EXPECT_EQ(shot("loading.png").at(10, 10), toRgb565(kLoadingScreen)) << key;
        const auto after = state("after.json");
        EXPECT_EQ(after["screen"], "mainmenu") << key;
        EXPECT_EQ(after["closed"], false) << key;
        EXPECT_EQ(shot("menu.png").at(300, 300), toRgb565(kMenuBackground)) << key;
    }
}

TEST_F(MenuRun, EscapeEndsTheProgramOnlyAfterAPageWasVisited) {
    const Outcome outcome =
        run("key Return\nframes 2\nkey Escape\nframes 2\nstate first.json\n"
            "move 710 172\nclick\nframes 2\nstate page.json\n"
            "key Return\nframes 2\nstate enter.json\n"
            "key Escape\nframes 2\nstate back.json\n"
            "key Escape\nwait 50\nstate end.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(state("first.json")["screen"], "mainmenu");
    EXPECT_EQ(state("first.json")["closed"], false) << "lives is 0 right after start";
    EXPECT_EQ(state("page.json")["screen"], "info1");
    EXPECT_EQ(state("page.json")["lives"], 1);
    EXPECT_EQ(state("enter.json")["screen"], "info1") << "Enter does nothing on a page";
    EXPECT_EQ(state("back.json")["screen"], "mainmenu");
    EXPECT_EQ(state("back.json")["closed"], false);
    EXPECT_EQ(state("end.json")["closed"], true);
}

struct PointCase {
    const char* name;
    int x;
    int y;
    int litButton;    // 0: none
    int blackInfo;    // 0: none
    int hintEpisode;  // 0: no hint
};

TEST_F(MenuRun, PointingLightsWhatIsOpenAndExplainsWhatIsLocked) {
    storeScores(kSecondOpen);
    const PointCase cases[] = {
        {"episode 1", 600, 150, 1, 0, 0}, {"episode 2", 600, 205, 2, 0, 0}, {"episode 3", 600, 260, 0, 0, 3},
        {"episode 4", 600, 315, 0, 0, 4}, {"quit", 600, 420, 5, 0, 0},      {"rules 1", 710, 172, 0, 1, 0},
        {"rules 2", 710, 227, 0, 2, 0},   {"rules 3", 710, 282, 0, 0, 3},   {"rules 4", 710, 337, 0, 0, 4},
        {"credits", 710, 440, 0, 5, 0},   {"x = 676", 676, 150, 0, 0, 0},   {"nowhere", 300, 300, 0, 0, 0},
    };
    std::string script = "key Return\nframes 1\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        script += "move " + std::to_string(cases[i].x) + " " + std::to_string(cases[i].y) + "\nframes 1\nshot p" +
                  std::to_string(i) + ".png\n";
    script += "state end.json\n";
    const Outcome outcome = run(script);
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(state("end.json")["unlocked"], (nlohmann::json{{"2", true}, {"3", false}, {"4", false}}));

    const int rowTop[] = {0, 130, 185, 240, 295, 400};
    const char* hintOf[] = {"", "", "", "K odemčení nahrajte 5000 bodů ve hře ze Série 2",
                            "K odemčení nahrajte 90000 bodů ve hře ze Série 3"};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const PointCase& c = cases[i];
        const Frame frame = shot("p" + std::to_string(i) + ".png");
        for (int n = 1; n <= 5; ++n) {
            const int top = rowTop[n];
            EXPECT_EQ(countColour(frame, 520, top, 676, top + 50, kButtonLit) > 0, c.litButton == n)
                << c.name << ": button " << n;
            const bool open = n == 1 || n == 2 || n == 5;
            const TColor ink = !open ? clGray : (c.blackInfo == n ? clBlack : clWhite);
            const ExpectedText mark = n <= 4 ? ExpectedText{692, top + 7, "Times New Roman", 24, true, ink, "i"}
                                             : ExpectedText{690, top + 5, "Times New Roman", 24, true, ink, "c"};
            EXPECT_EQ(textMismatches(frame, mark, menuPicture), 0) << c.name << ": mark " << n;
        }
        if (c.hintEpisode) {
            EXPECT_EQ(textMismatches(frame, {450, 360, "Times New Roman", 12, true, clWhite, hintOf[c.hintEpisode]},
                                     menuPicture),
                      0)
                << c.name;
        } else {
            EXPECT_EQ(countColour(frame, 440, 355, 800, 385, clWhite), 0) << c.name << ": a hint where none belongs";
        }
        EXPECT_GT(countColour(frame, c.x, c.y, c.x + 8, c.y + 8, kArrow), 0) << c.name << ": pointer picture";
    }
}

TEST_F(MenuRun, LockedTitlesAreGreyAndTheStatusLineTellsTheSettings) {
    storeScores(std::string(kSecondOpen) + "[Settings]\nVolume=7\n");
    const Outcome outcome = run("key Return\nmove 300 300\nframes 2\nshot menu.png\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const Frame frame = shot("menu.png");
    const ExpectedText titles[] = {
        {530, 133, "Times New Roman", 18, true, clBlack, "Série I."},
        {530, 188, "Times New Roman", 18, true, clBlack, "Série II."},
        {530, 243, "Times New Roman", 18, true, clGray, "Série III."},
        {530, 298, "Times New Roman", 18, true, clGray, "Série IV."},
        {540, 412, "Times New Roman", 18, true, clBlack, "Ukončit hru"},
        {530, 157, "Times New Roman", 12, true, clBlack, "Kuchařské zkoušky"},
        {530, 212, "Times New Roman", 12, true, clBlack, "Den s Vorlagem"},
        {530, 267, "Times New Roman", 12, true, clGray, "L´Armée du Nord"},
        {530, 322, "Times New Roman", 12, true, clGray, "Transmogrifikace"},
    };
    for (const ExpectedText& title : titles)
        EXPECT_EQ(textMismatches(frame, title, plainBackdrop(kButtonNormal)), 0) << title.text;
    const ExpectedText status[] = {
        {733, 3, "Arial", 10, false, clGray, "verze 1.03"},
        {3, 3, "Arial", 10, true, clGray, "Hlasitost hudby: 7 (klávesy +/-)"},
        {205, 3, "Arial", 10, true, clGray, "|"},
        {210, 3, "Arial", 10, true, clGray, "Obtížnost: Těžká (klávesa E)"},
    };
    for (const ExpectedText& text : status) EXPECT_EQ(textMismatches(frame, text, menuPicture), 0) << text.text;
}

TEST_F(MenuRun, ClicksOpenOnlyWhatIsOpen) {
    storeScores(kSecondOpen);
    const struct {
        int x;
        int y;
        const char* screen;
    } cases[] = {
        {676, 150, "mainmenu"},  // between a button and its rules
        {710, 282, "mainmenu"},  // rules of locked episode 3
        {600, 260, "mainmenu"},  // locked episode 3
        {600, 360, "mainmenu"},  // between the rows
        {710, 227, "info2"},     // rules of open episode 2
    };
    std::string script = "key Return\nframes 1\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        script += "move " + std::to_string(cases[i].x) + " " + std::to_string(cases[i].y) +
                  "\nclick\nframes 1\nstate c" + std::to_string(i) + ".json\n";
    const Outcome outcome = run(script);
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(state("c" + std::to_string(i) + ".json")["screen"], cases[i].screen)
            << "click at " << cases[i].x << ", " << cases[i].y;
}

TEST_F(MenuRun, TheQuitButtonEndsTheProgram) {
    const Outcome outcome = run("key Return\nframes 1\n" + clickMenuButton(5) + "wait 50\nstate end.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(state("end.json")["closed"], true);
}

TEST_F(MenuRun, VolumeKeysStopAtTheirLimitsAndShowAtOnce) {
    const struct {
        int stored;
        const char* key;
        int expected;
    } cases[] = {{31, "plus", 32}, {32, "plus", 32}, {1, "minus", 0},
                 {0, "minus", 0},  {40, "plus", 32}, {40, "minus", 39}};
    for (const auto& c : cases) {
        storeScores("[Settings]\nVolume=" + std::to_string(c.stored) + "\n");
        const Outcome outcome = run(std::string("key Return\nmove 300 300\nframes 1\nstate before.json\nkey ") + c.key +
                                    "\nframes 1\nstate after.json\nshot after.png\n");
        ASSERT_EQ(outcome.status, 0) << outcome.errors;
        const std::string name = std::to_string(c.stored) + " " + c.key;
        EXPECT_EQ(state("before.json")["volume"], c.stored) << name;
        EXPECT_EQ(state("after.json")["volume"], c.expected) << name;
        const ExpectedText line{
            3, 3, "Arial", 10, true, clGray, "Hlasitost hudby: " + std::to_string(c.expected) + " (klávesy +/-)"};
        EXPECT_EQ(textMismatches(shot("after.png"), line, menuPicture), 0) << name;
        EXPECT_EQ(storedScores(), "[Settings]\nVolume=" + std::to_string(c.expected) + "\n") << name;
    }
}

TEST_F(MenuRun, DottedRowsMoveOnePixelPerFrameAndRepeatEveryTen) {
    const Outcome outcome =
        run("key Return\nmove 300 300\nframes 1\nshot d0.png\nstate d0.json\nframes 1\nshot d1.png\n"
            "frames 9\nshot d10.png\n"
            "move 710 172\nclick\nframes 1\nshot page.png\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const Frame d0 = shot("d0.png"), d1 = shot("d1.png"), d10 = shot("d10.png"), page = shot("page.png");
    // dot_shift after the frame is one more than the shift it was drawn with.
    const int drawnShift = (state("d0.json")["dot_shift"].get<int>() + 9) % 10;
    for (int k = 0; k <= 78; ++k) {
        EXPECT_EQ(d0.at(10 * k + 10 - drawnShift, 31), toRgb565(kDot)) << "upper dot " << k;
        EXPECT_EQ(d0.at(10 * k + drawnShift, 566), toRgb565(kDot)) << "lower dot " << k;
    }
    int moved = 0;
    auto dot = [](const Frame& frame, int x, int y) { return frame.at(x, y) == toRgb565(kDot); };
    for (int y : {30, 31, 32, 565, 566, 567}) {
        for (int x = 0; x < 799; ++x) {
            const bool upper = y < 100;
            const bool before = upper ? dot(d0, x + 1, y) : dot(d0, x, y);
            const bool after = upper ? dot(d1, x, y) : dot(d1, x + 1, y);
            moved += before == after ? 0 : 1;
            EXPECT_EQ(d10.at(x, y), d0.at(x, y)) << x << ", " << y;
        }
    }
    EXPECT_EQ(moved, 0) << "pixels that did not move by one";
    // The page's first frame, eleven frames after d0, goes on without a jump.
    for (int x = 0; x < 800; ++x) EXPECT_EQ(page.at(x, 31), d1.at(x, 31)) << x;
}

TEST_F(MenuRun, DifficultyFollowsTheKeyOnTheMenuAndThePagesButNotInAGame) {
    storeScores("[game1]\nscore=190\nverify=38\n");
    const Outcome first =
        run("key Return\nframes 1\nstate hard.json\n"
            "key e\nframes 1\nstate easy.json\nshot easy.png\n"
            "move 710 172\nclick\nframes 1\nkey E\nframes 1\nstate page.json\nshot page.png\n"
            "key e\nframes 1\nkey Escape\nframes 1\n" +
            clickMenuButton(1) + "frames 3\nkey e\nframes 1\nstate game.json\n");
    ASSERT_EQ(first.status, 0) << first.errors;
    const auto hard = state("hard.json"), easy = state("easy.json"), page = state("page.json"),
               game = state("game.json");
    EXPECT_EQ(hard["easy_mode"], false);
    EXPECT_EQ(hard["unlocked"]["2"], false) << "190 is below 200";
    EXPECT_EQ(hard["unlock_score"], (nlohmann::json{{"2", 200}, {"3", 5000}, {"4", 90000}}));
    EXPECT_EQ(easy["easy_mode"], true);
    EXPECT_EQ(easy["unlocked"]["2"], true) << "190 reaches 180";
    EXPECT_EQ(easy["unlock_score"], (nlohmann::json{{"2", 180}, {"3", 4900}, {"4", 85000}}));
    EXPECT_EQ(textMismatches(shot("easy.png"), {210, 3, "Arial", 10, true, clGray, "Obtížnost: Lehká (klávesa E)"},
                             menuPicture),
              0);
    EXPECT_EQ(page["screen"], "info1");
    EXPECT_EQ(page["easy_mode"], false);
    EXPECT_EQ(page["unlocked"]["2"], false);
    EXPECT_EQ(textMismatches(shot("page.png"), {210, 3, "Arial", 10, true, clGray, "Obtížnost: Těžká (klávesa E)"},
                             menuPicture),
              0);
    EXPECT_EQ(game["screen"], "game1");
    EXPECT_EQ(game["easy_mode"], true) << "E is ignored in a game";

    // The last choice is what the next start shows.
    const Outcome second = run("key Return\nframes 1\nstate next.json\nshot next.png\n");
    ASSERT_EQ(second.status, 0) << second.errors;
    EXPECT_EQ(state("next.json")["easy_mode"], true);
    EXPECT_EQ(textMismatches(shot("next.png"), {210, 3, "Arial", 10, true, clGray, "Obtížnost: Lehká (klávesa E)"},
                             menuPicture),
              0);
}

TEST_F(MenuRun, EscapeInAGameStoresItsScoreAndShowsTheMenu) {
    // An invalid record gives way to any result, even a lower one.
    storeScores("[game1]\nscore=9999\nverify=1\n");
    const Outcome outcome = run("key Return\nframes 1\n" + clickMenuButton(1) +
                                "frames 3\nkey Return\nframes 1\nstate playing.json\n"
                                "key Escape\nframes 2\nstate menu.json\nshot menu.png\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto playing = state("playing.json"), menu = state("menu.json");
    EXPECT_EQ(playing["screen"], "game1") << "Enter does nothing while the game runs";
    EXPECT_GT(playing["lives"].get<int>(), 0);
    EXPECT_EQ(menu["screen"], "mainmenu");
    ASSERT_EQ(menu["score"], 0) << "nothing can be caught in the first frames";
    EXPECT_EQ(storedScores(), "[game1]\nscore=0\nverify=11\n[Settings]\nVolume=16\n");
    EXPECT_GT(countColour(shot("menu.png"), 520, 130, 676, 180, kButtonNormal) +
                  countColour(shot("menu.png"), 520, 130, 676, 180, kButtonLit),
              0)
        << "the menu is drawn again";
}

TEST_F(MenuRun, EscapeDuringAPauseStillBringsTheMenuBack) {
    const Outcome outcome = run("key Return\nframes 1\n" + clickMenuButton(1) +
                                "frames 3\nkey p\nwait 20\nstate paused.json\nwait 500\n"
                                "state still.json\nkey Escape\nframes 3\nstate menu.json\nshot menu.png\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto paused = state("paused.json"), still = state("still.json"), menu = state("menu.json");
    EXPECT_EQ(paused["screen"], "game1");
    EXPECT_EQ(still["frame"], paused["frame"]) << "no frame is drawn while paused";
    EXPECT_EQ(still["timer1_enabled"], false);
    EXPECT_EQ(menu["screen"], "mainmenu");
    EXPECT_GE(menu["frame"].get<int>(), still["frame"].get<int>() + 3) << "the menu is drawn";
    EXPECT_GT(countColour(shot("menu.png"), 0, 0, 100, 600, kMenuStrip), 0);
}

}  // namespace
}  // namespace ik::test
