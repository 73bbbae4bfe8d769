#include <gtest/gtest.h>

#include "assets/PatternLayout.h"

namespace ik {
namespace {

std::vector<int> lefts(const PatternLayout& layout) {
    std::vector<int> out;
    for (const PatternEntry& p : layout.patterns) out.push_back(p.rect.Left);
    return out;
}

TEST(PatternLayout, GridCases) {
    struct Case {
        const char* what;
        PatternGrid grid;
        std::vector<int> surfaceWidths;
        std::vector<int> patternLefts;
    } cases[] = {
        {"whole picture", {100, 40, 0, 0, 0, 0, false}, {100}, {0}},
        {"30 wide patterns, last 10 columns unused", {100, 40, 30, 40, 0, 0, false}, {90, 10}, {0, 30, 60}},
        {"SkipWidth 5", {100, 40, 30, 40, 5, 0, false}, {100}, {0, 35, 70}},
        {"SkipWidth 5 in system memory", {100, 40, 30, 40, 5, 0, true}, {100}, {0, 35, 70}},
        {"narrower than one cell", {20, 10, 30, 10, 0, 0, false}, {}, {}},
        {"narrower than one cell in system memory", {20, 10, 30, 5, 0, 0, true}, {20}, {}},
        {"gap that leaves no cell", {50, 10, 5, 10, -5, 0, false}, {}, {}},
    };
    for (const Case& c : cases) {
        PatternLayout layout = ComputePatternLayout(c.grid);
        std::vector<int> widths;
        for (const TRect& s : layout.surfaces) widths.push_back(s.Width());
        EXPECT_EQ(widths, c.surfaceWidths) << c.what;
        EXPECT_EQ(lefts(layout), c.patternLefts) << c.what;
        for (const PatternEntry& p : layout.patterns) {
            EXPECT_EQ(p.rect.Width(), c.grid.EffectivePatternWidth()) << c.what;
            EXPECT_EQ(p.rect.Height(), c.grid.EffectivePatternHeight()) << c.what;
        }
    }
}

TEST(PatternLayout, WideSheetInVideoMemoryIsCutIntoBlocks) {
    PatternLayout layout = ComputePatternLayout({2000, 64, 64, 64, 0, 0, false});
    std::vector<TRect> surfaces = {{0, 0, 512, 64}, {512, 0, 1024, 64}, {1024, 0, 1536, 64}, {1536, 0, 2000, 64}};
    EXPECT_EQ(layout.surfaces, surfaces);
    ASSERT_EQ(layout.patterns.size(), 31u);
    EXPECT_EQ(layout.patterns[8].surface, 1);
    EXPECT_EQ(layout.patterns[8].rect, (TRect{0, 0, 64, 64}));
    EXPECT_EQ(layout.patterns[30].surface, 3);
    EXPECT_EQ(layout.patterns[30].rect, (TRect{384, 0, 448, 64}));
}

TEST(PatternLayout, RowsOfBlocksNumberSurfacesRowByRow) {
    // Cells 300 x 300: blocks of 600 x 600; three block columns of a
    // 1500-wide picture, two block rows of a 900-high one.
    PatternLayout layout = ComputePatternLayout({1500, 900, 300, 300, 0, 0, false});
    ASSERT_EQ(layout.surfaces.size(), 6u);
    EXPECT_EQ(layout.surfaces[4], (TRect{600, 600, 1200, 900}));
    ASSERT_EQ(layout.patterns.size(), 15u);  // 5 columns x 3 rows
    // Row 2, column 3: picture (900, 600) is surface 1 + 3 x 1 at (300, 0).
    EXPECT_EQ(layout.patterns[13].surface, 4);
    EXPECT_EQ(layout.patterns[13].rect, (TRect{300, 0, 600, 300}));
}

TEST(PatternLayout, SystemMemoryGridIsRowByRowOnOneSurface) {
    PatternLayout layout = ComputePatternLayout({100, 45, 30, 20, 2, 3, true});
    EXPECT_EQ(layout.surfaces, (std::vector<TRect>{{0, 0, 100, 45}}));
    // cw 32: (100 + 2) div 32 = 3 columns; ch 23: (45 + 3) div 23 = 2 rows.
    std::vector<TRect> expected = {{0, 0, 30, 20},   {32, 0, 62, 20},   {64, 0, 94, 20},
                                   {0, 23, 30, 43},  {32, 23, 62, 43},  {64, 23, 94, 43}};
    std::vector<TRect> rects;
    for (const PatternEntry& p : layout.patterns) rects.push_back(p.rect);
    EXPECT_EQ(rects, expected);
}

}  // namespace
}  // namespace ik
