// Episode 2's frame, resting tick and level-up driven directly from chosen
// field values.
#include <gtest/gtest.h>

#include <array>

#include "EpisodeForm.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "display/DXDraw.h"
#include "platform/VirtualKeys.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

using Meters = std::array<int32_t, 3>;

class Episode2Frame : public EpisodeForm {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(EpisodeForm::SetUp());
        form->episode2_init();
        ASSERT_EQ(form->screen, Screen::game2);
    }
    void setMeters(Meters m) {
        form->meter1 = m[0];
        form->meter2 = m[1];
        form->meter3 = m[2];
    }
    Meters meters() const { return {form->meter1, form->meter2, form->meter3}; }
    // The shout's corner of the frame, where nothing else changes between
    // frames that leave the meters where they were.
    std::vector<uint16_t> shoutArea() const {
        const std::vector<uint16_t> all = backBuffer();
        std::vector<uint16_t> area;
        for (int y = 265; y < 290; ++y)
            for (int x = 180; x < 300; ++x) area.push_back(all[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)]);
        return area;
    }
};

TEST_F(Episode2Frame, OnlyALoneKeyPushesAndOnlyFreeCharactersRest) {
    struct Case {
        std::vector<uint16_t> keys;
        Meters afterFrame;
        Meters afterRest;
    };
    const Case cases[] = {
        {{}, {100, 100, 100}, {99, 97, 98}},
        {{vk::digit(1)}, {102, 100, 100}, {102, 97, 98}},
        {{vk::letter('C')}, {100, 102, 100}, {99, 102, 98}},
        {{vk::numpad(3)}, {100, 100, 102}, {99, 97, 102}},
        {{vk::digit(1), vk::digit(2)}, {100, 100, 100}, {100, 100, 98}},
        {{vk::letter('X'), vk::letter('C'), vk::letter('V')}, {100, 100, 100}, {100, 100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.keys));
        restart();
        setMeters({100, 100, 100});
        for (uint16_t key : c.keys) hold(key);
        form->episode2();
        EXPECT_EQ(meters(), c.afterFrame);
        form->Timer2Timer();
        EXPECT_EQ(meters(), c.afterRest);
    }
}

TEST_F(Episode2Frame, AMeterStopsAt520AndShoutsOnlyWhenItClimbs) {
    setMeters({0, 300, 300});
    form->episode2();
    const std::vector<uint16_t> silent = shoutArea();

    struct Case {
        int32_t before;
        int32_t after;
        bool shouts;
    };
    for (Case c : {Case{519, 520, true}, Case{518, 520, true}, Case{520, 520, false}}) {
        SCOPED_TRACE(c.before);
        restart();
        setMeters({c.before, 300, 300});
        hold(vk::digit(1));
        form->episode2();
        EXPECT_EQ(form->meter1, c.after);
        EXPECT_EQ(shoutArea() != silent, c.shouts);
    }
}

TEST_F(Episode2Frame, GreyLineGuardIsStrictAndReachedSoundsOncePerLevel) {
    setMeters({100, 150, 150});
    form->episode2();
    EXPECT_FALSE(form->all_past_grey) << "a meter equal to the line has not passed it";
    EXPECT_EQ(plays("reached_ep2"), 0);
    setMeters({101, 150, 150});
    form->episode2();
    form->episode2();
    EXPECT_TRUE(form->all_past_grey);
    EXPECT_EQ(plays("reached_ep2"), 1);
    setMeters({50, 150, 150});
    form->episode2();
    EXPECT_TRUE(form->all_past_grey) << "sinking below the line keeps the guard on";
    EXPECT_EQ(form->lives, 1);
}

TEST_F(Episode2Frame, AMeterRestingToZeroWhileGuardedEndsTheGameInTheNextFrame) {
    struct Case {
        Meters before;
        Meters rested;
    };
    for (Case c : {Case{{500, 500, 2}, {499, 497, 0}}, Case{{500, 1, 500}, {499, -2, 498}},
                   Case{{1, 510, 510}, {0, 507, 508}}}) {
        restart();
        form->all_past_grey = true;
        setMeters(c.before);
        form->Timer2Timer();
        EXPECT_EQ(meters(), c.rested);
        EXPECT_EQ(form->lives, 1) << "the tick itself ends nothing";
        form->episode2();
        EXPECT_EQ(form->lives, 0);
        EXPECT_EQ(std::min({form->meter1, form->meter2, form->meter3}), 0) << "clamped before the test";
        EXPECT_EQ(plays("gameover"), 1);
    }
}

