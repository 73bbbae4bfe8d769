#include "app/PointerConfinement.h"

namespace ik {

bool shouldConfinePointer(const PointerSituation& s) {
    return isGameScreen(s.screen) && s.lives > 0 && !s.paused && s.active && !s.releasedByPlayer;
}

}  // namespace ik
