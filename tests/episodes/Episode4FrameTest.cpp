// Episode 4's frame and digit acceptance driven directly from chosen field
// values, with the key verdicts coming through the character handler.
#include <gtest/gtest.h>

#include <string>

#include "EpisodeForm.h"
#include "app/Form.h"
#include "display/DXDraw.h"
#include "display/Surface.h"
#include "platform/VirtualKeys.h"

namespace ik::test {
namespace {

class Episode4Frame : public EpisodeForm {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(EpisodeForm::SetUp());
        form->episode4_init();
        ASSERT_EQ(form->screen, Screen::game4);
    }
    void type(const std::string& characters) {
        for (char c : characters) form->FormKeyPress(static_cast<unsigned char>(c));
    }
    // Length of the time bar as drawn on its middle row.
    int barWidth() const {
        const uint16_t beige = toRgb565(RGB(238, 224, 196));
        TDirectDrawSurface& back = form->DXDraw1->Surface();
        int width = 0;
        while (back.Pixel(212 + width, 350) == beige) ++width;
        return width;
    }
};

bool AllDigits(const std::string& text) { return text.find_first_not_of("0123456789") == std::string::npos; }

TEST_F(Episode4Frame, CompletingACodeBuildsTheNextOneByLevel) {
    struct Case {
        int32_t level;
        int32_t timeLimit;
        size_t nextLength;
        int32_t nextLimit;
    };
    const Case cases[] = {
        {1, 5, 1, 5},   {2, 5, 2, 5},   {3, 5, 2, 5},   {4, 5, 3, 5},   {21, 5, 11, 5},
        {22, 5, 12, 5}, {23, 5, 12, 5}, {24, 5, 12, 3}, {30, 3, 12, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        form->level = c.level;
        form->time_limit = c.timeLimit;
        form->code_text = "7";
        form->code_pos = 1;
        form->seconds = 0;
        type("7");
        form->episode4();
        EXPECT_EQ(form->level, c.level + 1);
        EXPECT_EQ(form->code_text.size(), c.nextLength);
        EXPECT_TRUE(AllDigits(form->code_text)) << form->code_text;
        EXPECT_EQ(form->time_limit, c.nextLimit);
        EXPECT_EQ(form->code_pos, 1);
        EXPECT_EQ(form->typed_text, "");
        EXPECT_EQ(form->lives, 10);
    }
}

TEST_F(Episode4Frame, ACompletedCodeScoresLevelThousandsOverTheSecondsStarted) {
    struct Case {
        int32_t level;
        int32_t seconds;
        int32_t gain;
    };
    for (Case c : {Case{1, 0, 1000}, Case{1, 1, 500}, Case{3, 2, 1000}, Case{4, 0, 4000}, Case{7, 4, 1400}}) {
        SCOPED_TRACE(::testing::Message() << c.level << " in " << c.seconds);
        form->score = 100;
        form->level = c.level;
        form->code_text = "5";
        form->code_pos = 1;
        form->seconds = c.seconds;
        type("5");
        form->episode4();
        EXPECT_EQ(form->score, 100 + c.gain);
        EXPECT_EQ(form->seconds, 0) << "the next attempt starts afresh";
    }
    EXPECT_EQ(plays("newform_ep4"), 5);
}

TEST_F(Episode4Frame, TheTimeBarShrinksEvenlyAndRoundsHalvesToEven) {
    struct Case {
        int32_t timeLimit;
        int32_t seconds;
        int width;
    };
    const Case cases[] = {
        {5, 0, 373}, {5, 1, 298}, {5, 2, 224}, {5, 3, 149}, {5, 4, 75},
        {3, 0, 373}, {3, 1, 249}, {3, 2, 124}, {2, 1, 186},  // 186.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.seconds << " of " << c.timeLimit);
        form->time_limit = c.timeLimit;
        form->seconds = c.seconds;
        form->episode4();
        EXPECT_EQ(barWidth(), c.width);
    }
}

TEST_F(Episode4Frame, AKeyVerdictMeetingTheTimeOutCostsAtMostOneLife) {
    struct Case {
        const char* what;
        std::string keys;
        int32_t seconds;
        int32_t lives, level, codePos, misses;
        std::string typed;
    };
    const Case cases[] = {
        {"right digit completing the code at the time-out", "1", 5, 10, 2, 1, 0, ""},
        {"right digit inside the code at the time-out", "4", 5, 9, 1, 1, 1, ""},
        {"wrong digit at the time-out", "9", 5, 9, 1, 1, 1, ""},
        {"wrong digit in time", "9", 2, 9, 1, 1, 1, ""},
        {"right digit in time", "4", 2, 10, 1, 2, 0, "4"},
        {"a letter in time", "x", 2, 10, 1, 1, 0, ""},
        {"two keys: only the last verdict counts", "94", 2, 10, 1, 2, 0, "4"},
        {"time-out alone", "", 5, 9, 1, 1, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restart();
        form->episode4_init();
        // "1" completes a one-digit code; "4" starts the two-digit one.
        form->code_text = c.keys == "1" ? "1" : "42";
        const std::string code = form->code_text;
        form->seconds = c.seconds;
        type(c.keys);
        form->episode4();
        EXPECT_EQ(form->lives, c.lives);
        EXPECT_EQ(form->level, c.level);
        EXPECT_EQ(form->code_pos, c.codePos);
        EXPECT_EQ(form->typed_text, c.typed);
        EXPECT_EQ(form->key_result, 3);
        EXPECT_EQ(plays("miss_ep4"), c.misses);
        EXPECT_EQ(plays("key_ep4"), static_cast<int>(c.keys.size()));
        if (c.level == 1) {
            EXPECT_EQ(form->code_text, code) << "the same code again";
        }
    }
}

TEST_F(Episode4Frame, TheLastLifeEndsTheGameWithTheWholePlayingTime) {
    form->lives = 1;
    form->total_seconds = 37;
    form->seconds = 5;
    form->episode4();
    EXPECT_EQ(form->lives, 0);
    EXPECT_EQ(form->total_seconds, 42);
    EXPECT_EQ(plays("gameover"), 1);
}

TEST_F(Episode4Frame, HoldingRGivesUpAfterTheFramesVerdictIsActedOn) {
    form->code_text = "42";
    form->seconds = 2;
    type("4");
    hold(vk::letter('R'));
    form->episode4();
    EXPECT_EQ(form->lives, 0);
    EXPECT_EQ(form->typed_text, "4");
    EXPECT_EQ(form->total_seconds, 2);
    EXPECT_EQ(plays("gameover"), 1);
}

}  // namespace
}  // namespace ik::test
