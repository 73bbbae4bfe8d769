#include "app/PointerConfinement.h"

namespace ik {

bool ConfinePointer(const PointerSituation& s) {
    const bool episode = s.screen == "game1" || s.screen == "game2" || s.screen == "game3" || s.screen == "game4";
    return episode && s.lives > 0 && !s.paused && s.active && !s.releasedByPlayer;
}

}  // namespace ik
