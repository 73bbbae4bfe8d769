#include "tests/support/Pixels.h"

namespace ik::test {

int countColour(const Frame& frame, int left, int top, int right, int bottom, TColor colour) {
    int found = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (frame.at(x, y) == toRgb565(colour)) ++found;
    return found;
}

}  // namespace ik::test
