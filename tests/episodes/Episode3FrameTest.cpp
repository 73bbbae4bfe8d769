// Episode 3's frame, burning tick and level-up driven directly from chosen
// field values.
#include <gtest/gtest.h>

#include "EpisodeForm.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "display/DXDraw.h"
#include "display/Surface.h"
#include "platform/VirtualKeys.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

class Episode3Frame : public EpisodeForm {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(EpisodeForm::SetUp());
        form->episode3_init();
        ASSERT_EQ(form->screen, Screen::game3);
        platform->warpPointer({400, 300});
    }
    void placeFire(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t size = 50) {
        form->fire_x = x;
        form->fire_y = y;
        form->fire_dx = dx;
        form->fire_dy = dy;
        form->fire_size = size;
    }
    // A soldier that overlaps the fire wherever this frame's move takes it.
    void soldierIntoFire() {
        form->soldier_x = form->fire_x + form->fire_dx + 10;
        form->soldier_y = form->fire_y + form->fire_dy + 10;
    }
    // The named pictures alone on an otherwise black surface.
    std::vector<uint16_t> picturesAlone(std::initializer_list<const char*> names) const {
        TDirectDrawSurface surface;
        surface.SetSize(800, 600);
        for (const char* name : names) form->DXImageList1->Items.Find(name).DrawPattern(surface, 0, 0, 0);
        return {surface.Pixels(), surface.Pixels() + 800 * 600};
    }
};

TEST_F(Episode3Frame, TheFireBouncesOffEachWallAndIsPutBackInside) {
    struct Case {
        const char* wall;
        int32_t x, y, dx, dy;
        int32_t afterX, afterY, afterDx, afterDy;
        int32_t rectLeft, rectTop;  // the unclamped rectangle of this frame
    };
    const Case cases[] = {
        {"none", 300, 300, 5, 5, 305, 305, 5, 5, 305, 305},
        {"left", 155, 300, -5, 5, 151, 305, 5, 5, 150, 305},
        {"left, just clear", 157, 300, -5, 5, 152, 305, -5, 5, 152, 305},
        {"right", 715, 300, 5, 5, 719, 305, -5, 5, 720, 305},
        {"right, just clear", 713, 300, 5, 5, 718, 305, 5, 5, 718, 305},
        {"top", 300, 105, 5, -5, 305, 101, 5, 5, 305, 100},
        {"top, just clear", 300, 107, 5, -5, 305, 102, 5, -5, 305, 102},
        {"bottom", 300, 515, 5, 5, 305, 519, 5, -5, 305, 520},
        {"bottom, just clear", 300, 513, 5, 5, 305, 518, 5, 5, 305, 518},
        {"corner", 155, 105, -5, -5, 151, 101, 5, 5, 150, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wall);
        placeFire(c.x, c.y, c.dx, c.dy);
        form->episode3();
        EXPECT_EQ(form->fire_x, c.afterX);
        EXPECT_EQ(form->fire_y, c.afterY);
        EXPECT_EQ(form->fire_dx, c.afterDx);
        EXPECT_EQ(form->fire_dy, c.afterDy);
        EXPECT_EQ(form->fire_rect, (TRect{c.rectLeft, c.rectTop, c.rectLeft + 50, c.rectTop + 50}));
    }
}

TEST_F(Episode3Frame, AHitScoresTheLeftEdgeAndGrowsTheFireByItsHundreds) {
    struct Case {
        int32_t fireX;
        int32_t growth;
    };
    for (Case c : {Case{160, 1}, Case{199, 1}, Case{200, 2}, Case{455, 4}, Case{700, 7}, Case{715, 7}}) {
        SCOPED_TRACE(c.fireX);
        restart();
        form->episode3_init();
        form->score = 10;
        placeFire(c.fireX - 5, 300, 5, 5, 40);
        soldierIntoFire();
        form->episode3();
        EXPECT_EQ(form->fire_x, c.fireX);
        EXPECT_EQ(form->score, 10 + c.fireX);
        EXPECT_EQ(form->fire_size, 40 + c.growth);
        EXPECT_EQ(form->soldier_x, 801);
        EXPECT_EQ(plays("fire_ep3"), 1);
    }
}

TEST_F(Episode3Frame, ASoldierTouchingTheFireOnlyAtAnEdgeMissesAndFliesOn) {
    placeFire(395, 300, 5, 5, 50);
    // The fire moves to 400..450; the soldier's rectangle ends at 400.
    form->soldier_x = 375;
    form->soldier_y = 300;
    form->episode3();
    EXPECT_EQ(form->soldier_x, 400);
    EXPECT_EQ(form->score, 0);
    EXPECT_EQ(plays("fire_ep3"), 0);
}

