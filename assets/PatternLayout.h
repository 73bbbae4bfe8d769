// Where the patterns of a picture lie: the surfaces its pixels are split
// into and, per pattern, the surface and the rectangle on it.
#pragma once

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

struct PatternLayout {
    std::vector<TRect> surfaces;  // areas of the picture, in surface order
    std::vector<PatternEntry> patterns;
};

// A whole-picture pattern gets one surface. System-memory pictures get one
// surface and a row-by-row grid of whole cells. Video-memory pictures are cut
// into blocks of whole cells about 512 pixels across, so that no pattern
// straddles two surfaces.
PatternLayout ComputePatternLayout(const PatternGrid& grid);

}  // namespace ik
