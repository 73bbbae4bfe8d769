// Episode 3, "L´Armée du Nord": keep the bouncing fire alive by shooting toy
// soldiers into it. The mouse press that fires arrives through the input
// handler; the fire burns down on Timer2.
#include <algorithm>
#include <string>

#include "app/DXInput.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"

namespace ik {

namespace {
constexpr int32_t kAimTop = 150;
constexpr int32_t kAimBottom = 520;
constexpr int32_t kWallLeft = 151;
constexpr int32_t kWallRight = 768;
constexpr int32_t kWallTop = 101;
constexpr int32_t kWallBottom = 568;
constexpr int32_t kParked = 801;
constexpr int32_t kGameSeconds = 180;
// Beyond level 200 the fire burns faster each level; these floors keep the
// burning timer and the soldier running.
constexpr uint32_t kFastestBurnMs = 100;
constexpr int32_t kSlowestSoldier = 1;
}  // namespace

void TForm1::episode3_init() {
    if (!begin_episode(3)) {
        return;
    }
    playmusic(43.5, 61.7);
    gameover_played = false;
    score = 0;
    lives = 1;
    level = 1;
    fire_x = 200;
    fire_y = 200;
    fire_size = 50;
    fire_dx = 5;
    fire_dy = 5;
    soldier_x = kParked;
    soldier_y = 300;
    soldier_speed = 25;
    fire_rect = {0, 0, 0, 0};
    platform.warpPointer({0, 300});
    aim_y = platform.pointer().y;
    countdown([this] {
        DXImageList1->Items.Find("back_ep3").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
        episode3_layout();
    });
    seconds = 0;
    total_seconds = 0;
    Timer1->setEnabled(true);
    Timer2->setEnabled(true);
    Timer2->setInterval(1000);
    screen = Screen::game3;
}

void TForm1::episode3_layout() {
    fire_frame = Random(10);
    TDirectDrawSurface& back = DXDraw1->Surface();
    TPictureCollection& pictures = DXImageList1->Items;
    pictures.Find("aim_ep3").DrawPattern(back, 100, aim_y - 25, 0);
    pictures.Find("vojak_ep3").DrawPattern(back, soldier_x, soldier_y, 0);
    pictures.Find("ohen_ep3").StretchPattern(back, fire_rect, fire_frame);
    pictures.Find("zahlavi_ep3").DrawPattern(back, 0, 0, 0);

    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    status_text_font(canvas);
    canvas.TextOut(5, 5, translator.trf("Skóre: %d", {std::to_string(score)}));
    canvas.TextOut(5, 30, translator.trf("Zbývá: %s", {format_minutes(kGameSeconds - seconds)}));
    canvas.TextOut(5, 55, translator.trf("Oheň:  %d", {std::to_string(fire_size)}));
    canvas.TextOut(5, 80, translator.trf("Level %d", {std::to_string(level)}));
    canvas.Release();
}

void TForm1::episode3_aim() {
    Point cursor = platform.pointer();
    if (cursor.y > kAimTop && cursor.y < kAimBottom) {
        aim_y = cursor.y;
    } else if (cursor.y <= kAimTop) {
        aim_y = kAimTop;
        platform.warpPointer({cursor.x, kAimTop});
    } else {
        aim_y = kAimBottom;
        platform.warpPointer({cursor.x, kAimBottom});
    }
}

void TForm1::episode3_shoot() {
    DXWaveList1->Items.Find("shot_ep3").PlayWave(false);
    soldier_y = aim_y - 25;
    soldier_x = 1;
}

void TForm1::episode3_bounce() {
    if (fire_rect.Left <= kWallLeft) {
        fire_dx = -fire_dx;
        fire_x = kWallLeft;
    }
    if (fire_rect.Right > kWallRight) {
        fire_dx = -fire_dx;
        fire_x = kWallRight + 1 - fire_size;
    }
    if (fire_rect.Top <= kWallTop) {
        fire_dy = -fire_dy;
        fire_y = kWallTop;
    }
    if (fire_rect.Bottom > kWallBottom) {
        fire_dy = -fire_dy;
        fire_y = kWallBottom + 1 - fire_size;
    }
}

void TForm1::episode3() {
    playmusic(43.5, 61.7);
    DXImageList1->Items.Find("back_ep3").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
    episode3_aim();
    give_up_key();
    episode3_layout();
    fire_x += fire_dx;
    fire_y += fire_dy;
    fire_rect = {fire_x, fire_y, fire_x + fire_size, fire_y + fire_size};
    soldier_rect = {soldier_x, soldier_y, soldier_x + 25, soldier_y + 50};
    // QUIRK: a soldier that misses flies past x = 800 and stays there; only a
    // new press throws the next one. Giving up with R (above) still lets this
    // frame move, hit and score.
    if (soldier_x > 0 && soldier_x <= 800) {
        soldier_x += soldier_speed;
    }
    episode3_bounce();
    if (overlap(fire_rect, soldier_rect)) {
        DXWaveList1->Items.Find("fire_ep3").PlayWave(false);
        soldier_x = kParked;
        score += fire_x;
        if (fire_size <= 100) {
            fire_size += fire_x / 100;
        }
    }
    if (fire_size >= 100) {
        episode3_levelup();
    }
    if (fire_size <= 0 || seconds >= kGameSeconds) {
        lives = 0;
    }
    if (lives <= 0) {
        total_seconds = seconds;
        draw_summary();
    }
}

void TForm1::episode3_levelup() {
    ++level;
    fire_size = 50;
    // QUIRK: the fire burns faster only from level 200 on.
    if (level > 200) {
        uint32_t interval = Timer2->interval();
        Timer2->setInterval(interval >= kFastestBurnMs + 100 ? interval - 100 : kFastestBurnMs);
        soldier_speed = std::max(soldier_speed - 1, kSlowestSoldier);
    } else if (soldier_speed > 1) {
        --soldier_speed;
    }
    DXWaveList1->Items.Find("levelup_ep2").PlayWave(false);
}

void TForm1::episode3_burn() { --fire_size; }

}  // namespace ik
