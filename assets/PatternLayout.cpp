#include "assets/PatternLayout.h"

#include <algorithm>
#include <cstdint>

namespace ik {

namespace {
// The smallest multiple of the cell that reaches 512, but no more than the
// whole cells across the picture.
int64_t blockSize(int64_t cell, int64_t picture, int64_t skip) {
    return std::min(cell * ((cell + 511) / cell), cell * ((picture + skip) / cell));
}

// Row-by-row grid of whole cells; `place` gets each cell's left and top.
template <typename Place>
void forEachCell(const PatternGrid& grid, int64_t cw, int64_t ch, Place place) {
    int64_t rows = (grid.pictureHeight + grid.skipHeight) / ch;
    int64_t columns = (grid.pictureWidth + grid.skipWidth) / cw;
    for (int64_t r = 0; r < rows; ++r) {
        for (int64_t c = 0; c < columns; ++c) place(cw * c, ch * r);
    }
}

TRect rectAt(int64_t left, int64_t top, int w, int h) {
    return Bounds(static_cast<int32_t>(left), static_cast<int32_t>(top), w, h);
}
}  // namespace

PatternLayout ComputePatternLayout(const PatternGrid& grid) {
    PatternLayout layout;
    const int W = grid.pictureWidth;
    const int H = grid.pictureHeight;
    if (W <= 0 || H <= 0) return layout;
    const int w = grid.EffectivePatternWidth();
    const int h = grid.EffectivePatternHeight();
    const TRect whole{0, 0, W, H};

    if (w == W && h == H) {
        layout.surfaces.push_back(whole);
        layout.patterns.push_back({whole, 0});
        return layout;
    }
    // Cells of no size (negative gaps) cannot be laid out.
    const int64_t cw = int64_t{w} + grid.skipWidth;
    const int64_t ch = int64_t{h} + grid.skipHeight;
    if (cw <= 0 || ch <= 0) return layout;

    if (grid.systemMemory) {
        layout.surfaces.push_back(whole);
        forEachCell(grid, cw, ch, [&](int64_t left, int64_t top) {
            layout.patterns.push_back({rectAt(left, top, w, h), 0});
        });
        return layout;
    }

    const int64_t bw = blockSize(cw, W, grid.skipWidth);
    const int64_t bh = blockSize(ch, H, grid.skipHeight);
    if (bw <= 0 || bh <= 0) return layout;
    const int64_t blockColumns = (W + bw - 1) / bw;
    const int64_t blockRows = (H + bh - 1) / bh;
    for (int64_t j = 0; j < blockRows; ++j) {
        for (int64_t i = 0; i < blockColumns; ++i) {
            int64_t width = std::min(bw, std::max<int64_t>(W - bw * i, 0));
            int64_t height = std::min(bh, std::max<int64_t>(H - bh * j, 0));
            layout.surfaces.push_back(rectAt(bw * i, bh * j, static_cast<int>(width ? width : bw),
                                             static_cast<int>(height ? height : bh)));
        }
    }
    forEachCell(grid, cw, ch, [&](int64_t left, int64_t top) {
        int surface = static_cast<int>(left / bw + blockColumns * (top / bh));
        layout.patterns.push_back({rectAt(left % bw, top % bh, w, h), surface});
    });
    return layout;
}

}  // namespace ik
