// Episode 3 played through the headless mode with a fixed seed.
#include <string>

#include "Episode34Run.h"
#include "tests/support/MenuScript.h"
#include "tests/support/Pixels.h"

namespace ik::test {
namespace {

using Episode3Run = Episode34Run;

TEST_F(Episode3Run, TheAimFollowsThePointerAndPullsItBackOntoItsLimits) {
    play(startEpisode(3) +
         "state start.json\n"
         "move 300 40\nframes 1\nstate top.json\n"
         "move 300 590\nframes 1\nstate bottom.json\n"
         "move 300 200\nframes 1\nstate middle.json\n");
    const nlohmann::json start = state("start.json");
    EXPECT_EQ(start["screen"], "game3");
    EXPECT_EQ(start["lives"], 1);
    EXPECT_EQ(start["aim_y"], 300);
    EXPECT_EQ(start["pointer"], nlohmann::json({0, 300}));
    struct Case {
        const char* file;
        int aim;
        int pointerY;
    };
    for (Case c : {Case{"top.json", 150, 150}, Case{"bottom.json", 520, 520}, Case{"middle.json", 200, 200}}) {
        SCOPED_TRACE(c.file);
        const nlohmann::json s = state(c.file);
        EXPECT_EQ(s["aim_y"], c.aim);
        EXPECT_EQ(s["pointer"], nlohmann::json({300, c.pointerY}));
    }
}

TEST_F(Episode3Run, AShotFliesFromTheLeftRestartsOnASecondPressAndParksAfterAMiss) {
    // Aimed along the top line the soldier passes above the fire, which starts
    // at y 200 heading down.
    play(startEpisode(3) +
         "move 300 100\nframes 1\nclick\nwait 1\nstate shot.json\n"
         "frames 1\nstate flying.json\nframes 3\nclick\nwait 1\nstate again.json\n"
         "frames 40\nstate parked.json\n");
    const nlohmann::json shot = state("shot.json");
    EXPECT_EQ(shot["soldier_x"], 1);
    EXPECT_EQ(shot["soldier_y"], 125);
    EXPECT_EQ(sound(shot, "shot_ep3"), 1);
    EXPECT_EQ(state("flying.json")["soldier_x"], 26);
    const nlohmann::json again = state("again.json");
    EXPECT_EQ(again["soldier_x"], 1);
    EXPECT_EQ(sound(again, "shot_ep3"), 2);
    const nlohmann::json parked = state("parked.json");
    EXPECT_EQ(parked["soldier_x"], 801);
    EXPECT_EQ(parked["score"], 0);
    EXPECT_EQ(sound(parked, "fire_ep3"), 0);
}

TEST_F(Episode3Run, AHitScoresTheFiresLeftEdgeAndFeedsTheFire) {
    constexpr int kFrames = 25;
    std::string script = startEpisode(3) + "move 300 300\nframes 1\nclick\nstate f0.json\n";
    for (int n = 1; n <= kFrames; ++n) script += "frames 1\nstate f" + std::to_string(n) + ".json\n";
    play(script);
    int hitFrame = 0;
    for (int n = 1; n <= kFrames && hitFrame == 0; ++n) {
        if (state("f" + std::to_string(n) + ".json")["score"] != 0) hitFrame = n;
    }
    ASSERT_GT(hitFrame, 0) << "the soldier aimed at the fire never reached it";
    const nlohmann::json before = state("f" + std::to_string(hitFrame - 1) + ".json");
    const nlohmann::json hit = state("f" + std::to_string(hitFrame) + ".json");
    const int fireX = hit["fire_x"];
    EXPECT_EQ(hit["score"], fireX);
    ASSERT_EQ(hit["seconds"], before["seconds"]) << "a burning tick between the frames";
    EXPECT_EQ(hit["fire_size"], before["fire_size"].get<int>() + fireX / 100);
    EXPECT_EQ(hit["soldier_x"], 801);
    EXPECT_EQ(sound(hit, "fire_ep3"), 1);
}

TEST_F(Episode3Run, WithoutHitsTheFireGoesOutAfterFiftySeconds) {
    play(startEpisode(3) + "wait 49500\nstate alive.json\nwait 1000\nstate out.json\nshot over.png\n");
    const nlohmann::json alive = state("alive.json");
    EXPECT_EQ(alive["lives"], 1);
    EXPECT_EQ(alive["fire_size"], 50 - alive["seconds"].get<int>());
    const nlohmann::json out = state("out.json");
    EXPECT_EQ(out["lives"], 0);
    EXPECT_EQ(out["total_seconds"], 50);
    EXPECT_EQ(sound(out, "gameover"), 1);
}

TEST_F(Episode3Run, CountDownPlayAndSummaryScreens) {
    play(startEpisode(3) +
         "shot countdown.png\nmove 300 400\nframes 30\nshot playing.png\n"
         "down R\nframes 1\nup R\nstate over.json\nshot over.png\n");
    const Frame countdown = shot("countdown.png");
    EXPECT_GT(countColour(countdown, 380, 290, 420, 340, clWhite), 20) << "the number 1";
    const Frame playing = shot("playing.png");
    EXPECT_GT(countColour(playing, 5, 5, 120, 100, clWhite), 100) << "the status texts";
    EXPECT_EQ(state("over.json")["lives"], 0);
    const Frame over = shot("over.png");
    EXPECT_GT(countColour(over, 190, 290, 600, 380, clBlack), 500) << "the summary lines";
}

}  // namespace
}  // namespace ik::test
