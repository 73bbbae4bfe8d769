#include "app/FocusPause.h"

namespace ik {

bool FocusPause::focusLost(bool gameRunning) {
    if (gameRunning) pausedByFocus_ = true;
    return gameRunning;
}

bool FocusPause::focusGained(bool gamePaused) {
    const bool resume = pausedByFocus_ && gamePaused;
    pausedByFocus_ = false;
    return resume;
}

}  // namespace ik
