// Flips stay on a 60 Hz beat when the display cannot give it, and a late
// frame starts a new beat instead of making the next ones hurry.
#include <gtest/gtest.h>

#include <vector>

#include "platform/FrameClock.h"
#include "platform/FramePacer.h"

namespace ik {
namespace {

struct RefreshCase {
    int hz;
    bool paced;
};

class Pacing : public testing::TestWithParam<RefreshCase> {};

TEST_P(Pacing, OnlyDisplaysAtAboutSixtyHertzAreLeftToVsync) { EXPECT_EQ(needsPacing(GetParam().hz), GetParam().paced); }

INSTANTIATE_TEST_SUITE_P(Displays, Pacing,
                         testing::Values(RefreshCase{0, true}, RefreshCase{50, true}, RefreshCase{58, true},
                                         RefreshCase{59, false}, RefreshCase{60, false}, RefreshCase{61, false},
                                         RefreshCase{75, true}, RefreshCase{120, true}, RefreshCase{144, true}));

TEST(FramePacer, DisabledNeverWaits) {
    FramePacer pacer(false);
    for (uint64_t t : {0ull, 10ull, 20ull, 30ull}) EXPECT_EQ(pacer.waitBeforeFlip(t), 0u);
}

TEST(FramePacer, FlipsLandOnTheSixtyHertzGrid) {
    FramePacer pacer(true);
    const uint64_t start = 5'000'000;
    EXPECT_EQ(pacer.waitBeforeFlip(start), 0u);
    // Drawing takes 1 ms, then waits for the frame's slot: 16666, 33333, 50000 us.
    EXPECT_EQ(pacer.waitBeforeFlip(start + 1000), 15666u);
    EXPECT_EQ(pacer.waitBeforeFlip(start + 16666 + 1000), 15667u);
    EXPECT_EQ(pacer.waitBeforeFlip(start + 33333 + 1000), 15667u);
    // A flip that is late by less than a frame does not wait and keeps the beat.
    EXPECT_EQ(pacer.waitBeforeFlip(start + 70000), 0u);
    EXPECT_EQ(pacer.waitBeforeFlip(start + 70000 + 1000), 12333u);
}

TEST(FramePacer, FrameLateByMoreThanAFrameStartsANewBeat) {
    FramePacer pacer(true);
    EXPECT_EQ(pacer.waitBeforeFlip(0), 0u);
    EXPECT_EQ(pacer.waitBeforeFlip(100'000), 0u);  // a stall of 100 ms
    EXPECT_EQ(pacer.waitBeforeFlip(101'000), 15666u);
    EXPECT_EQ(pacer.waitBeforeFlip(117'666), 15667u);
}

struct BoundaryCase {
    uint64_t now;
    uint64_t unitsPerSecond;
    uint64_t expected;
};

class NextFrameStart : public testing::TestWithParam<BoundaryCase> {};

TEST_P(NextFrameStart, FirstFrameStartAfterNow) {
    EXPECT_EQ(nextFrameStart(GetParam().now, GetParam().unitsPerSecond), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Grid, NextFrameStart,
                         testing::Values(BoundaryCase{0, 1000, 16}, BoundaryCase{16, 1000, 33},
                                         BoundaryCase{49, 1000, 50}, BoundaryCase{50, 1000, 66},
                                         BoundaryCase{59999, 1000, 60000}, BoundaryCase{0, 1'000'000, 16666},
                                         BoundaryCase{16666, 1'000'000, 33333},
                                         BoundaryCase{999'999, 1'000'000, 1'000'000}));

}  // namespace
}  // namespace ik
