// The virtual clock: presents land on the 60 Hz grid, sleeps move it by their
// length, idle passes that draw nothing move it by 1 ms.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/RecordingSink.h"

namespace ik {
namespace {

const std::vector<uint16_t> kBlackFrame(static_cast<size_t>(kDisplayWidth) * kDisplayHeight, 0);

struct PresentCase {
    int presents;
    uint64_t expectedMs;
};

class PresentsFromStart : public testing::TestWithParam<PresentCase> {};

TEST_P(PresentsFromStart, EachPresentEndsOnTheNextSixtiethOfASecond) {
    HeadlessPlatform platform;
    for (int i = 0; i < GetParam().presents; ++i) platform.present(kBlackFrame.data());
    EXPECT_EQ(platform.virtualMs(), GetParam().expectedMs);
}

// Frame k starts at floor(k x 1000 / 60) ms: 16.67 -> 16, 33.33 -> 33, ...
INSTANTIATE_TEST_SUITE_P(Grid, PresentsFromStart,
                         testing::Values(PresentCase{1, 16}, PresentCase{2, 33}, PresentCase{3, 50}, PresentCase{4, 66},
                                         PresentCase{59, 983}, PresentCase{60, 1000}, PresentCase{61, 1016},
                                         PresentCase{600, 10000}));

struct SleepThenPresentCase {
    uint32_t sleepMs;
    uint64_t expectedMs;
};

class PresentAfterSleep : public testing::TestWithParam<SleepThenPresentCase> {};

TEST_P(PresentAfterSleep, GoesToTheNextBoundaryStrictlyAfterNow) {
    HeadlessPlatform platform;
    platform.sleep(GetParam().sleepMs);
    EXPECT_EQ(platform.virtualMs(), GetParam().sleepMs);
    platform.present(kBlackFrame.data());
    EXPECT_EQ(platform.virtualMs(), GetParam().expectedMs);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, PresentAfterSleep,
                         testing::Values(SleepThenPresentCase{0, 16}, SleepThenPresentCase{5, 16},
                                         SleepThenPresentCase{15, 16}, SleepThenPresentCase{16, 33},
                                         SleepThenPresentCase{32, 33}, SleepThenPresentCase{33, 50},
                                         SleepThenPresentCase{999, 1000}, SleepThenPresentCase{1000, 1016}));

TEST(HeadlessClock, IdlePassThatDrawsNothingTakesOneMillisecond) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    platform.pump(sink, [&] { return sink.idleCount == 25; });
    EXPECT_EQ(platform.virtualMs(), 25u);
}

TEST(HeadlessClock, IdlePassThatPresentsTakesOnlyTheFrame) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    sink.whenIdle = [&] { platform.present(kBlackFrame.data()); };
    platform.pump(sink, [&] { return sink.idleCount == 3; });
    EXPECT_EQ(platform.virtualMs(), 50u);
    EXPECT_EQ(platform.framesPresented(), 3u);
}

TEST(HeadlessClock, EventPassesTakeNoTime) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    for (int i = 0; i < 10; ++i) platform.queueChar(U'x');
    platform.pump(sink, [&] { return sink.log.size() == 10; });
    EXPECT_EQ(platform.virtualMs(), 0u);
}

TEST(HeadlessClock, TicksWrapAtTwoToTheThirtyTwo) {
    HeadlessPlatform platform;
    platform.sleep(0xFFFFFFFFu);
    EXPECT_EQ(platform.ticks(), 0xFFFFFFFFu);
    platform.sleep(2);
    EXPECT_EQ(platform.ticks(), 1u);
    EXPECT_EQ(platform.virtualMs(), 0x100000001ull);
}

TEST(HeadlessClock, TimeOfDayStartsWhereToldAndPassesMidnight) {
    const uint32_t justBeforeMidnight = ((23 * 60 + 59) * 60 + 59) * 1000 + 990;
    HeadlessPlatform platform(justBeforeMidnight);
    EXPECT_EQ(platform.timeOfDayMs(), justBeforeMidnight);
    platform.sleep(20);
    EXPECT_EQ(platform.timeOfDayMs(), 10u);
}

TEST(HeadlessClock, DefaultDayStartsAtMidnight) {
    HeadlessPlatform platform;
    EXPECT_EQ(platform.timeOfDayMs(), 0u);
    platform.sleep(1234);
    EXPECT_EQ(platform.timeOfDayMs(), 1234u);
}

TEST(HeadlessFrames, PresentKeepsACopyOfTheFrame) {
    HeadlessPlatform platform;
    EXPECT_FALSE(platform.hasFrame());
    std::vector<uint16_t> frame(kBlackFrame.size());
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint16_t>(i * 7);
    const std::vector<uint16_t> presented = frame;
    platform.present(frame.data());
    frame.assign(frame.size(), 0xFFFF);  // the game draws on into its back buffer
    ASSERT_TRUE(platform.hasFrame());
    EXPECT_EQ(platform.lastFrame(), presented);
}

}  // namespace
}  // namespace ik
