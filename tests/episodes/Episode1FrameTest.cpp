// Episode 1's frame driven directly from chosen field values: the bonus and
// penalty cycles, the fall factors, catches and the summary.
#include <gtest/gtest.h>

#include <fstream>

#include "EpisodeForm.h"
#include "app/Form.h"
#include "app/ScoreStore.h"
#include "assets/PictureCollection.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "display/Surface.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

class Episode1Frame : public EpisodeForm {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(EpisodeForm::SetUp());
        form->episode1_init();
        ASSERT_EQ(form->screen, Screen::game1);
        // Every item hangs still in the middle of its column, out of the
        // tray's reach, so that only the items a test moves can be caught.
        for (int i = 1; i <= 10; ++i) park(i);
        aimAt(item_left(1) + 25);
    }

    void park(int i) {
        form->item_speed[i] = 0.0;
        form->item_y[i] = 200.0;
        form->item_rect[i] = {item_left(i), 200, item_left(i) + 50, 250};
    }
    // Puts the item where the tray, as it stands, catches it in the next frame.
    void dropOnTray(int i, bool needed) {
        form->item_needed[i] = needed;
        form->item_y[i] = 540.0;
        form->item_rect[i] = {item_left(i), 540, item_left(i) + 50, 590};
    }
    void aimAt(int x) {
        platform->warpPointer({x, 550});
        form->tray_rect = {x - 39, 561, x + 39, 585};
    }
    // One frame in which the item in column 1 is caught.
    void catchOne(bool needed) {
        dropOnTray(1, needed);
        form->episode1();
        park(1);
    }
};

struct TriggerCase {
    int32_t score;
    Bonus bonus;
    int32_t extraLives;
    int32_t pointerY;  // where the cursor is after the frame
};

TEST_F(Episode1Frame, BonusTriggersOnceWhileTheScoreStaysOnTheirValue) {
    for (TriggerCase c : {TriggerCase{50, Bonus::movement, 0, 573}, TriggerCase{150, Bonus::movement, 0, 573},
                          TriggerCase{75, Bonus::slow, 0, 550}, TriggerCase{100, Bonus::green, 10, 550},
                          TriggerCase{0, Bonus::none, 0, 550}, TriggerCase{49, Bonus::none, 0, 550}}) {
        SCOPED_TRACE(c.score);
        restart();
        form->score = c.score;
        form->episode1();
        EXPECT_EQ(form->bonus, c.bonus);
        EXPECT_EQ(form->bonus_left, c.bonus == Bonus::none ? -1 : 10);
        EXPECT_EQ(form->lives, 20 + c.extraLives);
        EXPECT_EQ(platform->pointer().y, c.pointerY);
        // A second frame on the same value: no second sound, no second
        // warp of a cursor moved since, no second gift of lives.
        platform->warpPointer({200, 300});
        form->episode1();
        EXPECT_EQ(plays("bonus_ep1"), c.bonus == Bonus::none ? 0 : 1);
        EXPECT_EQ(platform->pointer().y, 300);
        EXPECT_EQ(form->lives, 20 + c.extraLives);
    }
}

TEST_F(Episode1Frame, TenCatchesEndTheBonusCountedFromTheOneThatLeavesTheTrigger) {
    form->score = 75;
    for (int catches = 1; catches <= 10; ++catches) {
        catchOne(true);
        EXPECT_EQ(form->bonus, Bonus::slow) << "after catch " << catches;
        EXPECT_EQ(form->bonus_left, 10 - catches) << "after catch " << catches;
    }
    EXPECT_EQ(form->score, 85);
    form->episode1();
    EXPECT_EQ(form->bonus, Bonus::none);
    EXPECT_EQ(form->bonus_left, -1);
    EXPECT_EQ(plays("bonus_end_ep1"), 1);
    form->episode1();
    EXPECT_EQ(plays("bonus_end_ep1"), 1) << "the end sounds once";
}

