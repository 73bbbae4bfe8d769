#include "app/Random.h"

#include <cmath>

namespace ik {

int32_t Round(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; rint semantics are exactly what we want.
    return static_cast<int32_t>(std::nearbyint(value));
}

}  // namespace ik
