#include <gtest/gtest.h>

#include <vector>

#include "Activation.h"
#include "SurfaceFixtures.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "display/Exception.h"

namespace ik {
namespace {

using N = DisplayNotification;

class DisplayTest : public ::testing::Test {
protected:
    int subscribe() {
        return display->RegisterNotifyEvent([this](TDXDraw&, N n) { heard.push_back(n); });
    }

    HeadlessPlatform platform;
    std::vector<N> heard;  // outlives the display, which still talks while it goes
    std::unique_ptr<TDXDraw> display = std::make_unique<TDXDraw>(platform);
};

TEST_F(DisplayTest, LifecycleNotifiesSubscribersInOrder) {
    subscribe();
    EXPECT_EQ(heard, (std::vector<N>{N::SurfaceSizeSet}));
    heard.clear();
    display->Initialize();
    EXPECT_EQ(heard, (std::vector<N>{N::Initializing, N::SurfaceSizeSet, N::Initialized, N::SurfaceInitialized,
                                     N::SurfacesRestored}));
    heard.clear();
    display->Finalize();
    EXPECT_EQ(heard, (std::vector<N>{N::SurfaceFinalized, N::Finalized}));
    heard.clear();
    display->Initialize();
    heard.clear();
    display.reset();
    EXPECT_EQ(heard, (std::vector<N>{N::Destroying, N::SurfaceFinalized, N::Finalized}));
}

TEST_F(DisplayTest, LateSubscriberCatchesUpAndHearsTheWayDownWhenLeaving) {
    display->Initialize();
    const int id = subscribe();
    EXPECT_EQ(heard, (std::vector<N>{N::SurfaceSizeSet, N::Initialized, N::SurfaceInitialized, N::SurfacesRestored}));
    heard.clear();
    display->UnRegisterNotifyEvent(id);
    EXPECT_EQ(heard, (std::vector<N>{N::SurfaceFinalized, N::Finalized}));
    heard.clear();
    display->Finalize();
    EXPECT_TRUE(heard.empty());
}

TEST_F(DisplayTest, ReinitialisingStartsClean) {
    display->Initialize();
    subscribe();
    heard.clear();
    display->Initialize();
    EXPECT_EQ(heard, (std::vector<N>{N::SurfaceFinalized, N::Finalized, N::Initializing, N::SurfaceSizeSet,
                                     N::Initialized, N::SurfaceInitialized, N::SurfacesRestored}));
}

TEST_F(DisplayTest, InitialisedDeviceTakesBackHardwareAndReleasingDropsIt) {
    EXPECT_FALSE(display->NowOptions().Has(doHardware));
    display->Initialize();
    EXPECT_TRUE(display->NowOptions().Has(doHardware));
    EXPECT_FALSE(display->NowOptions().Has(doRetainedMode));
    EXPECT_NE(display->D2D(), nullptr);
    EXPECT_EQ(display->Surface().Width(), 800);
    EXPECT_EQ(display->Surface().Height(), 600);
    EXPECT_EQ(display->Surface().BitCount(), 16);
    display->Finalize();
    EXPECT_FALSE(display->NowOptions().Has(doHardware));
    EXPECT_EQ(display->D2D(), nullptr);
    EXPECT_FALSE(display->CanDraw());
}

TEST_F(DisplayTest, RefusedScreenModeLeavesTheDisplayFinalised) {
    display->Display.Width = 640;
    display->Display.Height = 480;
    try {
        display->Initialize();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Display mode cannot be changed (640x480 16bit)");
    }
    EXPECT_FALSE(display->Initialized());
    EXPECT_FALSE(display->CanDraw());
}

TEST_F(DisplayTest, LostSurfacesAreRestoredBlackByCanDraw) {
    display->Initialize();
    subscribe();
    heard.clear();
    FillSurface(display->Surface(), 0x1234);
    display->markSurfacesLost();
    EXPECT_FALSE(FillSurface(display->Surface(), 0x4321)) << "a lost surface refuses drawing";
    EXPECT_TRUE(display->CanDraw());
    EXPECT_EQ(heard, (std::vector<N>{N::SurfacesRestored}));
    EXPECT_EQ(test::CountValue(display->Surface(), 0), 800 * 600);
    EXPECT_EQ(test::CountValue(display->PrimarySurface(), 0), 800 * 600);
    heard.clear();
    EXPECT_TRUE(display->CanDraw());
    EXPECT_TRUE(heard.empty()) << "nothing to restore the second time";
}

TEST_F(DisplayTest, FlipPresentsTheBackBufferAndKeepsTheOlderFrameBehind) {
    display->Initialize();
    FillSurface(display->Surface(), 0x00AA);
    display->Flip();
    ASSERT_EQ(platform.framesPresented(), 1u);
    EXPECT_EQ(platform.lastFrame()[0], 0x00AA);
    EXPECT_EQ(display->Surface().Pixel(0, 0), 0) << "the back buffer holds the frame shown before";
    FillSurface(display->Surface(), 0x00BB);
    display->Flip();
    EXPECT_EQ(platform.lastFrame()[799 + 599 * 800], 0x00BB);
    EXPECT_EQ(display->Surface().Pixel(0, 0), 0x00AA);
}

// What a run's end digests: the frame presented last, also once the buffers
// were cleared by a restore or given back, and whatever is drawn since.
TEST_F(DisplayTest, ShownFrameIsTheFramePresentedLast) {
    auto shown = [&] { return std::vector<uint16_t>(display->ShownFrame().begin(), display->ShownFrame().end()); };
    display->Initialize();
    EXPECT_TRUE(display->ShownFrame().empty()) << "nothing presented yet";
    FillSurface(display->Surface(), 0x00AA);
    display->Flip();
    EXPECT_EQ(shown(), platform.lastFrame());
    FillSurface(display->Surface(), 0x00BB);
    display->Surface().SetPixel(3, 2, 0x0123);
    display->Flip();
    FillSurface(display->Surface(), 0x00CC);
    EXPECT_EQ(shown(), platform.lastFrame()) << "drawing the next frame leaves it alone";
    const std::vector<uint16_t> presented = platform.lastFrame();
    display->markSurfacesLost();
    ASSERT_TRUE(display->CanDraw());
    EXPECT_EQ(shown(), presented) << "the restore clears the buffers, not the frame shown";
    display->Finalize();
    EXPECT_EQ(shown(), presented) << "nor does giving the buffers back";
    display->Initialize();
    FillSurface(display->Surface(), 0x00DD);
    display->Flip();
    EXPECT_EQ(shown(), platform.lastFrame());
}

TEST_F(DisplayTest, FlipDoesNothingWhileInactiveOrUninitialised) {
    display->Flip();
    EXPECT_EQ(platform.framesPresented(), 0u);
    display->Initialize();
    test::SetActive(platform, false);
    display->Flip();
    EXPECT_EQ(platform.framesPresented(), 0u);
    test::SetActive(platform, true);
    display->Flip();
    EXPECT_EQ(platform.framesPresented(), 1u);
}

TEST_F(DisplayTest, SceneClearsTheBackBufferOnlyWith3DRequested) {
    display->Initialize();
    FillSurface(display->Surface(), 0x0F0F);
    display->BeginScene2D();
    EXPECT_TRUE(display->SceneOpen());
    EXPECT_EQ(test::CountValue(display->Surface(), 0), 800 * 600);
    display->EndScene2D();
    EXPECT_FALSE(display->SceneOpen());

    display->SetOptions(TDXDrawOptions(kGameDrawOptions).Exclude(do3D));
    display->Initialize();
    FillSurface(display->Surface(), 0x0F0F);
    display->BeginScene2D();
    EXPECT_FALSE(display->SceneOpen());
    EXPECT_EQ(display->Surface().Pixel(400, 300), 0x0F0F);
}

TEST_F(DisplayTest, ListenerMayLeaveWhileBeingTold) {
    int id = 0;
    int calls = 0;
    id = display->RegisterNotifyEvent([&](TDXDraw& d, N n) {
        ++calls;
        if (n == N::Destroying) d.UnRegisterNotifyEvent(id);
    });
    display->Initialize();
    calls = 0;
    display.reset();
    EXPECT_EQ(calls, 3) << "Destroying, then the way down sent by leaving, nothing after";
}

}  // namespace
}  // namespace ik
