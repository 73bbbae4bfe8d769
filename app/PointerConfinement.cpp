#include "app/PointerConfinement.h"

namespace ik {

bool ConfinePointer(const PointerSituation& s) {
    return IsGameScreen(s.screen) && s.lives > 0 && !s.paused && s.active && !s.releasedByPlayer;
}

}  // namespace ik
