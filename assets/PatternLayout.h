// Where the patterns of a picture lie: the surfaces its pixels are split
// into and, per pattern, the surface and the rectangle on it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "display/Rect.h"

namespace ik {

struct PatternGrid {
    int pictureWidth = 0;
    int pictureHeight = 0;
    int patternWidth = 0;  // as loaded: 0 or less means the picture's width
    int patternHeight = 0;
    int skipWidth = 0;
    int skipHeight = 0;
    bool systemMemory = false;

    int EffectivePatternWidth() const { return patternWidth > 0 ? patternWidth : pictureWidth; }
    int EffectivePatternHeight() const { return patternHeight > 0 ? patternHeight : pictureHeight; }
};

struct PatternEntry {
    TRect rect;       // on its surface
    int surface = 0;  // index into PatternLayout::surfaces
};

// The surfaces are listed; a pattern is worked out when it is asked for. A
// grid of 1x1 cells has as many patterns as the picture has pixels, far more
// than any picture is ever drawn with.
class PatternLayout {
public:
    std::vector<TRect> surfaces;  // areas of the picture, in surface order

    int PatternCount() const { return static_cast<int>(rows_ * columns_); }
    // Pattern i, numbered row by row; none outside 0..PatternCount()-1.
    std::optional<PatternEntry> Pattern(int index) const;

private:
    friend PatternLayout computePatternLayout(const PatternGrid& grid);
    int patternWidth_ = 0;
    int patternHeight_ = 0;
    int64_t cellWidth_ = 1;  // pattern plus gap
    int64_t cellHeight_ = 1;
    int64_t columns_ = 0;
    int64_t rows_ = 0;
    // Block size of a picture cut into several surfaces; 0 when one surface
    // holds the whole picture.
    int64_t blockWidth_ = 0;
    int64_t blockHeight_ = 0;
    int64_t blockColumns_ = 1;
};

// A whole-picture pattern gets one surface. System-memory pictures get one
// surface and a row-by-row grid of whole cells. Video-memory pictures are cut
// into blocks of whole cells about 512 pixels across, so that no pattern
// straddles two surfaces.
PatternLayout computePatternLayout(const PatternGrid& grid);

}  // namespace ik
