#include <gtest/gtest.h>

#include "SurfaceFixtures.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik {
namespace {

using test::Changed;
using test::Paint;

constexpr uint16_t kWhite = 0xFFFF;

// --- software path ---

struct SoftwareCase {
    const char* name;
    uint16_t source, dest;
    int alpha;
    uint16_t expected;
};

const SoftwareCase kSoftwareCases[] = {
    {"halfWhiteOverBlack", kWhite, 0x0000, 128, 0x7BEF},    // 15, 31, 15
    {"quarterBlackOverWhite", 0x0000, kWhite, 64, 0xBDF7},  // 23, 47, 23
    {"fullIsACopy", 0x1234, kWhite, 255, 0x1234},
    {"aboveFullIsACopy", 0x1234, kWhite, 300, 0x1234},
};

class SoftwareBlend : public ::testing::TestWithParam<SoftwareCase> {};

TEST_P(SoftwareBlend, MixesEachChannelByAlphaOver256) {
    const SoftwareCase& c = GetParam();
    TDirectDrawSurface dest, src;
    Paint(dest, 3, 3, [&](int, int) { return c.dest; });
    Paint(src, 1, 1, [&](int, int) { return c.source; });
    EXPECT_TRUE(blendSoftware(dest, {1, 1, 2, 2}, src, {0, 0, 1, 1}, c.alpha, false));
    EXPECT_EQ(dest.Pixel(1, 1), c.expected);
    const TRect expected = c.expected == c.dest ? TRect{} : TRect{1, 1, 2, 2};
    EXPECT_EQ(Changed(dest, c.dest), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SoftwareBlend, ::testing::ValuesIn(kSoftwareCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SoftwareBlendRules, AlphaZeroDrawsNothing) {
    TDirectDrawSurface dest, src;
    Paint(dest, 2, 2, [](int, int) { return 0; });
    Paint(src, 2, 2, [](int, int) { return kWhite; });
    EXPECT_FALSE(blendSoftware(dest, {0, 0, 2, 2}, src, {0, 0, 2, 2}, 0, false));
    EXPECT_EQ(Changed(dest, 0), TRect{});
}

TEST(SoftwareBlendRules, FullAlphaCopiesWithTheColourKey) {
    TDirectDrawSurface dest, src;
    Paint(dest, 2, 1, [](int, int) { return 0x0001; });
    Paint(src, 2, 1, [](int x, int) { return x == 0 ? 0xF81F : 0x07E0; });
    src.SetColorKey(0xF81F);
    blendSoftware(dest, {0, 0, 2, 1}, src, {0, 0, 2, 1}, 255, true);
    EXPECT_EQ(dest.Pixel(0, 0), 0x0001);
    EXPECT_EQ(dest.Pixel(1, 0), 0x07E0);
}

TEST(SoftwareBlendRules, StepsThroughTheSourceAndClipsAtTheLeft) {
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 1, [](int, int) { return 0; });
    Paint(src, 2, 1, test::Tag);
    blendSoftware(dest, {0, 0, 4, 1}, src, {0, 0, 2, 1}, 255, false);
    EXPECT_EQ(dest.Pixel(0, 0), test::Tag(0, 0));
    EXPECT_EQ(dest.Pixel(1, 0), test::Tag(0, 0));
    EXPECT_EQ(dest.Pixel(2, 0), test::Tag(1, 0));
    EXPECT_EQ(dest.Pixel(3, 0), test::Tag(1, 0));
    Paint(dest, 4, 1, [](int, int) { return 0; });
    blendSoftware(dest, {-1, 0, 3, 1}, src, {0, 0, 2, 1}, 255, false);
    EXPECT_EQ(dest.Pixel(0, 0), test::Tag(0, 0)) << "the cut column was the first half of pixel 0";
    EXPECT_EQ(dest.Pixel(1, 0), test::Tag(1, 0));
    EXPECT_EQ(dest.Pixel(3, 0), 0);
}

TEST(SoftwareBlendRules, SourceRectangleOutsideItsSurfaceDrawsNothing) {
    TDirectDrawSurface dest, src;
    Paint(dest, 4, 4, [](int, int) { return 0; });
    Paint(src, 2, 2, [](int, int) { return kWhite; });
    EXPECT_FALSE(blendSoftware(dest, {0, 0, 4, 4}, src, {0, 0, 3, 2}, 128, false));
    EXPECT_FALSE(blendSoftware(dest, {0, 0, 4, 4}, src, {-1, 0, 2, 2}, 128, false));
    EXPECT_EQ(Changed(dest, 0), TRect{});
}

// --- the 3D path on the back buffer ---

class BilinearBlend : public ::testing::Test {
protected:
    void SetUp() override { display.Initialize(); }
    TDirectDrawSurface& back() { return display.Surface(); }
    bool blend(const RgbImage& picture, const TRect& q, int alpha, bool transparent = false, TColor key = clBlack) {
        const BlendTexture texture = makeBlendTexture(picture, transparent, key);
        return blendBilinear(display, back(), q, texture, wholePictureTexCoords(texture), alpha);
    }
    static RgbImage uniform(int w, int h, TColor c) {
        return {w, h, std::vector<uint32_t>(static_cast<size_t>(w * h), c)};
    }

    HeadlessPlatform platform;
    TDXDraw display{platform};
};

TEST_F(BilinearBlend, MidAlphaOnAKnownPair) {
    EXPECT_TRUE(blend(uniform(4, 4, clWhite), {10, 10, 14, 14}, 128));
    // 255 x 128/255 = 128 on black: 16, 32, 16.
    EXPECT_EQ(back().Pixel(10, 10), 0x8410);
    EXPECT_EQ(back().Pixel(13, 13), 0x8410);
    EXPECT_EQ(Changed(back(), 0), (TRect{10, 10, 14, 14}));
}

TEST_F(BilinearBlend, FullAlphaAtOneToOneCopiesEachTexel) {
    RgbImage picture{4,
                     2,
                     {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(8, 4, 8), RGB(0, 255, 255),
                      RGB(255, 0, 255), RGB(128, 128, 128)}};
    blend(picture, {100, 50, 104, 52}, 255);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(back().Pixel(100 + x, 50 + y), toRgb565(picture.At(x, y))) << x << "," << y;
}

TEST_F(BilinearBlend, AlphaZeroDrawsNothing) {
    FillSurface(back(), 0x1111);
    EXPECT_FALSE(blend(uniform(4, 4, clWhite), {0, 0, 50, 50}, 0));
    EXPECT_EQ(Changed(back(), 0x1111), TRect{});
}

TEST_F(BilinearBlend, KeyTexelsAreNotDrawn) {
    RgbImage picture = uniform(4, 4, RGB(255, 0, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 2; x < 4; ++x) picture.pixels[static_cast<size_t>(y * 4 + x)] = RGB(255, 0, 0);
    blend(picture, {0, 0, 4, 4}, 255, true, RGB(255, 0, 255));
    EXPECT_EQ(back().Pixel(0, 0), 0);
    EXPECT_EQ(back().Pixel(1, 3), 0);
    EXPECT_EQ(back().Pixel(2, 0), 0xF800);
    EXPECT_EQ(back().Pixel(3, 3), 0xF800);
}

TEST_F(BilinearBlend, StretchingFiltersBetweenTexelsAndWrapsAtTheEdge) {
    // Black and white stretched to four pixels: sample points a quarter texel
    // either side of each texel centre; the first reaches around to white.
    blend(RgbImage{2, 1, {clBlack, clWhite}}, {0, 0, 4, 1}, 255);
    EXPECT_EQ(back().Pixel(0, 0), 0x4208);  // 64
    EXPECT_EQ(back().Pixel(1, 0), 0x4208);  // 64
    EXPECT_EQ(back().Pixel(2, 0), 0xBDF7);  // 191
    EXPECT_EQ(back().Pixel(3, 0), 0xBDF7);  // 191
}

TEST_F(BilinearBlend, OnlyTheBackBufferReceivesIt) {
    TDirectDrawSurface other;
    Paint(other, 8, 8, [](int, int) { return 0; });
    const BlendTexture texture = makeBlendTexture(uniform(2, 2, clWhite), false, clBlack);
    EXPECT_FALSE(blendBilinear(display, other, {0, 0, 8, 8}, texture, wholePictureTexCoords(texture), 255));
    EXPECT_EQ(Changed(other, 0), TRect{});
}

TEST_F(BilinearBlend, NeedsTheRequestedHardwarePath) {
    display.SetOptions(TDXDrawOptions(kGameDrawOptions).Exclude(doHardware));
    display.Initialize();
    EXPECT_FALSE(blend(uniform(2, 2, clWhite), {0, 0, 8, 8}, 255));
    EXPECT_EQ(Changed(back(), 0), TRect{});
}

TEST_F(BilinearBlend, WithoutATextureTheBareQuadIsWhite) {
    const BlendTexture none;
    EXPECT_TRUE(blendBilinear(display, back(), {0, 0, 2, 2}, none, {}, 255));
    EXPECT_EQ(back().Pixel(1, 1), kWhite);
}

TEST(BlendTextureMaking, PowerOfTwoSidesPaddedBlack) {
    const BlendTexture t = makeBlendTexture(RgbImage{3, 1, {clWhite, clWhite, clWhite}}, false, clBlack);
    EXPECT_EQ(t.width, 4);
    EXPECT_EQ(t.height, 2);
    EXPECT_EQ(t.texels[3], 0xFF000000u) << "padding is opaque black when not transparent";
    const BlendTexture keyed = makeBlendTexture(RgbImage{3, 1, {clWhite, clWhite, clWhite}}, true, clBlack);
    EXPECT_EQ(keyed.texels[3], 0x00000000u) << "black padding matches a black key";
    EXPECT_EQ(keyed.texels[0], 0xFFFFFFFFu);
}

TEST(TextureCache, MakesEachNameOnceUntilCleared) {
    TD2D renderer;
    int made = 0;
    auto make = [&] {
        ++made;
        return BlendTexture{};
    };
    renderer.Texture("keyboard", make);
    renderer.Texture("keyboard", make);
    renderer.Texture("Keyboard", make);
    EXPECT_EQ(made, 2) << "names are case-sensitive";
    renderer.ClearTextures();
    renderer.Texture("keyboard", make);
    EXPECT_EQ(made, 3);
}

TEST(TextureCache, AFullCacheIsEmptiedBeforeTheNextEntry) {
    TD2D renderer;
    auto make = [] { return BlendTexture{}; };
    for (size_t i = 0; i < TD2D::kMaxTextures; ++i) renderer.Texture("p" + std::to_string(i), make);
    EXPECT_EQ(renderer.TextureCount(), TD2D::kMaxTextures);
    renderer.Texture("one more", make);
    EXPECT_EQ(renderer.TextureCount(), 1u);
}

}  // namespace
}  // namespace ik
