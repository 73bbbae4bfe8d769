#include <gtest/gtest.h>

#include "SurfaceFixtures.h"
#include "display/Canvas.h"
#include "display/Exception.h"
#include "display/Fonts.h"

namespace ik {
namespace {

using test::Changed;
using test::Paint;

// Liberation Sans: 2048 units per em, usWinAscent 1854, usWinDescent 434.
struct SizeCase {
    int points;
    int em;
    int cell;    // round(2288 x em / 2048)
    int ascent;  // round(1854 x em / 2048)
};

const SizeCase kSizes[] = {
    {10, 13, 15, 12}, {12, 16, 18, 14}, {18, 24, 27, 22}, {24, 32, 36, 29}, {30, 40, 45, 36},
};

class TextSizes : public ::testing::TestWithParam<SizeCase> {
protected:
    void SetUp() override {
        ASSERT_EQ(fontFamily({"Arial", false, false, 13}), "Liberation Sans") << "fonts-liberation is needed";
        Paint(surface, 300, 120, [](int, int) { return 0; });
        canvas().Font.Name = "Arial";
        canvas().Font.Size = GetParam().points;
        canvas().Font.Color = clWhite;
    }
    TDirectDrawSurfaceCanvas& canvas() { return surface.Canvas(); }
    TDirectDrawSurface surface;
};

TEST_P(TextSizes, PointsGiveTheCharacterHeightAt96Dpi) { EXPECT_EQ(emPixels(GetParam().points), GetParam().em); }

TEST_P(TextSizes, SolidBrushFillsTheCellWithItsTopAtY) {
    canvas().Brush.Style = bsSolid;
    canvas().Brush.Color = RGB(255, 0, 0);
    canvas().TextOut(20, 30, "H");
    EXPECT_EQ(canvas().TextHeight(), GetParam().cell);
    EXPECT_EQ(Changed(surface, 0), Bounds(20, 30, canvas().TextWidth("H"), GetParam().cell));
    EXPECT_EQ(surface.Pixel(20, 30), 0xF800) << "left top corner of the cell holds the brush";
}

TEST_P(TextSizes, CapitalStandsOnTheBaselineAtYPlusAscent) {
    canvas().Brush.Style = bsClear;
    canvas().TextOut(20, 30, "H");
    const TRect ink = Changed(surface, 0);
    EXPECT_EQ(ink.Bottom, 30 + GetParam().ascent);
    // The capital is about 0.69 em tall in this face.
    EXPECT_NEAR(ink.Height(), 0.688 * GetParam().em, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Points, TextSizes, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::to_string(info.param.points) + "pt"; });

class CanvasText : public ::testing::Test {
protected:
    void SetUp() override {
        Paint(surface, 400, 100, [](int, int) { return 0; });
        canvas().Font.Name = "Arial";
        canvas().Font.Size = 12;
        canvas().Font.Color = clWhite;
        canvas().Brush.Style = bsClear;
    }
    TDirectDrawSurfaceCanvas& canvas() { return surface.Canvas(); }
    // Pixels of one character drawn alone at a fixed place.
    std::vector<uint16_t> render(const std::string& text) {
        FillSurface0();
        canvas().TextOut(10, 20, text);
        return {surface.Pixels(), surface.Pixels() + 400 * 100};
    }
    void FillSurface0() { std::fill(surface.Pixels(), surface.Pixels() + 400 * 100, 0); }
    TDirectDrawSurface surface;
};

TEST_F(CanvasText, PenMovesToTheEndOfTheText) {
    canvas().TextOut(30, 40, "Skóre: 120");
    const int width = canvas().TextWidth("Skóre: 120");
    EXPECT_GT(width, 40);
    EXPECT_EQ(canvas().PenPos().x, 30 + width);
    EXPECT_EQ(canvas().PenPos().y, 40);
    EXPECT_LE(Changed(surface, 0).Right, 30 + width + 1);
}

TEST_F(CanvasText, CzechLettersHaveGlyphsOfTheirOwn) {
    const std::vector<uint16_t> missing = render("\xEE\x80\x80");  // U+E000, not in the face
    for (const char* letter : {"á", "č", "ď", "é", "ě", "í", "ň", "ó", "ř", "š", "ť", "ú", "ů", "ý", "ž", "Á",
                               "Č", "Ď", "É", "Ě", "Í", "Ň", "Ó", "Ř", "Š", "Ť", "Ú", "Ů", "Ý", "Ž", "´"}) {
        const std::vector<uint16_t> drawn = render(letter);
        EXPECT_NE(Changed(surface, 0), TRect{}) << letter << " left no ink";
        EXPECT_NE(drawn, missing) << letter << " drew the missing-glyph shape";
    }
}

TEST_F(CanvasText, ClearBrushLeavesThePictureBetweenGlyphs) {
    Paint(surface, 400, 100, [](int x, int y) { return test::Tag(x, y); });
    canvas().TextOut(10, 20, "i i");
    int untouched = 0;
    const int width = canvas().TextWidth("i i");
    for (int y = 20; y < 20 + canvas().TextHeight(); ++y)
        for (int x = 10; x < 10 + width; ++x) untouched += surface.Pixel(x, y) == test::Tag(x, y);
    EXPECT_GT(untouched, width * canvas().TextHeight() / 2);

    canvas().Brush.Style = bsSolid;
    canvas().Brush.Color = clBlack;
    canvas().TextOut(10, 20, "i i");
    for (int y = 20; y < 20 + canvas().TextHeight(); ++y)
        for (int x = 10; x < 10 + width; ++x) ASSERT_NE(surface.Pixel(x, y), test::Tag(x, y)) << x << "," << y;
}

TEST_F(CanvasText, SettingsPersistAcrossUses) {
    canvas().Font.Name = "Times New Roman";
    canvas().Font.Size = 18;
    canvas().Font.Style = fsBold;
    canvas().Font.Color = clYellow;
    ReleaseCanvas(canvas());
    TDirectDrawSurfaceCanvas& again = SurfaceCanvas(surface);
    again.TextOut(5, 5, "Hra");
    EXPECT_EQ(again.Font.Name, "Times New Roman");
    EXPECT_EQ(again.Font.Size, 18);
    EXPECT_GT(test::CountValue(surface, toRgb565(clYellow)), 20) << "solid yellow glyph cores";
    EXPECT_EQ(test::CountValue(surface, toRgb565(clWhite)), 0);
}

TEST_F(CanvasText, BoldIsAWiderFaceOfTheSameFamily) {
    const int regular = canvas().TextWidth("Nahrávám...");
    canvas().Font.Style = fsBold;
    EXPECT_GT(canvas().TextWidth("Nahrávám..."), regular);
    EXPECT_EQ(fontFamily({"Arial", true, false, 16}), "Liberation Sans");
}

TEST_F(CanvasText, CourierNewIsMonospaced) {
    canvas().Font.Name = "Courier New";
    EXPECT_EQ(canvas().TextWidth("iiii"), canvas().TextWidth("WWWW"));
    EXPECT_EQ(fontFamily({"Courier New", false, false, 16}), "Liberation Mono");
}

TEST_F(CanvasText, UnknownFaceFallsBackAndSaysSoOnce) {
    canvas().Font.Name = "Ironkeel No Such Face";
    ::testing::internal::CaptureStderr();
    canvas().TextOut(10, 20, "Ahoj");
    canvas().TextOut(10, 50, "Ahoj");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(Changed(surface, 0), TRect{});
    const std::string family = fontFamily({"Ironkeel No Such Face", false, false, 16});
    EXPECT_FALSE(family.empty());
    const size_t first = said.find("Ironkeel No Such Face");
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_NE(said.find(family), std::string::npos) << said;
    EXPECT_EQ(said.find("Ironkeel No Such Face", first + 1), std::string::npos) << "said only once";
}

TEST_F(CanvasText, TextAtTheEdgesIsClipped) {
    canvas().Font.Size = 30;
    canvas().TextOut(-15, -20, "ŽÁČ");
    canvas().TextOut(380, 80, "ŽÁČ");
    const TRect ink = Changed(surface, 0);
    EXPECT_EQ(ink.Left, 0);
    EXPECT_EQ(ink.Right, 400);
    EXPECT_EQ(ink.Bottom, 100);
}

TEST_F(CanvasText, LostSurfaceRefusesDrawing) {
    surface.MarkLost();
    try {
        canvas().TextOut(0, 0, "x");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Canvas does not allow drawing");
    }
    EXPECT_FALSE(canvas().HoldsContext());
    surface.Restore();
    canvas().TextOut(0, 0, "x");
    EXPECT_TRUE(canvas().HoldsContext());
    ReleaseCanvas(canvas());
    EXPECT_FALSE(canvas().HoldsContext());
}

TEST_F(CanvasText, MalformedUtf8DrawsReplacementsNotCrashes) {
    canvas().TextOut(10, 20, std::string("a\xC3", 2));
    canvas().TextOut(10, 20, std::string("\xF4\x90\x80\x80\xED\xA0\x80", 7));
    EXPECT_NE(Changed(surface, 0), TRect{});
}

}  // namespace
}  // namespace ik