TEST_F(Episode3Frame, ASoldierPastTheRightEdgeStaysParked) {
    struct Case {
        int32_t before;
        int32_t after;
    };
    for (Case c : {Case{776, 801}, Case{800, 825}, Case{801, 801}, Case{825, 825}, Case{0, 0}}) {
        SCOPED_TRACE(c.before);
        form->soldier_x = c.before;
        form->soldier_y = 130;
        placeFire(300, 400, 5, 5);
        form->episode3();
        EXPECT_EQ(form->soldier_x, c.after);
    }
}

TEST_F(Episode3Frame, AHitReachingAHundredLevelsUpInTheSameFrame) {
    placeFire(155, 300, 5, 5, 99);
    soldierIntoFire();
    form->episode3();
    EXPECT_EQ(form->level, 2);
    EXPECT_EQ(form->fire_size, 50);
    EXPECT_EQ(form->soldier_speed, 24);
    EXPECT_EQ(form->fire_x, 160) << "the fire keeps its place";
    EXPECT_EQ(plays("levelup_ep2"), 1);
    EXPECT_EQ(form->lives, 1);
}

TEST_F(Episode3Frame, LevelUpsSlowTheSoldierAndPastLevel200BurnFasterWithinBounds) {
    struct Case {
        int32_t level;
        uint32_t interval;
        int32_t speed;
        uint32_t afterInterval;
        int32_t afterSpeed;
    };
    const Case cases[] = {
        {1, 1000, 25, 1000, 24}, {24, 1000, 2, 1000, 1}, {25, 1000, 1, 1000, 1}, {199, 1000, 1, 1000, 1},
        {200, 1000, 1, 900, 1},  {200, 1000, 6, 900, 5}, {205, 200, 3, 100, 2},  {250, 100, 1, 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        form->level = c.level;
        form->fire_size = 100;
        form->soldier_speed = c.speed;
        form->Timer2->setInterval(c.interval);
        form->episode3_levelup();
        EXPECT_EQ(form->level, c.level + 1);
        EXPECT_EQ(form->fire_size, 50);
        EXPECT_EQ(form->Timer2->interval(), c.afterInterval);
        EXPECT_EQ(form->soldier_speed, c.afterSpeed);
    }
}

TEST_F(Episode3Frame, TheFireBurnsOnTimer2AndTheGameEndsWhenItIsOut) {
    form->fire_size = 2;
    form->Timer2Timer();
    EXPECT_EQ(form->fire_size, 1);
    form->episode3();
    EXPECT_EQ(form->lives, 1);
    form->Timer2Timer();
    form->episode3();
    EXPECT_EQ(form->lives, 0);
    EXPECT_EQ(plays("gameover"), 1);
}

TEST_F(Episode3Frame, HoldingRGivesUpButTheFrameStillCountsItsHit) {
    placeFire(300, 300, 5, 5, 40);
    soldierIntoFire();
    hold(vk::letter('R'));
    form->episode3();
    EXPECT_EQ(form->lives, 0);
    EXPECT_EQ(form->score, 305);
    EXPECT_EQ(plays("gameover"), 1);
}

TEST_F(Episode3Frame, TheLastFrameAt180SecondsShowsNoTimeLeftUnderTheSummary) {
    form->seconds = 180;
    form->episode3();
    EXPECT_EQ(form->lives, 0);
    EXPECT_EQ(form->total_seconds, 180);
    const std::vector<uint16_t> header = picturesAlone({"back_ep3", "zahlavi_ep3"});
    EXPECT_EQ(textMismatches(backBuffer(), {5, 30, "Courier New", 13, true, clWhite, "Zbývá: 0:00"}, header), 0);
}

TEST_F(Episode3Frame, TheFireIsDrawnFromTheSecondFrameOn) {
    // The first frame moves the fire to 205..255 but drew the empty rectangle.
    form->episode3();
    const std::vector<uint16_t> backdrop = picturesAlone({"back_ep3"});
    auto fireArea = [](const std::vector<uint16_t>& pixels) {
        std::vector<uint16_t> area;
        for (int y = 205; y < 255; ++y)
            for (int x = 205; x < 255; ++x)
                area.push_back(pixels[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)]);
        return area;
    };
    EXPECT_EQ(fireArea(backBuffer()), fireArea(backdrop));
    form->episode3();
    EXPECT_NE(fireArea(backBuffer()), fireArea(backdrop));
}

}  // namespace
}  // namespace ik::test
