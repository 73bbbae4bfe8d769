// Input reaches the game in the order it was queued, with the click between
// the press and the release, key state changing on delivery, and events that
// arrive while a handler blocks delivered after it, in order.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/RecordingSink.h"

namespace ik {
namespace {

using Log = std::vector<std::string>;

void deliverAll(HeadlessPlatform& platform, test::RecordingSink& sink) {
    platform.pump(sink, [&] { return sink.idleCount > 0; });
}

TEST(HeadlessEvents, DeliveredInQueuedOrderWithTheClickBeforeTheRelease) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    platform.queueKeyDown(vk::letter('A'));
    platform.queueChar(U'a');
    platform.queueKeyUp(vk::letter('A'));
    platform.queueMouseMove({10, 20});
    platform.queueMouseDown(MouseButton::Left);
    platform.queueMouseUp(MouseButton::Left);
    platform.queueMouseMove({30, 40});
    platform.queueMouseDown(MouseButton::Right);
    platform.queueMouseUp(MouseButton::Right);
    platform.queueChar(U'ř');
    deliverAll(platform, sink);
    EXPECT_EQ(sink.log, (Log{"down 65", "char 97", "up 65", "mousedown L 10,20", "click", "mouseup L 10,20",
                             "mousedown R 30,40", "mouseup R 30,40", "char 345"}));
    EXPECT_EQ(platform.pointer().x, 30);
    EXPECT_EQ(platform.pointer().y, 40);
}

TEST(HeadlessEvents, ReleaseWithoutPressIsNoClick) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    platform.queueMouseUp(MouseButton::Left);
    deliverAll(platform, sink);
    EXPECT_EQ(sink.log, (Log{"mouseup L 0,0"}));
}

TEST(HeadlessEvents, KeyStateChangesWhenTheEventIsDelivered) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    std::vector<bool> heldDuringKeyDown;
    sink.whenKeyDown = [&](uint16_t key) { heldDuringKeyDown.push_back(platform.keyHeld(key)); };
    platform.queueKeyDown(vk::numpad(1));
    EXPECT_FALSE(platform.keyHeld(vk::numpad(1)));
    deliverAll(platform, sink);
    EXPECT_TRUE(platform.keyHeld(vk::numpad(1)));
    EXPECT_FALSE(platform.keyHeld(vk::digit(1)));
    platform.queueKeyUp(vk::numpad(1));
    EXPECT_TRUE(platform.keyHeld(vk::numpad(1)));
    sink.idleCount = 0;
    deliverAll(platform, sink);
    EXPECT_FALSE(platform.keyHeld(vk::numpad(1)));
    EXPECT_EQ(heldDuringKeyDown, std::vector<bool>{true});
}

TEST(HeadlessEvents, SecondKeyDownWithoutReleaseIsARepeat) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    platform.queueKeyDown(vk::Space);
    platform.queueKeyDown(vk::Space);
    platform.queueKeyUp(vk::Space);
    platform.queueKeyDown(vk::Space);
    deliverAll(platform, sink);
    EXPECT_EQ(sink.log, (Log{"down 32", "down 32 repeat", "up 32", "down 32"}));
}

TEST(HeadlessEvents, EventsArrivingWhileAHandlerSleepsComeAfterItInOrder) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    sink.logIdle = true;
    sink.whenKeyDown = [&](uint16_t key) {
        if (key != vk::Return) return;
        // The player keeps typing during a blocking count-down.
        platform.queueChar(U'1');
        platform.sleep(1000);
        platform.queueChar(U'2');
        sink.log.push_back("woke at " + std::to_string(platform.virtualMs()));
    };
    platform.queueKeyDown(vk::Return);
    platform.queueKeyUp(vk::Return);
    deliverAll(platform, sink);
    EXPECT_EQ(sink.log, (Log{"down 13", "woke at 1000", "up 13", "char 49", "char 50", "idle"}));
}

TEST(HeadlessEvents, EventsComeBeforeTheNextIdlePass) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    sink.logIdle = true;
    platform.pump(sink, [&] { return sink.idleCount == 2; });
    platform.queueChar(U'x');
    platform.pump(sink, [&] { return sink.idleCount == 3; });
    EXPECT_EQ(sink.log, (Log{"idle", "idle", "char 120", "idle"}));
}

TEST(HeadlessEvents, CloseReachesTheSinkAndQuitEndsTheLoopAtOnce) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    sink.whenCloseRequested = [&] { platform.quit(); };
    platform.queueClose();
    platform.queueChar(U'x');  // after the close: never delivered
    platform.run(sink);
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_EQ(sink.log, (Log{"close"}));
    platform.pump(sink, [] { return false; });  // returns at once
    EXPECT_EQ(sink.log, (Log{"close"}));
}

TEST(HeadlessEvents, ActivationChangesOnDelivery) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    EXPECT_TRUE(platform.active());
    platform.queueActivate(false);
    EXPECT_TRUE(platform.active());
    deliverAll(platform, sink);
    EXPECT_FALSE(platform.active());
    EXPECT_EQ(sink.log, (Log{"deactivate"}));
}

TEST(HeadlessEvents, PostedTasksRunOnTheLoopThreadInOrder) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    std::vector<int> ran;
    std::vector<std::thread::id> ranOn;
    std::thread poster([&] {
        for (int i = 0; i < 50; ++i) {
            platform.post([&, i] {
                ran.push_back(i);
                ranOn.push_back(std::this_thread::get_id());
            });
        }
    });
    poster.join();
    deliverAll(platform, sink);
    ASSERT_EQ(ran.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(ran[static_cast<size_t>(i)], i);
        EXPECT_EQ(ranOn[static_cast<size_t>(i)], std::this_thread::get_id());
    }
}

TEST(HeadlessPlatformMisc, WarpMovesThePointerAtOnce) {
    HeadlessPlatform platform;
    platform.warpPointer({400, 300});
    EXPECT_EQ(platform.pointer().x, 400);
    EXPECT_EQ(platform.pointer().y, 300);
}

TEST(HeadlessPlatformMisc, MessageBoxIsPrintedAndAnswered) {
    HeadlessPlatform platform;
    testing::internal::CaptureStderr();
    platform.messageBox("Confirm", "Nepodařilo se načíst zvukovou knihovnu.", MessageBoxKind::Plain);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "MESSAGE: Confirm: Nepodařilo se načíst zvukovou knihovnu.\n");
}

TEST(HeadlessPlatformMisc, SystemPointerCanBeHidden) {
    HeadlessPlatform platform;
    EXPECT_TRUE(platform.systemPointerShown());
    platform.showSystemPointer(false);
    EXPECT_FALSE(platform.systemPointerShown());
}

}  // namespace
}  // namespace ik

namespace ik {
namespace {

TEST(HeadlessEvents, KeysHeldWhenTheFocusGoesAreLetGo) {
    HeadlessPlatform platform;
    test::RecordingSink sink;
    platform.queueKeyDown(vk::letter('X'));
    platform.queueKeyDown(vk::digit(2));
    platform.queueKeyUp(vk::digit(2));
    platform.queueActivate(false);
    platform.queueActivate(true);
    deliverAll(platform, sink);
    EXPECT_EQ(sink.log, (Log{"down 88", "down 50", "up 50", "up 88", "deactivate", "activate"}));
    EXPECT_FALSE(platform.keyHeld(vk::letter('X')));
}

}  // namespace
}  // namespace ik
