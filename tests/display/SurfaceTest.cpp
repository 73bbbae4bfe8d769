#include <gtest/gtest.h>

#include "display/Canvas.h"
#include "display/Exception.h"
#include "display/Surface.h"

namespace ik {
namespace {

struct BadSize {
    int width, height;
};

class SurfaceSizeRefused : public ::testing::TestWithParam<BadSize> {};

TEST_P(SurfaceSizeRefused, FailsWithSurfaceCannotBeMade) {
    TDirectDrawSurface s;
    try {
        s.SetSize(GetParam().width, GetParam().height);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Surface cannot be made");
    }
    EXPECT_FALSE(s.Exists());
}

INSTANTIATE_TEST_SUITE_P(Sizes, SurfaceSizeRefused,
                         ::testing::Values(BadSize{0, 10}, BadSize{10, 0}, BadSize{-5, 10}, BadSize{100000, 1},
                                           BadSize{20000, 20000}));

TEST(Surface, FreshSurfaceIsBlackWithKeyZeroAnd16Bits) {
    TDirectDrawSurface s;
    EXPECT_EQ(s.BitCount(), 0);
    s.SetSize(7, 3);
    EXPECT_EQ(s.Width(), 7);
    EXPECT_EQ(s.Height(), 3);
    EXPECT_EQ(s.BitCount(), 16);
    EXPECT_EQ(s.ColorKey(), 0);
    for (int i = 0; i < 21; ++i) EXPECT_EQ(s.Pixels()[i], 0);
    s.SetPixel(6, 2, 0x1234);
    EXPECT_EQ(s.Pixels()[20], 0x1234) << "pitch equals width";
}

TEST(Surface, ResizingResetsTheColourKey) {
    TDirectDrawSurface s;
    s.SetSize(4, 4);
    s.SetColorKey(0xF81F);
    s.SetSize(8, 8);
    EXPECT_EQ(s.ColorKey(), 0);
}

TEST(Surface, LockIsCountedAndNeedsTheSurface) {
    TDirectDrawSurface s;
    try {
        s.Lock();
        FAIL() << "locked a surface that does not exist";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "IDirectDrawSurface not made");
    }
    s.SetSize(2, 2);
    EXPECT_EQ(s.Lock(), s.Pixels());
    s.Lock();
    EXPECT_EQ(s.LockCount(), 2);
    s.Unlock();
    s.Unlock();
    s.Unlock();
    EXPECT_EQ(s.LockCount(), 0);
}

TEST(Surface, CanvasIsMadeOnceAndKeptForTheSurfacesLife) {
    TDirectDrawSurface s;
    s.SetSize(10, 10);
    TDirectDrawSurfaceCanvas& first = SurfaceCanvas(s);
    first.Font.Size = 30;
    ReleaseCanvas(first);
    TDirectDrawSurfaceCanvas& second = s.Canvas();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.Font.Size, 30);
}

TEST(Surface, LostSurfaceIsNotUsableUntilRestored) {
    TDirectDrawSurface s;
    s.SetSize(2, 2);
    s.MarkLost();
    EXPECT_FALSE(s.Usable());
    EXPECT_TRUE(s.Restore());
    EXPECT_TRUE(s.Usable());
}

}  // namespace
}  // namespace ik
