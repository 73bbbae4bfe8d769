// Episode 1, "Kuchařské zkoušky": catch the needed ingredients with the tray,
// avoid the unneeded ones. The order of the steps is the behaviour: the catch
// test uses the rectangles of the previous frame and the tray as refreshed by
// the previous item.
#include <string>

#include "app/DXInput.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"

namespace ik {

namespace {
constexpr int kTrayRowTop = 561;     // display height - 39
constexpr int kTrayRowBottom = 585;  // display height - 15
constexpr double kFallOut = 600.0;
}  // namespace

void TForm1::episode1_init() {
    if (!begin_episode(1)) {
        return;
    }
    playmusic(76.2, 99.5);
    speed_range = 25;
    speed_base = 20;
    for (int i = 1; i <= 10; ++i) {
        item_speed[i] = (Random(25) + 20) / 10.0;
        item_y[i] = -50.0;
        item_needed[i] = Random(2) == 0;
        item_pattern[i] = Random(3);
    }
    gameover_played = false;
    score = 0;
    lives = 20;
    penalty_points = 0;
    bonus_left = -1;
    penalty_left = -1;
    bonus = Bonus::none;
    penalty_active = false;
    penalty_latched = false;
    lives_granted = false;
    cursor_placed = false;
    bonus_sound_played = false;
    for (int i = 1; i <= 10; ++i) {
        item_rect[i] = {item_left(i), -50, item_left(i) + 50, 0};
    }
    platform.warpPointer({400, 550});
    tray_rect = {361, kTrayRowTop, 439, kTrayRowBottom};
    countdown([this] {
        DXImageList1->Items.Find("back_ep1").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
        episode1_layout();
    });
    seconds = 0;
    Timer1->setEnabled(true);
    total_seconds = 0;
    screen = Screen::game1;
}

void TForm1::episode1_layout() {
    TDirectDrawSurface& back = DXDraw1->Surface();
    TPictureCollection& pictures = DXImageList1->Items;
    pictures.Find("zahlavi_ep1").DrawPattern(back, 0, 0, 0);
    pictures.Find("good_ori_ep1").DrawPattern(back, 250, 15, 0);
    pictures.Find("bad_ori_ep1").DrawPattern(back, 645, 15, 0);
    pictures.Find("signals_ep1").DrawPattern(back, 450, 15, bonus == Bonus::none ? 0 : 1);
    pictures.Find("signals_ep1").DrawPattern(back, 550, 15, penalty_active ? 3 : 2);

    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    status_text_font(canvas);
    canvas.TextOut(5, 5, translator.trf("Životy:  %d", {std::to_string(lives)}));
    canvas.TextOut(5, 30, translator.trf("Sebráno: %d", {std::to_string(score)}));
    canvas.TextOut(5, 55, translator.trf("Trestné: %d", {std::to_string(penalty_points)}));
    canvas.TextOut(5, 80, translator.trf("Level %d", {std::to_string(speed_base - 19)}));
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 7;
    canvas.TextOut(268, 1, translator.tr("POTŘEBNÉ SUROVINY:"));
    canvas.TextOut(658, 1, translator.tr("NEPOTŘEBNÉ SUROVINY:"));
    canvas.TextOut(457, 1, translator.tr("BONUS"));
    canvas.TextOut(560, 1, translator.tr("TREST"));
    canvas.Pen.Color = RGB(237, 194, 167);
    canvas.MoveTo(0, kTrayRowBottom);
    canvas.LineTo(800, kTrayRowBottom);
    canvas.Release();

    int trayPattern = (bonus != Bonus::none ? 1 : 0) + (penalty_active ? 2 : 0);
    pictures.Find("hrnec_ep1").DrawPattern(back, tray_rect.Left, tray_rect.Top, trayPattern);
}

void TForm1::episode1_bonus_triggers() {
    TWaveCollection& sounds = DXWaveList1->Items;
    int32_t m = score % 100;
    auto playBonusSound = [&] {
        if (!bonus_sound_played) {
            sounds.Find("bonus_ep1").PlayWave(false);
        }
        bonus_sound_played = true;
    };
    // QUIRK: every frame on a trigger value starts the bonus's ten catches
    // again, so they count only once the score has left that value.
    if (m == 50) {
        bonus = Bonus::movement;
        bonus_left = 10;
        if (!cursor_placed) {
            platform.warpPointer({platform.pointer().x, 573});
            cursor_placed = true;
        }
        playBonusSound();
    }
    if (m == 51) {
        cursor_placed = false;
        bonus_sound_played = false;
    }
    if (m == 75) {
        bonus = Bonus::slow;
        bonus_left = 10;
        playBonusSound();
    }
    if (m == 76) {
        bonus_sound_played = false;
    }
    if (m == 0 && score > 0) {
        bonus = Bonus::green;
        bonus_left = 10;
        if (!lives_granted) {
            lives += 10;
            lives_granted = true;
        }
        playBonusSound();
    } else {
        lives_granted = false;
        if (m == 1) {
            bonus_sound_played = false;
        }
    }
}

double TForm1::episode1_fall_factor() const {
    bool slow = bonus == Bonus::slow;
    if (penalty_active && slow) return 1.0;
    if (penalty_active) return 2.0;
    if (slow) return 0.5;
    return 1.0;
}

void TForm1::episode1_item(int i) {
    TWaveCollection& sounds = DXWaveList1->Items;
    // QUIRK: the item is where the previous frame left it, and the tray as the
    // previous item (or frame) last placed it.
    if (overlap(tray_rect, item_rect[i])) {
        if (bonus_left >= 0) --bonus_left;
        if (penalty_left >= 0) --penalty_left;
        if (item_needed[i]) {
            ++score;
            sounds.Find("green_ep1").PlayWave(false);
        } else {
            --lives;
            ++penalty_points;
            sounds.Find("red_ep1").PlayWave(false);
        }
        item_y[i] = -100.0;
    }
    if (item_y[i] > kFallOut || item_y[i] < -50.0) {
        if (item_needed[i] && item_y[i] > kFallOut) {
            --lives;
        }
        item_speed[i] = (Random(speed_range) + speed_base) / 10.0;
        item_y[i] = -50.0;
        item_needed[i] = bonus == Bonus::green ? true : Random(2) == 0;
        item_pattern[i] = Random(3);
    }
    item_y[i] += item_speed[i] * episode1_fall_factor();
    int32_t top = Round(item_y[i]);
    item_rect[i] = {item_left(i), top, item_left(i) + 50, top + 50};

    Point cursor = platform.pointer();
    tray_rect.Left = cursor.x - 39;
    tray_rect.Right = cursor.x + 39;
    if (bonus == Bonus::movement) {
        tray_rect.Top = cursor.y - 12;
        tray_rect.Bottom = cursor.y + 12;
    } else {
        tray_rect.Top = kTrayRowTop;
        tray_rect.Bottom = kTrayRowBottom;
    }
    DXImageList1->Items.Find(item_needed[i] ? "good_ep1" : "bad_ep1")
        .DrawPattern(DXDraw1->Surface(), item_left(i), item_rect[i].Top, item_pattern[i]);
}

void TForm1::episode1() {
    TWaveCollection& sounds = DXWaveList1->Items;
    playmusic(76.2, 99.5);
    give_up_key();
    DXImageList1->Items.Find("back_ep1").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
    speed_range = score / 100 + 25;
    speed_base = score / 100 + 20;

    if (penalty_points != 0 && penalty_points % 10 == 0 && !penalty_latched) {
        penalty_active = true;
        penalty_left = 5;
        sounds.Find("trest_ep1").PlayWave(false);
        penalty_latched = true;
    }
    if (penalty_points % 10 != 0) {
        penalty_latched = false;
    }
    episode1_bonus_triggers();

    if (bonus_left <= 0) bonus = Bonus::none;
    if (penalty_left <= 0) penalty_active = false;
    if (bonus_left == 0) {
        sounds.Find("bonus_end_ep1").PlayWave(false);
        bonus_left = -1;
    }
    if (penalty_left == 0) {
        sounds.Find("trest_end_ep1").PlayWave(false);
        penalty_left = -1;
    }

    for (int i = 1; i <= 10; ++i) {
        episode1_item(i);
    }
    episode1_layout();
    if (lives < 1) {
        total_seconds = seconds;
        draw_summary();
    }
}

}  // namespace ik
