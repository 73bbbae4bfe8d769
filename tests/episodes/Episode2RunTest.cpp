// Episode 2 played through the headless mode with a fixed seed.
#include <string>

#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"
#include "tests/support/Records.h"

namespace ik::test {
namespace {

class Episode2Run : public GameRun {
protected:
    void SetUp() override {
        GameRun::SetUp();
        storeScores(kEpisode2Open);
    }
};

TEST_F(Episode2Run, AHeldKeyClimbsTwoKeysMoveNobodyAndAFreeCharacterRests) {
    play(startEpisode(2) +
         "state start.json\n"
         "down 1\nframes 10\nstate pushed.json\nup 1\nframes 1\nstate released.json\n"
         "wait 900\nstate rested.json\n"
         "down 1\ndown 2\nframes 1\nstate held.json\nframes 20\nstate both.json\n");
    const nlohmann::json start = state("start.json");
    EXPECT_EQ(start["screen"], "game2");
    EXPECT_EQ(start["lives"], 1);
    EXPECT_EQ(start["level"], 1);
    EXPECT_EQ(start["timer2_interval"], 300);
    EXPECT_EQ(start["pointer"], nlohmann::json({0, 0}));

    const nlohmann::json pushed = state("pushed.json");
    EXPECT_EQ(pushed["meter1"], 20) << "ten frames of 2 pixels, no rest while held";
    EXPECT_EQ(pushed["meter2"], 0);
    EXPECT_EQ(pushed["meter3"], 0);

    const nlohmann::json released = state("released.json");
    const nlohmann::json rested = state("rested.json");
    EXPECT_EQ(released["meter1"].get<int>() - rested["meter1"].get<int>(), 3) << "three ticks of 300 ms";

    const nlohmann::json held = state("held.json");
    const nlohmann::json both = state("both.json");
    EXPECT_EQ(both["meter1"], held["meter1"]) << "two keys held: no climb and no rest";
    EXPECT_EQ(both["meter2"], 0);
}

TEST_F(Episode2Run, ClimbingAllThreeToTheWhiteLineLevelsUp) {
    std::string script = startEpisode(2);
    const char* pushes[][2] = {{"1", "260"}, {"2", "260"}, {"3", "260"}, {"2", "20"}, {"1", "15"}};
    for (const auto& push : pushes) {
        script += std::string("down ") + push[0] + "\nframes " + push[1] + "\nup " + push[0] + "\nframes 1\n";
    }
    script += "state done.json\n";
    play(script);
    const nlohmann::json done = state("done.json");
    EXPECT_EQ(done["level"], 2);
    EXPECT_EQ(done["lives"], 1);
    EXPECT_EQ(done["all_past_grey"], false);
    EXPECT_EQ(done["timer2_interval"], 250);
    EXPECT_EQ(sound(done, "reached_ep2"), 1);
    EXPECT_EQ(sound(done, "levelup_ep2"), 1);
    const int levelSeconds = done["total_seconds"];
    EXPECT_EQ(done["score"], std::max(0, 200 - 10 * levelSeconds));
}

TEST_F(Episode2Run, TheGameEndsAfterThreeHundredSeconds) {
    play(startEpisode(2) + "wait 299000\nstate before.json\nwait 1500\nstate after.json\nshot over.png\n");
    const nlohmann::json before = state("before.json");
    const nlohmann::json after = state("after.json");
    EXPECT_EQ(before["lives"], 1);
    EXPECT_EQ(after["lives"], 0);
    EXPECT_EQ(after["total_seconds"], 300);
    EXPECT_EQ(after["score"], 0);
    EXPECT_EQ(sound(after, "gameover"), 1);
}

}  // namespace
}  // namespace ik::test