TEST_F(Episode2Frame, LevelUpResetsBeforeTheEndTest) {
    form->all_past_grey = true;
    setMeters({500, 500, 498});
    form->seconds = 12;
    hold(vk::digit(3));
    form->episode2();
    EXPECT_EQ(meters(), (Meters{0, 0, 0}));
    EXPECT_FALSE(form->all_past_grey);
    EXPECT_EQ(form->lives, 1);
    EXPECT_EQ(form->level, 2);
    EXPECT_EQ(form->score, 80);
    EXPECT_EQ(form->total_seconds, 12);
    EXPECT_EQ(form->seconds, 0);
    EXPECT_EQ(form->Timer2->interval(), 250u);
    EXPECT_EQ(plays("levelup_ep2"), 1);
}

TEST_F(Episode2Frame, LevelUpScoreNeverGoesBelowZero) {
    struct Case {
        int32_t level;
        int32_t seconds;
        int32_t before;
        int32_t after;
    };
    for (Case c : {Case{1, 25, 0, 0}, Case{1, 15, 0, 50}, Case{1, 0, 0, 200}, Case{3, 10, 1000, 1300},
                   Case{2, 40, 50, 0}, Case{2, 40, 150, 50}}) {
        SCOPED_TRACE(::testing::Message() << "level " << c.level << " in " << c.seconds << " s");
        restart();
        form->level = c.level;
        form->seconds = c.seconds;
        form->score = c.before;
        form->episode2_levelup();
        EXPECT_EQ(form->score, c.after);
    }
}

TEST_F(Episode2Frame, IntervalAndGreyLineFollowTheLevels) {
    // level: 1 .. 18
    const uint32_t intervals[] = {300, 250, 200, 150, 100, 50, 45, 40, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35};
    const int32_t greyLines[] = {100, 100, 100, 100, 100, 100, 100, 100, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
    for (int level = 1; level <= 18; ++level) {
        EXPECT_EQ(form->level, level);
        EXPECT_EQ(form->Timer2->interval(), intervals[level - 1]) << "level " << level;
        EXPECT_EQ(form->grey_line, greyLines[level - 1]) << "level " << level;
        form->episode2_levelup();
    }
    for (int more = 0; more < 3; ++more) form->episode2_levelup();
    EXPECT_EQ(form->grey_line, 10) << "the line stops at 10";
    EXPECT_EQ(form->Timer2->interval(), 35u);
}

TEST_F(Episode2Frame, GameEndsAtThreeHundredSecondsWithTheStatusShowingNoTimeLeft) {
    struct Case {
        int32_t finished;
        int32_t current;
        bool ends;
    };
    for (Case c : {Case{290, 9, false}, Case{290, 10, true}, Case{0, 300, true}, Case{250, 60, true}}) {
        SCOPED_TRACE(c.finished + c.current);
        restart();
        form->total_seconds = c.finished;
        form->seconds = c.current;
        form->episode2();
        EXPECT_EQ(form->lives, c.ends ? 0 : 1);
        EXPECT_EQ(form->total_seconds, c.ends ? c.finished + c.current : c.finished);
    }
    restart();
    form->total_seconds = 290;
    form->seconds = 10;
    form->episode2();
    const std::vector<uint16_t> frame = backBuffer();
    // The status lines are written over the header band.
    for (const char* picture : {"back_ep2", "zahlavi_ep2"}) {
        form->DXImageList1->Items.Find(picture).DrawPattern(form->DXDraw1->Surface(), 0, 0, 0);
    }
    EXPECT_EQ(textMismatches(frame, {5, 55, "Courier New", 13, true, clWhite, "Zbývá: 0:00"}, backBuffer()), 0);
    EXPECT_EQ(textMismatches(frame, {5, 30, "Courier New", 13, true, clWhite, "Doba:  0:10"}, backBuffer()), 0);
}

}  // namespace
}  // namespace ik::test
