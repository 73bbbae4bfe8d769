// Looking at a frame the game drew.
#pragma once

#include "display/Color.h"
#include "tests/support/PngFiles.h"

namespace ik::test {

// Pixels of exactly that colour inside the rectangle (right and bottom
// excluded).
int countColour(const Frame& frame, int left, int top, int right, int bottom, TColor colour);

}  // namespace ik::test
