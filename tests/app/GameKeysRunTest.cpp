// The keys and the mouse while an episode runs: pause, giving up, the way
// back after a game over, and the launch of episode 3's soldier.
#include <string>

#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"

namespace ik::test {
namespace {

using GameKeysRun = TestPicturesRun;

const std::string kStartEpisode1 = startEpisode(1) + "frames 3\n";

TEST_F(GameKeysRun, ThePauseKeyStopsAndResumesTheGame) {
    for (const char* key : {"p", "P", "space"}) {
        const Outcome outcome = run(kStartEpisode1 + "key " + key + "\nwait 20\nstate paused.json\n" +
                                    "wait 500\nstate still.json\nkey " + key + "\nframes 3\nstate running.json\n");
        ASSERT_EQ(outcome.status, 0) << key << ": " << outcome.errors;
        const auto paused = state("paused.json"), still = state("still.json"), running = state("running.json");
        EXPECT_EQ(still["frame"], paused["frame"]) << key;
        EXPECT_EQ(paused["timer1_enabled"], false) << key;
        EXPECT_EQ(paused["timer2_enabled"], false) << key;
        EXPECT_EQ(running["screen"], "game1") << key;
        EXPECT_GE(running["frame"].get<int>(), still["frame"].get<int>() + 3) << key;
        EXPECT_EQ(running["timer1_enabled"], true) << key;
    }
}

TEST_F(GameKeysRun, AfterAGameOverOnlyEnterLeavesAndStoresTheScore) {
    storeScores("[game1]\nscore=5\nverify=5\n");
    const Outcome outcome = run(kStartEpisode1 +
                                "down R\nframes 2\nup R\nwait 100\nstate over.json\n"
                                "key p\nkey Escape\nwait 1500\nstate still.json\n"
                                "key Return\nframes 2\nstate menu.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto over = state("over.json"), still = state("still.json"), menu = state("menu.json");
    ASSERT_EQ(over["screen"], "game1");
    ASSERT_LE(over["lives"].get<int>(), 0) << "R gives up";
    EXPECT_EQ(still["screen"], "game1") << "Escape does nothing after a game over";
    EXPECT_EQ(still["timer1_enabled"], true) << "P does nothing on the game-over panel";
    EXPECT_GT(still["seconds"].get<int>(), over["seconds"].get<int>()) << "the seconds count on";
    EXPECT_EQ(menu["screen"], "mainmenu");
    // Given up at once, the game scored nothing; the invalid record gives way even to that.
    ASSERT_EQ(over["score"], 0);
    EXPECT_EQ(storedScores(), "[game1]\nscore=0\nverify=11\n[Settings]\nVolume=16\n");
}

TEST_F(GameKeysRun, AMousePressLaunchesEpisode3sSoldierEvenInFlight) {
    storeScores("[game2]\nscore=5000\nverify=842\n");
    const Outcome outcome = run("key Return\nframes 1\n" + clickMenuButton(3) +
                                "frames 3\nmove 400 200\nframes 2\nstate aimed.json\n"
                                "press\nrelease\nwait 1\nstate launched.json\nframes 3\nstate flying.json\n"
                                "press\nrelease\nwait 1\nstate relaunched.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto aimed = state("aimed.json"), launched = state("launched.json"), flying = state("flying.json"),
               relaunched = state("relaunched.json");
    ASSERT_EQ(aimed["screen"], "game3");
    EXPECT_GT(aimed["soldier_x"].get<int>(), 800) << "parked before the first press";
    EXPECT_EQ(launched["soldier_y"].get<int>(), aimed["aim_y"].get<int>() - 25);
    EXPECT_GE(launched["soldier_x"].get<int>(), 1);
    EXPECT_LE(launched["soldier_x"].get<int>(), 1 + launched["soldier_speed"].get<int>());
    EXPECT_GT(flying["soldier_x"].get<int>(), launched["soldier_x"].get<int>());
    EXPECT_LT(relaunched["soldier_x"].get<int>(), flying["soldier_x"].get<int>()) << "a press relaunches";
}

}  // namespace
}  // namespace ik::test
