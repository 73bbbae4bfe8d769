// Episode 3 parks the pointer at the window's edge and every episode aims
// with it: while an episode is being played the pointer is kept inside the
// window, so that a nudge does not send the aim and the clicks to the desktop.
#pragma once

#include <cstdint>

#include "app/Screen.h"

namespace ik {

struct PointerSituation {
    Screen screen = Screen::unset;
    int32_t lives = 0;
    bool paused = false;
    bool active = true;             // the window has the focus
    bool releasedByPlayer = false;  // Ctrl+G since the game last started or resumed
};

// Only an episode in play, not paused, not on its game-over panel, with the
// focus and not set free by the player.
bool shouldConfinePointer(const PointerSituation& situation);

}  // namespace ik
