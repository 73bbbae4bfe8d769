#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "SurfaceFixtures.h"
#include "display/Drawing.h"
#include "display/Exception.h"

namespace ik {
namespace {

using test::Changed;
using test::Paint;
using test::Tag;

constexpr uint16_t kBackground = 0xFFFF;  // never a tag of the 32 x 20 source

struct ClipCase {
    const char* name;
    int x, y;
    TRect srcRect;
    BlitResult result;
    TRect drawn;     // where the destination changed
    int srcX, srcY;  // source pixel that lands at drawn's top-left
};

const ClipCase kClipCases[] = {
    {"leftEdgeCutsTenColumns", -10, 0, {0, 0, 32, 20}, BlitResult::Drawn, {0, 0, 22, 20}, 10, 0},
    {"topEdge", 5, -7, {0, 0, 32, 20}, BlitResult::Drawn, {5, 0, 37, 13}, 0, 7},
    {"bottomRightCorner", 790, 590, {0, 0, 32, 20}, BlitResult::Drawn, {790, 590, 800, 600}, 0, 0},
    {"atRightEdgeClipsAway", 800, 0, {0, 0, 32, 20}, BlitResult::ClippedAway, {}, 0, 0},
    {"beyondRightEdgeReturnsEarly", 801, 0, {0, 0, 32, 20}, BlitResult::OutsideTarget, {}, 0, 0},
    {"atBottomEdgeClipsAway", 0, 600, {0, 0, 32, 20}, BlitResult::ClippedAway, {}, 0, 0},
    {"beyondBottomEdgeReturnsEarly", 0, 601, {0, 0, 32, 20}, BlitResult::OutsideTarget, {}, 0, 0},
    {"sourceRightBeyondItsSurface", 100, 50, {20, 0, 40, 20}, BlitResult::Drawn, {100, 50, 112, 70}, 20, 0},
    {"sourceLeftNegative", 100, 50, {-5, -2, 10, 20}, BlitResult::Drawn, {105, 52, 115, 72}, 0, 0},
    {"sourceWhollyOutside", 100, 50, {40, 0, 50, 20}, BlitResult::ClippedAway, {}, 0, 0},
    {"farLeftPointDoesNotOverflow", INT_MIN + 1, 0, {0, 0, 32, 20}, BlitResult::ClippedAway, {}, 0, 0},
};

class CopyClipping : public ::testing::TestWithParam<ClipCase> {};

TEST_P(CopyClipping, DrawsTheClippedPartOnly) {
    const ClipCase& c = GetParam();
    TDirectDrawSurface dest, src;
    Paint(dest, 800, 600, [](int, int) { return kBackground; });
    Paint(src, 32, 20, Tag);
    EXPECT_EQ(copyClipped(dest, c.x, c.y, src, c.srcRect, false), c.result);
    EXPECT_EQ(Changed(dest, kBackground), c.drawn);
    for (int y = c.drawn.Top; y < c.drawn.Bottom; ++y)
        for (int x = c.drawn.Left; x < c.drawn.Right; ++x)
            ASSERT_EQ(dest.Pixel(x, y), Tag(c.srcX + x - c.drawn.Left, c.srcY + y - c.drawn.Top)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyClipping, ::testing::ValuesIn(kClipCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A 4 x 1 source whose middle two pixels carry the key 0x0011.
class KeyedCopy : public ::testing::Test {
protected:
    void SetUp() override {
        Paint(dest, 4, 1, [](int, int) { return 0x7777; });
        Paint(src, 4, 1, [](int x, int) { return x == 1 || x == 2 ? 0x0011 : 0x2000 + x; });
        src.SetColorKey(0x0011);
    }
    TDirectDrawSurface dest, src;
};

TEST_F(KeyedCopy, TransparentSkipsKeyPixels) {
    copyClipped(dest, 0, 0, src, {0, 0, 4, 1}, true);
    EXPECT_EQ(dest.Pixel(0, 0), 0x2000);
    EXPECT_EQ(dest.Pixel(1, 0), 0x7777);
    EXPECT_EQ(dest.Pixel(2, 0), 0x7777);
    EXPECT_EQ(dest.Pixel(3, 0), 0x2003);
}

TEST_F(KeyedCopy, OpaqueCopiesTheKeyLikeAnyColour) {
    copyClipped(dest, 0, 0, src, {0, 0, 4, 1}, false);
    EXPECT_EQ(dest.Pixel(1, 0), 0x0011);
    EXPECT_EQ(dest.Pixel(2, 0), 0x0011);
}

TEST(Copy, LostOrMissingSurfacesRefuse) {
    TDirectDrawSurface dest, src, missing;
    Paint(dest, 4, 4, [](int, int) { return 0; });
    Paint(src, 2, 2, Tag);
    EXPECT_EQ(copyClipped(dest, 0, 0, missing, {0, 0, 2, 2}, false), BlitResult::Refused);
    dest.MarkLost();
    EXPECT_EQ(copyClipped(dest, 0, 0, src, {0, 0, 2, 2}, false), BlitResult::Refused);
}

TEST(Copy, WithinOneSurfaceOverlappingCopiesTheOriginal) {
    TDirectDrawSurface s;
    Paint(s, 6, 1, [](int x, int) { return Tag(x, 0); });
    copyClipped(s, 2, 0, s, {0, 0, 4, 1}, false);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(s.Pixel(x, 0), Tag(x < 2 ? x : x - 2, 0)) << x;
}

TEST(Stretch, DoublesEachPixelAndSkipsKeys) {
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 4, [](int, int) { return kBackground; });
    Paint(src, 2, 2, Tag);
    src.SetColorKey(Tag(1, 1));
    EXPECT_TRUE(stretchCopy(dest, {0, 0, 4, 4}, src, {0, 0, 2, 2}, true));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint16_t expected = (x >= 2 && y >= 2) ? kBackground : Tag(x / 2, y / 2);
            EXPECT_EQ(dest.Pixel(x, y), expected) << x << "," << y;
        }
}

TEST(Stretch, ShrinkingSamplesPixelCentres) {
    TDirectDrawSurface dest, src;
    Paint(dest, 2, 1, [](int, int) { return kBackground; });
    Paint(src, 4, 1, Tag);
    stretchCopy(dest, {0, 0, 2, 1}, src, {0, 0, 4, 1}, false);
    EXPECT_EQ(dest.Pixel(0, 0), Tag(1, 0));
    EXPECT_EQ(dest.Pixel(1, 0), Tag(3, 0));
}

TEST(Stretch, ClippingKeepsTheScaleOfTheWholeRectangle) {
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 1, [](int, int) { return kBackground; });
    Paint(src, 2, 1, Tag);
    stretchCopy(dest, {-2, 0, 2, 1}, src, {0, 0, 2, 1}, false);
    EXPECT_EQ(dest.Pixel(0, 0), Tag(1, 0));
    EXPECT_EQ(dest.Pixel(1, 0), Tag(1, 0));
    EXPECT_EQ(dest.Pixel(2, 0), kBackground);
}

TEST(Stretch, HugeDestinationShowsItsMiddle) {
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 1, [](int, int) { return kBackground; });
    Paint(src, 2, 1, Tag);
    EXPECT_TRUE(stretchCopy(dest, {INT_MIN, 0, INT_MAX, 1}, src, {0, 0, 2, 1}, false));
    // Column 0 lies just right of the rectangle's middle: the second source pixel.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.Pixel(x, 0), Tag(1, 0)) << x;
}

TEST(Stretch, RefusesASourceRectangleOutsideItsSurface) {
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 4, [](int, int) { return kBackground; });
    Paint(src, 2, 2, Tag);
    EXPECT_FALSE(stretchCopy(dest, {0, 0, 4, 4}, src, {0, 0, 3, 2}, false));
    EXPECT_FALSE(stretchCopy(dest, {0, 0, 0, 4}, src, {0, 0, 2, 2}, false));
    EXPECT_EQ(Changed(dest, kBackground), TRect{});
}

