// Episode 1 played through the headless mode with a fixed seed.
#include <fstream>
#include <string>

#include "app/Form.h"
#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"

namespace ik::test {
namespace {

using Episode1Run = GameRun;

std::string everyFrame(int frames) {
    std::string script;
    for (int n = 1; n <= frames; ++n) script += "frames 1\nstate f" + std::to_string(n) + ".json\n";
    return script;
}

bool overlap(const nlohmann::json& a, const nlohmann::json& b) {
    return std::min(a[2].get<int>(), b[2].get<int>()) > std::max(a[0].get<int>(), b[0].get<int>()) &&
           std::min(a[3].get<int>(), b[3].get<int>()) > std::max(a[1].get<int>(), b[1].get<int>());
}

TEST_F(Episode1Run, CountdownTakesThreeSecondsAndNothingIsCaughtInTheFirstFrame) {
    play(kEnterMenu + std::string("state menu.json\n") + clickMenuButton(1) +
         "wait 1\nstate start.json\nframes 1\nstate first.json\n");
    const nlohmann::json menu = state("menu.json");
    const nlohmann::json start = state("start.json");
    const nlohmann::json first = state("first.json");
    EXPECT_EQ(menu["screen"], "mainmenu");
    EXPECT_EQ(start["screen"], "game1");
    EXPECT_EQ(start["frame"], menu["frame"]) << "the count-down's flips are not frames";
    const uint64_t blocked = start["time_ms"].get<uint64_t>() - menu["time_ms"].get<uint64_t>();
    EXPECT_GE(blocked, 3000u);
    EXPECT_LT(blocked, 3100u);
    EXPECT_EQ(start["lives"], 20);
    EXPECT_EQ(start["pointer"], nlohmann::json({400, 550}));
    EXPECT_EQ(start["tray_rect"], nlohmann::json({361, 561, 439, 585}));

    EXPECT_EQ(first["frame"].get<int>(), menu["frame"].get<int>() + 1);
    EXPECT_EQ(first["score"], 0);
    EXPECT_EQ(first["lives"], 20);
    EXPECT_EQ(sound(first, "green_ep1") + sound(first, "red_ep1"), 0);
    for (int i = 0; i < 10; ++i) {
        const double y = first["item_y"][i];
        EXPECT_DOUBLE_EQ(y, -50.0 + start["item_speed"][i].get<double>()) << "item " << i + 1;
    }
}

// Every frame of a stretch of play is checked against the previous one: the
// catches come from the rectangles of the previous frame, a needed item that
// falls out costs a life, and the sounds follow.
TEST_F(Episode1Run, CatchesAndFallsFollowThePreviousFrame) {
    constexpr int kFrames = 330;
    play(startEpisode(1) + "state f0.json\n" + everyFrame(kFrames));
    int neededCaught = 0;
    int unneededCaught = 0;
    int fellOut = 0;
    nlohmann::json before = state("f0.json");
    for (int n = 1; n <= kFrames; ++n) {
        const nlohmann::json after = state("f" + std::to_string(n) + ".json");
        int needed = 0;
        int unneeded = 0;
        int lost = 0;
        for (int i = 0; i < 10; ++i) {
            const bool isNeeded = before["item_needed"][i];
            if (overlap(before["tray_rect"], before["item_rect"][i])) {
                (isNeeded ? needed : unneeded) += 1;
                EXPECT_LT(after["item_y"][i].get<double>(), -45.0) << "caught item respawns, frame " << n;
            } else if (isNeeded && before["item_y"][i].get<double>() > 600.0) {
                ++lost;
            }
        }
        SCOPED_TRACE("frame " + std::to_string(n));
        EXPECT_EQ(after["score"].get<int>() - before["score"].get<int>(), needed);
        EXPECT_EQ(before["lives"].get<int>() - after["lives"].get<int>(), unneeded + lost);
        EXPECT_EQ(after["penalty_points"].get<int>() - before["penalty_points"].get<int>(), unneeded);
        EXPECT_EQ(sound(after, "green_ep1") - sound(before, "green_ep1"), needed);
        EXPECT_EQ(sound(after, "red_ep1") - sound(before, "red_ep1"), unneeded);
        neededCaught += needed;
        unneededCaught += unneeded;
        fellOut += lost;
        before = after;
    }
    // The stretch must hold every kind of event for the checks to mean anything.
    EXPECT_GT(neededCaught, 0);
    EXPECT_GT(unneededCaught, 0);
    EXPECT_GT(fellOut, 0);
}

TEST_F(Episode1Run, GivingUpWithRKeepsTheSummaryAndEnterStoresTheRecord) {
    play(startEpisode(1) +
         "wait 9000\ndown R\nframes 1\nup R\nstate over.json\nshot over.png\n"
         "frames 2\nstate stays.json\nkey Return\nframes 2\nstate left.json\n");
    const nlohmann::json over = state("over.json");
    EXPECT_EQ(over["screen"], "game1");
    EXPECT_EQ(over["lives"], 0);
    EXPECT_EQ(over["total_seconds"], 9);
    EXPECT_EQ(sound(over, "gameover"), 1);
    const int score = over["score"];
    ASSERT_GT(score, 0) << "the seed's game must score for the record to be stored";

    const nlohmann::json stays = state("stays.json");
    EXPECT_EQ(stays["frame"], over["frame"]) << "no frame after the summary";
    EXPECT_EQ(sound(stays, "gameover"), 1);

    EXPECT_EQ(state("left.json")["screen"], "mainmenu");
    const std::string stored = readText(scores.file("scores.dat"));
    EXPECT_NE(stored.find("[game1]"), std::string::npos) << stored;
    EXPECT_NE(stored.find("score=" + std::to_string(score) + "\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("verify=" + std::to_string(TForm1::verify_value(score)) + "\n"), std::string::npos) << stored;
}

}  // namespace
}  // namespace ik::test
