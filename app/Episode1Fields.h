// Fields of episode 1 ("Kuchařské zkoušky"), inherited by TForm1 so that they
// keep their plain names. Arrays are indexed 1..10 by the item's column.
#pragma once

#include <cstdint>

#include "app/Episode1Bonus.h"
#include "display/Rect.h"

namespace ik {

struct Episode1Fields {
    double item_y[11] = {};
    double item_speed[11] = {};
    bool item_needed[11] = {};
    int32_t item_pattern[11] = {};
    TRect item_rect[11] = {};
    TRect tray_rect{361, 561, 439, 585};
    int32_t penalty_points = 0;
    Bonus bonus = Bonus::none;
    int32_t bonus_left = -1;
    int32_t penalty_left = -1;
    bool penalty_active = false;
    bool penalty_latched = false;
    bool lives_granted = false;
    bool cursor_placed = false;
    bool bonus_sound_played = false;
    int32_t speed_base = 20;
    int32_t speed_range = 25;
};

// Left edge of item column i (1..10): 15, 95, ..., 735.
constexpr int32_t item_left(int i) { return 15 + 80 * (i - 1); }

}  // namespace ik
