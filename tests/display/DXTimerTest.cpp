#include <gtest/gtest.h>

#include <vector>

#include "Activation.h"
#include "display/DXTimer.h"

namespace ik {
namespace {

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        timer.OnTimer = [this](int lag) { lags.push_back(lag); };
    }
    HeadlessPlatform platform;
    TDXTimer timer{platform};
    std::vector<int> lags;
};

struct LagCase {
    uint32_t interval;
    std::vector<uint32_t> waits;  // ms before each idle pass
    std::vector<int> expected;    // lag counts of the ticks that happened
};

class LagCountTable : public FrameTimerTest, public ::testing::WithParamInterface<LagCase> {};

TEST_P(LagCountTable, TicksAndLagCounts) {
    timer.Interval = GetParam().interval;
    for (uint32_t wait : GetParam().waits) {
        platform.sleep(wait);
        timer.idle();
    }
    EXPECT_EQ(lags, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LagCountTable,
                         ::testing::Values(
                             // Interval 0: every idle pass ticks; same millisecond still gives lag 1.
                             LagCase{0, {0, 0, 7}, {1, 1, 7}},
                             // Interval 20: 45 ms is two intervals; the next one is measured from
                             // then, not from the missed slot.
                             LagCase{20, {45, 19, 1, 60}, {2, 1, 3}}, LagCase{20, {5, 10}, {}}));

TEST_F(FrameTimerTest, CountsAcrossTheClockWrap) {
    timer.Interval = 20;
    // Park the clock just before the 32-bit counter wraps.
    platform.sleep(0xFFFFFFFFu - platform.ticks() - 10);
    timer.Enabled = true;
    platform.sleep(25);
    timer.idle();
    EXPECT_EQ(lags, (std::vector<int>{1}));
}

TEST_F(FrameTimerTest, InactiveApplicationGetsNoTicksAndResumesFresh) {
    timer.Interval = 0;
    std::vector<std::string> events;
    timer.OnActivate = [&] { events.push_back("activate"); };
    timer.OnDeactivate = [&] { events.push_back("deactivate"); };
    timer.appActivated(false);
    platform.sleep(500);
    timer.idle();
    EXPECT_TRUE(lags.empty());
    timer.appActivated(true);
    platform.sleep(2);
    timer.idle();
    EXPECT_EQ(lags, (std::vector<int>{2})) << "measured from the reactivation";
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate", "activate"}));
}

TEST_F(FrameTimerTest, WithoutActiveOnlyTicksWhileInactive) {
    timer.Interval = 0;
    timer.ActiveOnly = false;
    timer.appActivated(false);
    platform.sleep(3);
    timer.idle();
    EXPECT_EQ(lags, (std::vector<int>{3}));
}

TEST_F(FrameTimerTest, StartsOnlyAtActivationWhenCreatedInactive) {
    test::SetActive(platform, false);
    TDXTimer late(platform);
    late.Interval = 0;
    int ticks = 0;
    late.OnTimer = [&](int) { ++ticks; };
    late.idle();
    EXPECT_EQ(ticks, 0);
    late.appActivated(true);
    late.idle();
    EXPECT_EQ(ticks, 1);
}

TEST_F(FrameTimerTest, DisablingStopsAndEnablingRestartsTheMeasure) {
    timer.Interval = 0;
    timer.Enabled = false;
    EXPECT_FALSE(timer.Enabled);
    platform.sleep(100);
    timer.idle();
    EXPECT_TRUE(lags.empty());
    timer.Enabled = true;
    EXPECT_TRUE(timer.Enabled);
    platform.sleep(4);
    timer.idle();
    EXPECT_EQ(lags, (std::vector<int>{4}));
}

TEST_F(FrameTimerTest, FrameRateIsMeasuredOverEachSecond) {
    timer.Interval = 0;
    for (int i = 0; i < 50; ++i) {
        platform.sleep(20);
        timer.idle();
    }
    EXPECT_EQ(timer.FrameRate(), 50);
    for (int i = 0; i < 40; ++i) {
        platform.sleep(25);
        timer.idle();
    }
    EXPECT_EQ(timer.FrameRate(), 40);
}

}  // namespace
}  // namespace ik