TEST_F(Episode1Frame, TwoCatchesInOneFrameWithTheTrayBetweenTwoColumns) {
    // A needed item in column 1 and an unneeded one in column 2; the tray
    // reaches both while the cursor is strictly between column 1's left + 41
    // and left + 89 (touching edges do not overlap).
    struct Case {
        int offset;
        int32_t score;
        int32_t lives;
    };
    for (Case c : {Case{41, 1, 20}, Case{42, 1, 19}, Case{65, 1, 19}, Case{88, 1, 19}, Case{89, 0, 19}}) {
        SCOPED_TRACE(c.offset);
        restart();
        aimAt(item_left(1) + c.offset);
        dropOnTray(1, true);
        dropOnTray(2, false);
        form->episode1();
        EXPECT_EQ(form->score, c.score);
        EXPECT_EQ(form->lives, c.lives);
        EXPECT_EQ(form->penalty_points, 20 - c.lives);
        EXPECT_EQ(plays("green_ep1"), c.score);
        EXPECT_EQ(plays("red_ep1"), 20 - c.lives);
    }
}

TEST_F(Episode1Frame, AScoreJumpingByTwoSkipsTheTriggerItSteppedOver) {
    for (int32_t before : {49, 74, 99}) {
        SCOPED_TRACE(before);
        restart();
        form->score = before;
        aimAt(item_left(1) + 65);  // over columns 1 and 2
        dropOnTray(1, true);
        dropOnTray(2, true);
        form->episode1();
        form->episode1();
        EXPECT_EQ(form->score, before + 2);
        EXPECT_EQ(form->bonus, Bonus::none);
        EXPECT_EQ(plays("bonus_ep1"), 0);
        EXPECT_EQ(form->lives, 20);
    }
}

TEST_F(Episode1Frame, ASkippedResetStartsTheNextBonusSilentlyAndLeavesTheCursor) {
    form->score = 50;
    form->episode1();
    ASSERT_EQ(plays("bonus_ep1"), 1);
    // Over 51 in one frame: the flags of the first bonus stay set.
    form->score = 52;
    form->episode1();
    form->score = 150;
    platform->warpPointer({300, 400});
    form->episode1();
    EXPECT_EQ(form->bonus, Bonus::movement);
    EXPECT_EQ(plays("bonus_ep1"), 1);
    EXPECT_EQ(platform->pointer().y, 400);
    EXPECT_EQ(form->tray_rect.Top, 388) << "the tray follows the cursor";
}

TEST_F(Episode1Frame, FreeMovementEndsWithTheTrayBackOnItsRow) {
    form->bonus = Bonus::movement;
    form->bonus_left = 1;
    form->score = 60;
    platform->warpPointer({item_left(1) + 25, 300});
    form->item_needed[1] = true;
    form->item_y[1] = 280.0;
    form->item_rect[1] = {item_left(1), 280, item_left(1) + 50, 330};
    form->tray_rect = {item_left(1) - 14, 288, item_left(1) + 64, 312};
    form->episode1();
    EXPECT_EQ(form->score, 61);
    EXPECT_EQ(form->bonus_left, 0);
    EXPECT_EQ(form->tray_rect.Top, 288);
    form->episode1();
    EXPECT_EQ(form->bonus, Bonus::none);
    EXPECT_EQ(form->tray_rect.Top, 561);
    EXPECT_EQ(form->tray_rect.Bottom, 585);
}

TEST_F(Episode1Frame, PenaltyStartsOncePerMultipleOfTenAndEndsAfterFiveCatches) {
    struct Case {
        int32_t points;
        bool starts;
    };
    for (Case c : {Case{10, true}, Case{20, true}, Case{90, true}, Case{0, false}, Case{9, false}, Case{11, false}}) {
        SCOPED_TRACE(c.points);
        restart();
        form->penalty_points = c.points;
        form->episode1();
        form->episode1();
        EXPECT_EQ(form->penalty_active, c.starts);
        EXPECT_EQ(form->penalty_left, c.starts ? 5 : -1);
        EXPECT_EQ(plays("trest_ep1"), c.starts ? 1 : 0);
    }
    restart();
    form->penalty_points = 10;
    for (int catches = 1; catches <= 5; ++catches) {
        catchOne(catches % 2 == 0);  // either kind counts
        EXPECT_TRUE(form->penalty_active) << "after catch " << catches;
    }
    EXPECT_EQ(form->penalty_left, 0);
    form->episode1();
    EXPECT_FALSE(form->penalty_active);
    EXPECT_EQ(plays("trest_end_ep1"), 1);
    EXPECT_EQ(plays("trest_ep1"), 1);
}

