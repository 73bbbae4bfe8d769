// The relay between its thread, the library's fill callback and the player's
// thread: what comes out of the output stream is the source in order, across
// seeks, whatever thread pulls it. Also built under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "MusicFixture.h"

namespace ik::test {
namespace {

class RelayTest : public MusicTest {
protected:
    std::string song = writeSong("song.xm", {.rows = 100, .speed = 5, .bpm = 125});  // 10 s
};

TEST_F(RelayTest, PlayedFromAnotherThreadTheSoundIsTheModuleInOrder) {
    ASSERT_TRUE(player->Open(song));
    player->SetPosition(2000);
    player->Play();
    takeHeard();
    // The null sink pulled from a second thread, as a device callback would,
    // while this thread keeps reading the position.
    std::atomic<bool> pulled{false};
    std::thread device([&] {
        for (int step = 0; step < 50; ++step) platform.sleep(20);
        pulled = true;
    });
    uint32_t previous = 0;
    bool neverWentBack = true;
    while (!pulled) {
        const uint32_t position = player->Position();
        neverWentBack = neverWentBack && position >= previous;
        previous = position;
    }
    device.join();
    EXPECT_TRUE(neverWentBack);
    EXPECT_GE(player->Position(), 3000u);
    EXPECT_EQ(takeHeard(), referenceDecode(song, TA_POSITION_SECONDS(2), 44100));
}

TEST_F(RelayTest, SeeksWhilePlayingStartOverCleanly) {
    ASSERT_TRUE(player->Open(song));
    player->Play();
    for (uint32_t second : {5u, 1u, 8u, 3u}) {
        platform.sleep(30);
        player->SetPosition(second * 1000);
        EXPECT_GT(player->Position(), second * 1000);
        takeHeard();
        platform.sleep(100);
        EXPECT_EQ(takeHeard(), referenceDecode(song, TA_POSITION_SECONDS(second), 4410)) << second;
    }
}

TEST_F(RelayTest, ReopeningRepeatedlyEndsEveryRelayThread) {
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(player->Open(song));
        player->SetPosition(static_cast<uint32_t>(round % 9) * 1000);
        player->Play();
        platform.sleep(5);
        player->Stop();
    }
    player->Close();
    EXPECT_EQ(player->Mode(), pmNone);
}

}  // namespace
}  // namespace ik::test
