#include <gtest/gtest.h>

#include "assets/PatternLayout.h"

namespace ik {
namespace {

// Every pattern, in order, and nothing past the last.
std::vector<PatternEntry> patterns(const PatternLayout& layout) {
    std::vector<PatternEntry> out;
    for (int i = 0; i < layout.PatternCount(); ++i) out.push_back(layout.Pattern(i).value());
    EXPECT_FALSE(layout.Pattern(layout.PatternCount()));
    EXPECT_FALSE(layout.Pattern(-1));
    return out;
}

std::vector<int> lefts(const PatternLayout& layout) {
    std::vector<int> out;
    for (const PatternEntry& p : patterns(layout)) out.push_back(p.rect.Left);
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
        PatternLayout layout = computePatternLayout(c.grid);
        std::vector<int> widths;
        for (const TRect& s : layout.surfaces) widths.push_back(s.Width());
        EXPECT_EQ(widths, c.surfaceWidths) << c.what;
        EXPECT_EQ(lefts(layout), c.patternLefts) << c.what;
        for (const PatternEntry& p : patterns(layout)) {
            EXPECT_EQ(p.rect.Width(), c.grid.EffectivePatternWidth()) << c.what;
            EXPECT_EQ(p.rect.Height(), c.grid.EffectivePatternHeight()) << c.what;
        }
    }
}

TEST(PatternLayout, WideSheetInVideoMemoryIsCutIntoBlocks) {
    PatternLayout layout = computePatternLayout({2000, 64, 64, 64, 0, 0, false});
    std::vector<TRect> surfaces = {{0, 0, 512, 64}, {512, 0, 1024, 64}, {1024, 0, 1536, 64}, {1536, 0, 2000, 64}};
    EXPECT_EQ(layout.surfaces, surfaces);
    const std::vector<PatternEntry> all = patterns(layout);
    ASSERT_EQ(all.size(), 31u);
    EXPECT_EQ(all[8].surface, 1);
    EXPECT_EQ(all[8].rect, (TRect{0, 0, 64, 64}));
    EXPECT_EQ(all[30].surface, 3);
    EXPECT_EQ(all[30].rect, (TRect{384, 0, 448, 64}));
}

TEST(PatternLayout, RowsOfBlocksNumberSurfacesRowByRow) {
    // Cells 300 x 300: blocks of 600 x 600; three block columns of a
    // 1500-wide picture, two block rows of a 900-high one.
    PatternLayout layout = computePatternLayout({1500, 900, 300, 300, 0, 0, false});
    ASSERT_EQ(layout.surfaces.size(), 6u);
    EXPECT_EQ(layout.surfaces[4], (TRect{600, 600, 1200, 900}));
    const std::vector<PatternEntry> all = patterns(layout);
    ASSERT_EQ(all.size(), 15u);  // 5 columns x 3 rows
    // Row 2, column 3: picture (900, 600) is surface 1 + 3 x 1 at (300, 0).
    EXPECT_EQ(all[13].surface, 4);
    EXPECT_EQ(all[13].rect, (TRect{300, 0, 600, 300}));
}

TEST(PatternLayout, SystemMemoryGridIsRowByRowOnOneSurface) {
    PatternLayout layout = computePatternLayout({100, 45, 30, 20, 2, 3, true});
    EXPECT_EQ(layout.surfaces, (std::vector<TRect>{{0, 0, 100, 45}}));
    // cw 32: (100 + 2) div 32 = 3 columns; ch 23: (45 + 3) div 23 = 2 rows.
    std::vector<TRect> expected = {{0, 0, 30, 20},  {32, 0, 62, 20},  {64, 0, 94, 20},
                                   {0, 23, 30, 43}, {32, 23, 62, 43}, {64, 23, 94, 43}};
    std::vector<TRect> rects;
    for (const PatternEntry& p : patterns(layout)) rects.push_back(p.rect);
    EXPECT_EQ(rects, expected);
}

// A legal picture of 1x1 patterns has one pattern per pixel; each is found
// where the blocks put it without the layout holding millions of entries.
TEST(PatternLayout, OnePixelPatternsOfALargePictureAreWorkedOutWhenAsked) {
    struct Case {
        const char* what;
        bool systemMemory;
        size_t surfaces;
        PatternEntry last;
    } cases[] = {
        {"video memory: 512 x 512 blocks", false, 64, {{511, 511, 512, 512}, 63}},
        {"system memory: one surface", true, 1, {{4095, 4095, 4096, 4096}, 0}},
    };
    for (const Case& c : cases) {
        PatternLayout layout = computePatternLayout({4096, 4096, 1, 1, 0, 0, c.systemMemory});
        EXPECT_EQ(layout.surfaces.size(), c.surfaces) << c.what;
        ASSERT_EQ(layout.PatternCount(), 4096 * 4096) << c.what;
        const PatternEntry last = layout.Pattern(4096 * 4096 - 1).value();
        EXPECT_EQ(last.rect, c.last.rect) << c.what;
        EXPECT_EQ(last.surface, c.last.surface) << c.what;
        // Row 1000, column 600: x 600 lies in block column 1, y 1000 in block row 1.
        const PatternEntry inner = layout.Pattern(1000 * 4096 + 600).value();
        const TRect innerRect = c.systemMemory ? TRect{600, 1000, 601, 1001} : TRect{88, 488, 89, 489};
        EXPECT_EQ(inner.rect, innerRect) << c.what;
        EXPECT_EQ(inner.surface, c.systemMemory ? 0 : 1 + 8 * 1) << c.what;
        EXPECT_FALSE(layout.Pattern(4096 * 4096)) << c.what;
    }
}

}  // namespace
}  // namespace ik