TEST_F(Episode1Frame, FallFactorFollowsPenaltyAndSlowDown) {
    struct Case {
        bool penalty;
        Bonus bonus;
        double step;
    };
    for (Case c : {Case{false, Bonus::none, 2.0}, Case{true, Bonus::none, 4.0}, Case{false, Bonus::slow, 1.0},
                   Case{true, Bonus::slow, 2.0}, Case{false, Bonus::green, 2.0}}) {
        SCOPED_TRACE(std::string(bonusName(c.bonus)) + (c.penalty ? " with penalty" : ""));
        restart();
        form->score = 80;
        form->bonus = c.bonus;
        form->bonus_left = c.bonus == Bonus::none ? -1 : 5;
        form->penalty_points = 11;
        form->penalty_active = c.penalty;
        form->penalty_left = c.penalty ? 3 : -1;
        form->item_speed[4] = 2.0;
        form->episode1();
        EXPECT_DOUBLE_EQ(form->item_y[4], 200.0 + c.step);
    }
}

TEST_F(Episode1Frame, LivesBelowZeroEndTheGameAndShowInTheSummary) {
    form->lives = 1;
    for (int i = 1; i <= 3; ++i) {
        form->item_needed[i] = true;
        form->item_y[i] = 601.0;
    }
    form->item_needed[4] = false;
    form->item_y[4] = 601.0;
    form->episode1();
    EXPECT_EQ(form->lives, -2) << "three needed items fell out, the unneeded one costs nothing";
    EXPECT_EQ(plays("gameover"), 1);
    const std::vector<uint16_t> frame = backBuffer();
    const uint64_t drawn = form->frames_drawn;
    platform->sleep(20);
    form->DXTimer1Timer(1);
    EXPECT_EQ(form->frames_drawn, drawn) << "the summary frame stays";

    // The status line under the summary: redraw what lay under its text.
    form->DXImageList1->Items.Find("back_ep1").DrawPattern(form->DXDraw1->Surface(), 0, 0, 0);
    form->DXImageList1->Items.Find("zahlavi_ep1").DrawPattern(form->DXDraw1->Surface(), 0, 0, 0);
    EXPECT_EQ(textMismatches(frame, {5, 5, "Courier New", 13, true, clWhite, "Životy:  -2"}, backBuffer()), 0);
}

TEST_F(Episode1Frame, SummaryShowsScoreRecordAndPlayTime) {
    struct Case {
        int32_t seconds;
        const char* scores;
        const char* record;
        const char* time;
    };
    const Case cases[] = {{9, "[game1]\nscore=200\nverify=42\n", "200", "0:09"},
                          {65, "[game1]\nscore=200\nverify=41\n", "Neplatná hodnota rekordu", "1:05"},
                          {600, "", "0", "10:00"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        restart();
        std::ofstream(dir / "scores.dat") << c.scores;
        form->score = 37;
        form->seconds = c.seconds;
        // The items hang still, so a frame before the end shows what lies
        // under the panel and under the long record line right of it.
        form->lives = 1;
        form->episode1();
        form->DXImageList1->Items.Find("info").DrawPattern(form->DXDraw1->Surface(), 100, 100, 0);
        const std::vector<uint16_t> panel = backBuffer();
        form->lives = 0;
        form->episode1();
        EXPECT_EQ(form->total_seconds, c.seconds);
        const std::vector<uint16_t> frame = backBuffer();
        const ExpectedText lines[] = {
            {190, 290, "Courier New", 22, true, clBlack, "Dosažené skóre.....37"},
            {190, 320, "Courier New", 22, true, clBlack, std::string("Dosavadní rekord...") + c.record},
            {190, 350, "Courier New", 22, true, clBlack, std::string("Doba hraní.........") + c.time},
            {300, 450, "Courier New", 10, true, clWhite, "Pokračujte stiskem enteru"},
        };
        for (const ExpectedText& line : lines) EXPECT_EQ(textMismatches(frame, line, panel), 0) << line.text;
    }
}

}  // namespace
}  // namespace ik::test
