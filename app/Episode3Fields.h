// Fields of episode 3 ("L´Armée du Nord"), inherited by TForm1 so that they
// keep their plain names.
#pragma once

#include <cstdint>

#include "display/Rect.h"

namespace ik {

struct Episode3Fields {
    int32_t aim_y = 0;
    int32_t fire_size = 50;
    int32_t fire_x = 200;
    int32_t fire_y = 200;
    int32_t fire_dx = 5;
    int32_t fire_dy = 5;
    int32_t soldier_x = 801;  // in flight while 0 < soldier_x <= 800
    int32_t soldier_y = 300;
    int32_t soldier_speed = 25;
    TRect fire_rect{0, 0, 0, 0};
    TRect soldier_rect{};
    int32_t fire_frame = 0;
};

}  // namespace ik
