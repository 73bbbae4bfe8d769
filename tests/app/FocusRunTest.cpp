// Another window taking the focus: a running game pauses as with the pause
// key and resumes when the focus returns, a game the player paused stays
// paused, the pointer is kept in the window only while a game is played, and
// the original's rule, on request, ends the program with the record kept.
#include <string>

#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"

namespace ik::test {
namespace {

using FocusRun = TestPicturesRun;

const std::string kStartEpisode1 = startEpisode(1) + "frames 3\n";

TEST_F(FocusRun, ARunningGamePausesWhileAnotherWindowHasTheFocus) {
    const Outcome outcome = run(kStartEpisode1 +
                                "state playing.json\nfocus off\nwait 20\nstate lost.json\nwait 3000\n"
                                "state later.json\nfocus on\nframes 3\nwait 1100\nstate back.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto playing = state("playing.json"), lost = state("lost.json"), later = state("later.json"),
               back = state("back.json");
    ASSERT_EQ(playing["screen"], "game1");
    EXPECT_EQ(playing["pointer_confined"], true);
    for (const auto* unfocused : {&lost, &later}) {
        EXPECT_EQ((*unfocused)["paused"], true);
        EXPECT_EQ((*unfocused)["timer1_enabled"], false);
        EXPECT_EQ((*unfocused)["timer2_enabled"], false);
        EXPECT_EQ((*unfocused)["pointer_confined"], false);
    }
    EXPECT_EQ(later["seconds"], lost["seconds"]) << "no second counted behind another window";
    EXPECT_EQ(later["frame"], lost["frame"]);
    EXPECT_EQ(back["paused"], false);
    EXPECT_EQ(back["timer1_enabled"], true);
    EXPECT_EQ(back["pointer_confined"], true);
    EXPECT_GT(back["seconds"].get<int>(), later["seconds"].get<int>()) << "the seconds count again";
}

TEST_F(FocusRun, AGameThePlayerPausedStaysPausedWhenTheFocusReturns) {
    const Outcome outcome =
        run(kStartEpisode1 + "key p\nwait 20\nfocus off\nwait 500\nfocus on\nwait 500\nstate back.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto back = state("back.json");
    EXPECT_EQ(back["screen"], "game1");
    EXPECT_EQ(back["paused"], true);
    EXPECT_EQ(back["timer1_enabled"], false);
    EXPECT_EQ(back["pointer_confined"], false);
}

TEST_F(FocusRun, TheMenuStopsDrawingAndGoesOnWithTheFocus) {
    const Outcome outcome =
        run("key Return\nframes 2\nfocus off\nwait 20\nstate lost.json\nwait 1000\n"
            "state later.json\nfocus on\nframes 2\nstate back.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto lost = state("lost.json"), later = state("later.json"), back = state("back.json");
    EXPECT_EQ(later["frame"], lost["frame"]);
    EXPECT_EQ(back["screen"], "mainmenu");
    EXPECT_GE(back["frame"].get<int>(), later["frame"].get<int>() + 2);
    EXPECT_EQ(back["paused"], false) << "the menu is not paused, only undrawn";
    EXPECT_EQ(back["pointer_confined"], false);
}

TEST_F(FocusRun, ThePlayerSetsThePointerFreeUntilTheGameNextPauses) {
    const Outcome outcome = run(kStartEpisode1 +
                                "down Control\nkey G\nup Control\nframes 2\nstate free.json\n"
                                "key p\nwait 20\nkey p\nframes 2\nstate resumed.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(state("free.json")["pointer_confined"], false);
    EXPECT_EQ(state("free.json")["paused"], false);
    EXPECT_EQ(state("resumed.json")["pointer_confined"], true);
}

TEST_F(FocusRun, QuitOnFocusLossEndsTheProgramAndKeepsTheRecord) {
    storeScores("[game1]\nscore=0\nverify=11\n");
    RunOptions quitOnFocusLoss;
    quitOnFocusLoss.arguments = "--quit-on-focus-loss";
    const Outcome outcome = run(
        kStartEpisode1 + "frames 600\nstate playing.json\nfocus off\nwait 100\nstate after.json\n", quitOnFocusLoss);
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    const auto playing = state("playing.json"), after = state("after.json");
    ASSERT_EQ(playing["screen"], "game1");
    EXPECT_EQ(after["closed"], true);
    const int score = after["score"].get<int>();
    ASSERT_GT(score, 0) << "ten seconds of play score something";
    EXPECT_NE(storedScores().find("[game1]\nscore=" + std::to_string(score) + "\n"), std::string::npos)
        << storedScores();
}

}  // namespace
}  // namespace ik::test
