#include <gtest/gtest.h>

#include "app/DXInput.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/NoSink.h"

namespace ik {
namespace {

using test::NoSink;

class PolledKeys : public ::testing::Test {
protected:
    // Delivers what was queued, as the loop does before the next frame.
    void deliver() {
        platform.pump(sink, [] { return true; });
    }
    void hold(uint16_t key) {
        platform.queueKeyDown(key);
        deliver();
    }
    void release(uint16_t key) {
        platform.queueKeyUp(key);
        deliver();
    }
    std::vector<int> heldStates(const TDXInput& input) {
        std::vector<int> held;
        for (int state = 0; state < kInputStateCount; ++state)
            if (input.held(static_cast<TDXInputState>(state))) held.push_back(state);
        return held;
    }

    HeadlessPlatform platform;
    NoSink sink;
};

constexpr int kUp = 0, kDown = 1, kLeft = 2, kRight = 3, kButton1 = 4, kButton2 = 5, kButton3 = 6, kButton32 = 35;

TEST_F(PolledKeys, EachKeyOfTheGameTableHoldsItsState) {
    const struct {
        uint16_t key;
        int state;
    } cases[] = {
        {'W', kUp},
        {vk::Up, kUp},
        {vk::numpad(8), kUp},
        {'S', kDown},
        {vk::Down, kDown},
        {vk::numpad(5), kDown},
        {'A', kLeft},
        {vk::Left, kLeft},
        {vk::numpad(4), kLeft},
        {'D', kRight},
        {vk::Right, kRight},
        {vk::numpad(6), kRight},
        {vk::numpad(1), kButton1},
        {'1', kButton1},
        {'X', kButton1},
        {vk::numpad(2), kButton2},
        {'2', kButton2},
        {'C', kButton2},
        {vk::numpad(3), kButton3},
        {'3', kButton3},
        {'V', kButton3},
        {'R', kButton32},
    };
    TDXInput input(platform);
    for (const auto& c : cases) {
        hold(c.key);
        input.Update();
        EXPECT_EQ(heldStates(input), std::vector<int>{c.state}) << "key " << c.key;
        release(c.key);
    }
}

TEST_F(PolledKeys, KeysOutsideTheTableHoldNothing) {
    TDXInput input(platform);
    for (uint16_t key : {uint16_t('Q'), uint16_t('4'), vk::numpad(9), vk::Space, vk::Return, vk::Escape}) {
        hold(key);
        input.Update();
        EXPECT_TRUE(input.States.empty()) << "key " << key;
        release(key);
    }
}

TEST_F(PolledKeys, StatesChangeOnlyOnUpdate) {
    TDXInput input(platform);
    hold('X');
    hold('R');
    EXPECT_TRUE(input.States.empty()) << "not refreshed yet";
    input.Update();
    EXPECT_EQ(heldStates(input), (std::vector<int>{kButton1, kButton32}));
    release('X');
    EXPECT_TRUE(input.held(TDXInputState::Button1)) << "the last refresh stands until the next";
    input.Update();
    EXPECT_EQ(heldStates(input), std::vector<int>{kButton32});
}

// A key may be let go behind another window, where the game never hears
// of it: one held when the focus went counts as let go when it returns,
// until it is pressed again.
TEST_F(PolledKeys, AnInactiveWindowReadsNoKeysAndNoneStaysHeldAfterIt) {
    TDXInput input(platform);
    hold('V');
    input.Update();
    ASSERT_TRUE(input.held(TDXInputState::Button3));
    platform.queueActivate(false);
    deliver();
    input.Update();
    EXPECT_TRUE(input.States.empty());
    platform.queueActivate(true);
    deliver();
    input.Update();
    EXPECT_TRUE(input.States.empty());
    hold('V');
    input.Update();
    EXPECT_TRUE(input.held(TDXInputState::Button3));
}

TEST_F(PolledKeys, ATableCodeOfZeroOrAbove255NamesNoKey) {
    TKeyAssigns assigns{};
    assigns[static_cast<size_t>(inputButton(5))] = {0, 256 + 'Q', 'Z'};
    TDXInput input(platform, assigns);
    hold('Q');
    input.Update();
    EXPECT_TRUE(input.States.empty()) << "256 + 'Q' must not be taken as 'Q'";
    hold('Z');
    input.Update();
    EXPECT_EQ(heldStates(input), std::vector<int>{3 + 5});
}

}  // namespace
}  // namespace ik
