// Episode 4 played through the headless mode with a fixed seed. The codes are
// random, so a test first plays up to a code, reads it from the state and then
// plays the same game again typing it.
#include <string>
#include <vector>

#include "Episode34Run.h"
#include "tests/support/MenuScript.h"
#include "tests/support/Pixels.h"

namespace ik::test {
namespace {

class Episode4Run : public Episode34Run {
protected:
    // Plays the script and returns the state it ends on.
    nlohmann::json playTo(const std::string& script) {
        play(script + "state now.json\n");
        return state("now.json");
    }
};

std::string typeEach(const std::string& digits) {
    std::string script;
    for (char d : digits) script += std::string("key ") + d + "\nframes 1\n";
    return script;
}

TEST_F(Episode4Run, CodesGrowOneTwoTwoThreeDigitsAndScoreByLevelAndTime) {
    std::string script = startEpisode(4);
    std::vector<size_t> lengths;
    int expectedScore = 0;
    for (int level = 1; level <= 5; ++level) {
        const nlohmann::json now = playTo(script);
        ASSERT_EQ(now["level"], level);
        ASSERT_EQ(now["lives"], 10);
        EXPECT_EQ(now["score"], expectedScore);
        const std::string code = now["code_text"];
        lengths.push_back(code.size());
        expectedScore += level * 1000 / (now["seconds"].get<int>() + 1);
        script += typeEach(code);
    }
    EXPECT_EQ(lengths, (std::vector<size_t>{1, 1, 2, 2, 3}));
}

TEST_F(Episode4Run, TheTypedPrefixIsYellowOverTheBeigeCode) {
    // Level 3 has the first code of two digits.
    std::string script = startEpisode(4);
    for (int level = 1; level <= 2; ++level) script += typeEach(playTo(script)["code_text"]);
    const std::string code = playTo(script)["code_text"];
    ASSERT_EQ(code.size(), 2u);
    play(script + typeEach(code.substr(0, 1)) + "frames 1\nstate typed.json\nshot typed.png\n");
    EXPECT_EQ(state("typed.json")["typed_text"], code.substr(0, 1));
    const Frame typed = shot("typed.png");
    const TColor yellow = RGB(255, 255, 0), beige = RGB(238, 224, 196);
    // Courier New at size 30 puts one character in about 24 pixels.
    EXPECT_GT(countColour(typed, 254, 277, 278, 320, yellow), 20);
    EXPECT_EQ(countColour(typed, 254, 277, 278, 320, beige), 0);
    EXPECT_EQ(countColour(typed, 278, 277, 302, 320, yellow), 0);
    EXPECT_GT(countColour(typed, 278, 277, 302, 320, beige), 20);
}

TEST_F(Episode4Run, AWrongDigitOrATimeOutCostsALifeAndRestartsTheSameCode) {
    const std::string start = startEpisode(4);
    const std::string code = playTo(start)["code_text"];
    const char wrong = static_cast<char>('0' + (code[0] - '0' + 1) % 10);
    play(start + "state start.json\n" + typeEach(std::string(1, wrong)) + "state wrong.json\n" +
         "wait 5100\nstate timeout.json\nkey x\nframes 1\nstate letter.json\n");
    const nlohmann::json wrongDigit = state("wrong.json");
    EXPECT_EQ(wrongDigit["lives"], 9);
    EXPECT_EQ(wrongDigit["code_text"], code);
    EXPECT_EQ(wrongDigit["seconds"], 0);
    EXPECT_EQ(sound(wrongDigit, "miss_ep4"), 1);
    const nlohmann::json timeout = state("timeout.json");
    EXPECT_EQ(timeout["lives"], 8);
    EXPECT_EQ(timeout["code_text"], code);
    EXPECT_EQ(sound(timeout, "miss_ep4"), 2);
    const nlohmann::json letter = state("letter.json");
    EXPECT_EQ(letter["lives"], 8);
    EXPECT_EQ(letter["code_pos"], 1);
    EXPECT_EQ(letter["key_result"], 3);
    EXPECT_EQ(sound(letter, "key_ep4"), 2);
    EXPECT_EQ(sound(letter, "miss_ep4"), 2);
}

TEST_F(Episode4Run, TenTimeOutsEndTheGameWithTheWholeTimeInTheSummary) {
    play(startEpisode(4) +
         "shot countdown.png\nframes 20\nshot playing.png\nwait 50500\nstate over.json\nshot over.png\n");
    const nlohmann::json over = state("over.json");
    EXPECT_EQ(over["lives"], 0);
    EXPECT_EQ(over["total_seconds"], 50);
    EXPECT_EQ(sound(over, "miss_ep4"), 10);
    EXPECT_EQ(sound(over, "gameover"), 1);
    const TColor beige = RGB(238, 224, 196);
    EXPECT_GT(countColour(shot("countdown.png"), 380, 290, 420, 340, clWhite), 20) << "the number 1";
    EXPECT_GT(countColour(shot("countdown.png"), 212, 341, 585, 359, beige), 373 * 17) << "the full time bar";
    EXPECT_GT(countColour(shot("playing.png"), 254, 277, 300, 320, beige), 20) << "the code";
    EXPECT_GT(countColour(shot("over.png"), 190, 290, 600, 380, clBlack), 500) << "the summary lines";
}

TEST_F(Episode4Run, HoldingRGivesUp) {
    play(startEpisode(4) + "frames 2\ndown R\nframes 1\nup R\nstate over.json\n");
    const nlohmann::json over = state("over.json");
    EXPECT_EQ(over["lives"], 0);
    EXPECT_EQ(sound(over, "gameover"), 1);
}

TEST_F(Episode4Run, EscapeLeavesThroughALoadingBoxInTheBarColour) {
    play(startEpisode(4) + "frames 2\nkey Escape\nwait 1\nshot leaving.png\nframes 2\nstate menu.json\n");
    EXPECT_EQ(state("menu.json")["screen"], "mainmenu");
    const Frame leaving = shot("leaving.png");
    EXPECT_GT(countColour(leaving, 10, 10, 100, 28, RGB(238, 224, 196)), 200);
    EXPECT_GT(countColour(leaving, 10, 10, 100, 28, clWhite), 20) << "the message itself";
}

}  // namespace
}  // namespace ik::test
