// Where the main menu's buttons lie: for n = 1..4 an episode's button and the
// "i" of its rules beside it, for n = 5 the quit button and the credits' "c".
#pragma once

#include "display/Rect.h"

namespace ik {

constexpr TRect menuButton(int n) {
    const int top = n == 5 ? 400 : 130 + 55 * (n - 1);
    return {520, top, 676, top + 50};
}

constexpr TRect infoButton(int n) {
    const TRect button = menuButton(n);
    return {677, button.Top, 720, button.Bottom};
}

}  // namespace ik
