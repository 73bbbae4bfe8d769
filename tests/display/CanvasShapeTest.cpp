#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "SurfaceFixtures.h"
#include "display/Canvas.h"

namespace ik {
namespace {

using test::Paint;

constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kBlue = 0x001F;

class CanvasShapes : public ::testing::Test {
protected:
    void SetUp() override {
        Paint(surface, 10, 10, [](int, int) { return 0; });
        canvas().Pen.Color = RGB(255, 0, 0);
        canvas().Brush.Color = RGB(0, 0, 255);
    }
    TDirectDrawSurfaceCanvas& canvas() { return surface.Canvas(); }
    std::set<std::pair<int, int>> painted(uint16_t value) {
        std::set<std::pair<int, int>> at;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                if (surface.Pixel(x, y) == value) at.insert({x, y});
        return at;
    }
    TDirectDrawSurface surface;
};

TEST_F(CanvasShapes, RectangleOutlinesUpToButNotIncludingTheFarCorner) {
    canvas().Brush.Style = bsSolid;
    canvas().Rectangle(2, 3, 7, 8);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 3 && y < 8;
            const bool edge = inside && (x == 2 || x == 6 || y == 3 || y == 7);
            EXPECT_EQ(surface.Pixel(x, y), edge ? kRed : inside ? kBlue : 0) << x << "," << y;
        }
}

TEST_F(CanvasShapes, ClearBrushLeavesTheInside) {
    canvas().Brush.Style = bsClear;
    canvas().Rectangle(2, 3, 7, 8);
    EXPECT_EQ(painted(kBlue).size(), 0u);
    EXPECT_EQ(painted(kRed).size(), 16u);
}

TEST_F(CanvasShapes, RectangleReachingFarBeyondTheSurface) {
    canvas().Brush.Style = bsSolid;
    canvas().Rectangle(INT_MIN, 2, INT_MAX, 5);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(surface.Pixel(x, 2), kRed);
        EXPECT_EQ(surface.Pixel(x, 3), kBlue);
        EXPECT_EQ(surface.Pixel(x, 4), kRed);
    }
    EXPECT_EQ(surface.Pixel(0, 5), 0);
}

TEST_F(CanvasShapes, TextNearTheEndOfTheCoordinateRange) {
    canvas().Brush.Style = bsSolid;
    canvas().TextOut(INT_MAX - 3, 0, "Hodně dlouhý text");
    EXPECT_EQ(canvas().PenPos().x, INT_MAX);
    EXPECT_TRUE(painted(kBlue).empty());
}

struct LineCase {
    const char* name;
    Point from, to;
    std::set<std::pair<int, int>> pixels;
};

const LineCase kLines[] = {
    {"horizontal", {1, 2}, {5, 2}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
    {"leftwards", {5, 2}, {1, 2}, {{5, 2}, {4, 2}, {3, 2}, {2, 2}}},
    {"diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
    {"steep", {1, 0}, {2, 4}, {{1, 0}, {1, 1}, {2, 2}, {2, 3}}},
    {"singlePointIsEmpty", {4, 4}, {4, 4}, {}},
    {"fromFarAway", {-2000000000, 5}, {3, 5}, {{0, 5}, {1, 5}, {2, 5}}},
    {"acrossEverything",
     {INT_MIN, 9},
     {INT_MAX, 9},
     {{0, 9}, {1, 9}, {2, 9}, {3, 9}, {4, 9}, {5, 9}, {6, 9}, {7, 9}, {8, 9}, {9, 9}}},
};

class CanvasLines : public CanvasShapes, public ::testing::WithParamInterface<LineCase> {};

TEST_P(CanvasLines, EndPointIsNotDrawnAndThePenMovesThere) {
    const LineCase& c = GetParam();
    canvas().MoveTo(c.from.x, c.from.y);
    canvas().LineTo(c.to.x, c.to.y);
    EXPECT_EQ(painted(kRed), c.pixels);
    EXPECT_EQ(canvas().PenPos().x, c.to.x);
    EXPECT_EQ(canvas().PenPos().y, c.to.y);
}

INSTANTIATE_TEST_SUITE_P(Cases, CanvasLines, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ik