struct BlitCase {
    const char* name;
    int x, y;
    TRect srcRect;
    bool accepted;
};

const BlitCase kBlitCases[] = {
    {"fits", 2, 3, {0, 0, 4, 4}, true},
    {"touchesTheFarEdges", 6, 6, {0, 0, 4, 4}, true},
    {"leftOfTheDestination", -1, 0, {0, 0, 4, 4}, false},
    {"pastTheRightEdge", 7, 0, {0, 0, 4, 4}, false},
    {"pastTheBottomEdge", 0, 7, {0, 0, 4, 4}, false},
    {"sourceBeyondItsSurface", 0, 0, {1, 0, 5, 4}, false},
    {"emptySource", 0, 0, {2, 2, 2, 4}, false},
};

class BlitSurfaceTable : public ::testing::TestWithParam<BlitCase> {};

TEST_P(BlitSurfaceTable, CopiesOnlyWhatFits) {
    const BlitCase& c = GetParam();
    TDirectDrawSurface dest, src;
    Paint(dest, 10, 10, [](int, int) { return kBackground; });
    Paint(src, 4, 4, Tag);
    EXPECT_EQ(BlitSurface(dest, c.x, c.y, c.srcRect, 0, src), c.accepted);
    const TRect expected = c.accepted ? Bounds(c.x, c.y, c.srcRect.Width(), c.srcRect.Height()) : TRect{};
    EXPECT_EQ(Changed(dest, kBackground), expected);
    if (c.accepted) {
        EXPECT_EQ(dest.Pixel(c.x, c.y), Tag(c.srcRect.Left, c.srcRect.Top));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BlitSurfaceTable, ::testing::ValuesIn(kBlitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BlitSurfaceFlags, SourceColourKeyOnlyWhenAsked) {
    TDirectDrawSurface dest, src;
    Paint(dest, 2, 1, [](int, int) { return kBackground; });
    Paint(src, 2, 1, [](int x, int) { return x == 0 ? 0x0005 : 0x0006; });
    src.SetColorKey(0x0005);
    BlitSurface(dest, 0, 0, {0, 0, 2, 1}, kBltFastSourceColorKey, src);
    EXPECT_EQ(dest.Pixel(0, 0), kBackground);
    BlitSurface(dest, 0, 0, {0, 0, 2, 1}, 0, src);
    EXPECT_EQ(dest.Pixel(0, 0), 0x0005);
}

TEST(Fill, EveryPixelTakesTheRawValue) {
    TDirectDrawSurface s;
    Paint(s, 13, 7, Tag);
    for (uint16_t value : {uint16_t{0}, uint16_t{0xF81F}, uint16_t{0x0101}}) {
        EXPECT_TRUE(FillSurface(s, value));
        EXPECT_EQ(test::CountValue(s, value), 13 * 7) << value;
    }
    TDirectDrawSurface missing;
    EXPECT_FALSE(FillSurface(missing, 0));
}

// A fill waits for the next look at the pixels; whatever comes next must see
// the surface exactly as if it had been written at once.
struct FillThenCase {
    const char* name;
    std::function<void(TDirectDrawSurface& dest, TDirectDrawSurface& src)> next;
    std::function<uint16_t(int x, int y)> expected;  // on the 4 x 2 destination
};

constexpr uint16_t kFill = 0x0A0B;
constexpr uint16_t kKey = 0x0011;
// The 4 x 2 source: its key at (1, 0) and (2, 1).
uint16_t KeyedTag(int x, int y) { return (x == 1 && y == 0) || (x == 2 && y == 1) ? kKey : Tag(x, y); }

const FillThenCase kFillThenCases[] = {
    {"keyedCopyOverTheWholeSurfaceShowsTheFillThroughItsKey",
     [](TDirectDrawSurface& d, TDirectDrawSurface& s) {
         copyClipped(d, 0, 0, s, {0, 0, 4, 2}, true);
     },
     [](int x, int y) { return KeyedTag(x, y) == kKey ? kFill : KeyedTag(x, y); }},
    {"opaqueCopyOverTheWholeSurface",
     [](TDirectDrawSurface& d, TDirectDrawSurface& s) {
         copyClipped(d, 0, 0, s, {0, 0, 4, 2}, false);
     },
     [](int x, int y) { return KeyedTag(x, y); }},
    {"copyOverPartKeepsTheFillAround",
     [](TDirectDrawSurface& d, TDirectDrawSurface& s) {
         copyClipped(d, 1, 0, s, {0, 0, 4, 2}, false);
     },
     [](int x, int y) { return x == 0 ? kFill : KeyedTag(x - 1, y); }},
    {"copyFromItselfSeesTheFill",
     [](TDirectDrawSurface& d, TDirectDrawSurface&) {
         copyClipped(d, 0, 0, d, {0, 0, 4, 2}, true);
     },
     [](int, int) { return kFill; }},
    {"aLockedSurfaceIsFilledForItsPointer",
     [](TDirectDrawSurface& d, TDirectDrawSurface&) {
         uint16_t* pixels = d.Lock();
         FillSurface(d, 0x1234);
         pixels[5] = 0x4321;
         d.Unlock();
     },
     [](int x, int y) { return x == 1 && y == 1 ? 0x4321 : 0x1234; }},
    {"aSecondFillWins", [](TDirectDrawSurface& d, TDirectDrawSurface&) { FillSurface(d, 0x0202); },
     [](int, int) { return 0x0202; }},
    {"aFlipTakesTheFillAlong",
     [](TDirectDrawSurface& d, TDirectDrawSurface&) {
         TDirectDrawSurface other;
         Paint(other, 4, 2, Tag);
         d.SwapPixels(other);
         EXPECT_EQ(test::CountValue(other, kFill), 8);
     },
     [](int x, int y) { return Tag(x, y); }},
    {"aNewSizeIsBlack", [](TDirectDrawSurface& d, TDirectDrawSurface&) { d.SetSize(4, 2); },
     [](int, int) { return 0; }},
};

class FillThen : public ::testing::TestWithParam<FillThenCase> {};

TEST_P(FillThen, SeesTheFillAsIfWrittenAtOnce) {
    const FillThenCase& c = GetParam();
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 2, [](int, int) { return kBackground; });
    Paint(src, 4, 2, KeyedTag);
    src.SetColorKey(kKey);
    ASSERT_TRUE(FillSurface(dest, kFill));
    c.next(dest, src);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.Row(y)[x], c.expected(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, FillThen, ::testing::ValuesIn(kFillThenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadFromGraphic, ConvertsTopRowFirstByTruncation) {
    RgbImage image{2, 2, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(7, 3, 7)}};
    TDirectDrawSurface s;
    s.SetSize(1, 1);
    s.SetColorKey(0x1234);
    LoadFromGraphic(s, image);
    ASSERT_EQ(s.Width(), 2);
    ASSERT_EQ(s.Height(), 2);
    EXPECT_EQ(s.Pixel(0, 0), 0xF800);
    EXPECT_EQ(s.Pixel(1, 0), 0x07E0);
    EXPECT_EQ(s.Pixel(0, 1), 0x001F);
    EXPECT_EQ(s.Pixel(1, 1), 0x0000);
    EXPECT_EQ(s.ColorKey(), 0);
}

TEST(LoadFromGraphic, AreaOfAPicture) {
    RgbImage image{3, 2, {0, 0, 0, 0, 0, RGB(255, 255, 255)}};
    TDirectDrawSurface s;
    LoadFromGraphic(s, image, {1, 1, 3, 2}, true);
    EXPECT_EQ(s.Width(), 2);
    EXPECT_EQ(s.Height(), 1);
    EXPECT_TRUE(s.SystemMemory());
    EXPECT_EQ(s.Pixel(1, 0), 0xFFFF);
}

TEST(LoadFromGraphic, RefusesEmptyOrInconsistentImages) {
    const RgbImage bad[] = {RgbImage{}, RgbImage{2, 2, {0, 0, 0}}};
    for (const RgbImage& image : bad) {
        TDirectDrawSurface s;
        EXPECT_THROW(LoadFromGraphic(s, image), Exception);
    }
    TDirectDrawSurface s;
    EXPECT_THROW(LoadFromGraphic(s, RgbImage{2, 2, {0, 0, 0, 0}}, {1, 1, 3, 2}, false), Exception);
}

}  // namespace
}  // namespace ik
