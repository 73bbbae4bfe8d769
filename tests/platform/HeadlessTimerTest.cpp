// Interval timers on the virtual clock behave as window-message timers: each
// due timer fires once per pass, missed periods do not pile up, and switching
// a timer on (or changing its interval) starts a fresh period.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/RecordingSink.h"

namespace ik {
namespace {

enum class Action { Disable, Enable, SetInterval, Sleep };

struct Step {
    uint64_t atMs;
    Action action;
    uint32_t value = 0;
};

struct TimerCase {
    std::string name;
    std::vector<Step> steps;
    std::vector<uint64_t> expectedFires;
};

// A 1000 ms timer switched on at 0; the loop idles (1 ms a pass) until 3500,
// doing each step when the clock reaches it.
std::vector<uint64_t> fireTimes(const std::vector<Step>& steps) {
    HeadlessPlatform platform;
    std::vector<uint64_t> fires;
    auto timer = platform.createTimer();
    timer->setInterval(1000);
    timer->setHandler([&] { fires.push_back(platform.virtualMs()); });
    timer->setEnabled(true);
    test::RecordingSink sink;
    size_t next = 0;
    sink.whenIdle = [&] {
        while (next < steps.size() && steps[next].atMs <= platform.virtualMs()) {
            const Step& step = steps[next++];
            switch (step.action) {
                case Action::Disable:
                    timer->setEnabled(false);
                    break;
                case Action::Enable:
                    timer->setEnabled(true);
                    break;
                case Action::SetInterval:
                    timer->setInterval(step.value);
                    break;
                case Action::Sleep:
                    platform.sleep(step.value);
                    break;
            }
        }
    };
    platform.pump(sink, [&] { return platform.virtualMs() >= 3500; });
    return fires;
}

class TimerRules : public testing::TestWithParam<TimerCase> {};

TEST_P(TimerRules, FireAtTheExpectedTimes) { EXPECT_EQ(fireTimes(GetParam().steps), GetParam().expectedFires); }

INSTANTIATE_TEST_SUITE_P(
    Cases, TimerRules,
    testing::Values(
        TimerCase{"KeepsItsBeat", {}, {1000, 2000, 3000}},
        TimerCase{"SwitchedOffAndOnStartsAFreshPeriod", {{700, Action::Disable}, {700, Action::Enable}}, {1700, 2700}},
        TimerCase{"SwitchingOnWhenOnChangesNothing", {{700, Action::Enable}}, {1000, 2000, 3000}},
        TimerCase{"NewIntervalStartsAFreshPeriod", {{700, Action::SetInterval, 500}}, {1200, 1700, 2200, 2700, 3200}},
        TimerCase{"SameIntervalChangesNothing", {{700, Action::SetInterval, 1000}}, {1000, 2000, 3000}},
        TimerCase{"SwitchedOffNeverFires", {{500, Action::Disable}}, {}},
        TimerCase{"ZeroIntervalNeverFires", {{500, Action::SetInterval, 0}}, {}},
        // A handler that blocks for 2.5 s misses two periods: one late tick,
        // then the timer is back on its own beat.
        // (The idle pass that slept drew nothing, so it adds its 1 ms.)
        TimerCase{"MissedPeriodsFireOnce", {{100, Action::Sleep, 2500}}, {2601, 3000}}),
    [](const testing::TestParamInfo<TimerCase>& info) { return info.param.name; });

TEST(HeadlessTimers, TimerWithoutHandlerIsHarmless) {
    HeadlessPlatform platform;
    auto timer = platform.createTimer();
    timer->setInterval(10);
    timer->setEnabled(true);
    test::RecordingSink sink;
    platform.pump(sink, [&] { return platform.virtualMs() >= 50; });
    EXPECT_EQ(platform.virtualMs(), 50u);
}

TEST(HeadlessTimers, TwoDueTimersFireEarliestFirstOncePerPass) {
    HeadlessPlatform platform;
    std::vector<std::string> fired;
    auto slow = platform.createTimer();
    auto quick = platform.createTimer();
    slow->setInterval(30);
    quick->setInterval(20);
    slow->setHandler([&] { fired.push_back("slow " + std::to_string(platform.virtualMs())); });
    quick->setHandler([&] { fired.push_back("quick " + std::to_string(platform.virtualMs())); });
    slow->setEnabled(true);
    quick->setEnabled(true);
    platform.sleep(100);
    test::RecordingSink sink;
    platform.pump(sink, [&] { return platform.virtualMs() >= 101; });
    EXPECT_EQ(fired, (std::vector<std::string>{"quick 100", "slow 100"}));
}

TEST(HeadlessTimers, HandlerMayDestroyAnotherDueTimer) {
    HeadlessPlatform platform;
    int victimFired = 0;
    auto first = platform.createTimer();
    auto victim = platform.createTimer();
    first->setInterval(10);
    victim->setInterval(10);
    first->setHandler([&] { victim.reset(); });
    victim->setHandler([&] { ++victimFired; });
    first->setEnabled(true);
    victim->setEnabled(true);
    test::RecordingSink sink;
    platform.pump(sink, [&] { return platform.virtualMs() >= 30; });
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(victimFired, 0);
}

TEST(HeadlessTimers, PassThatFiresATimerIsNotIdle) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    sink.logIdle = true;
    auto timer = platform.createTimer();
    timer->setInterval(2);
    timer->setHandler([&] { sink.log.push_back("timer " + std::to_string(platform.virtualMs())); });
    timer->setEnabled(true);
    platform.pump(sink, [&] { return platform.virtualMs() >= 4; });
    EXPECT_EQ(sink.log, (std::vector<std::string>{"idle", "idle", "timer 2", "idle", "idle"}));
}

}  // namespace
}  // namespace ik
