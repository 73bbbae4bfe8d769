#include "assets/PatternLayout.h"

#include <algorithm>

namespace ik {

namespace {
// The smallest multiple of the cell that reaches 512, but no more than the
// whole cells across the picture.
int64_t blockSize(int64_t cell, int64_t picture, int64_t skip) {
    return std::min(cell * ((cell + 511) / cell), cell * ((picture + skip) / cell));
}

// Whole cells across (or down) the picture; a partial cell at the edge gets
// no pattern.
int64_t wholeCells(int64_t picture, int64_t skip, int64_t cell) {
    return std::max<int64_t>((picture + skip) / cell, 0);
}

TRect rectAt(int64_t left, int64_t top, int w, int h) {
    return Bounds(static_cast<int32_t>(left), static_cast<int32_t>(top), w, h);
}
}  // namespace

std::optional<PatternEntry> PatternLayout::Pattern(int index) const {
    if (index < 0 || index >= PatternCount()) return std::nullopt;
    const int64_t left = cellWidth_ * (index % columns_);
    const int64_t top = cellHeight_ * (index / columns_);
    if (blockWidth_ == 0) return PatternEntry{rectAt(left, top, patternWidth_, patternHeight_), 0};
    const auto surface = static_cast<int>(left / blockWidth_ + blockColumns_ * (top / blockHeight_));
    return PatternEntry{rectAt(left % blockWidth_, top % blockHeight_, patternWidth_, patternHeight_), surface};
}

PatternLayout computePatternLayout(const PatternGrid& grid) {
    PatternLayout layout;
    const int W = grid.pictureWidth;
    const int H = grid.pictureHeight;
    if (W <= 0 || H <= 0) return layout;
    const int w = grid.EffectivePatternWidth();
    const int h = grid.EffectivePatternHeight();
    layout.patternWidth_ = w;
    layout.patternHeight_ = h;
    const TRect whole{0, 0, W, H};

    if (w == W && h == H) {
        layout.surfaces.push_back(whole);
        layout.columns_ = layout.rows_ = 1;
        return layout;
    }
    // Cells of no size (negative gaps) cannot be laid out.
    const int64_t cw = int64_t{w} + grid.skipWidth;
    const int64_t ch = int64_t{h} + grid.skipHeight;
    if (cw <= 0 || ch <= 0) return layout;
    layout.cellWidth_ = cw;
    layout.cellHeight_ = ch;
    const int64_t columns = wholeCells(W, grid.skipWidth, cw);
    const int64_t rows = wholeCells(H, grid.skipHeight, ch);

    if (grid.systemMemory) {
        layout.surfaces.push_back(whole);
        layout.columns_ = columns;
        layout.rows_ = rows;
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
            layout.surfaces.push_back(
                rectAt(bw * i, bh * j, static_cast<int>(width ? width : bw), static_cast<int>(height ? height : bh)));
        }
    }
    layout.columns_ = columns;
    layout.rows_ = rows;
    layout.blockWidth_ = bw;
    layout.blockHeight_ = bh;
    layout.blockColumns_ = blockColumns;
    return layout;
}

}  // namespace ik
