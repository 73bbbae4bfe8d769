// Episode 4, "Transmogrifikace": retype codes of digits against the clock. The
// character handler only records a verdict in key_result; the frame acts on
// it, so only one digit can be accepted per frame.
#include <cmath>
#include <string>

#include "app/DXInput.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"

namespace ik {

namespace {
constexpr TColor kBeige = RGB(238, 224, 196);
constexpr int32_t kBarLeft = 212;
constexpr int32_t kBarTop = 341;
constexpr int32_t kBarBottom = 359;
constexpr double kBarLength = 373.0;
constexpr int32_t kLongCodeLevel = 24;  // from the code after this one, 12 digits in 3 s
}  // namespace

char TForm1::random_digit() { return static_cast<char>('0' + Random(10)); }

void TForm1::episode4_init() {
    playmusic(0, 17.1);
    if (!begin_episode(4)) {
        return;
    }
    gameover_played = false;
    score = 0;
    level = 1;
    lives = 10;
    time_limit = 5;
    key_result = kKeyNothing;
    code_pos = 1;
    form_index = Random(3);
    code_text = std::string(1, random_digit());
    typed_text.clear();
    seconds = 0;
    total_seconds = 0;
    platform.warpPointer({0, 0});
    countdown([this] {
        FillSurface(DXDraw1->Surface(), 0);
        picture("back_ep4").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
        episode4_layout();
    });
    Timer1->setEnabled(true);
    screen = Screen::game4;
}

void TForm1::episode4_layout() {
    TDirectDrawSurface& back = DXDraw1->Surface();
    DXImageList1->Items.Find("zahlavi_ep4").DrawPattern(back, 0, 0, 0);
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    status_text_font(canvas);
    canvas.TextOut(5, 5, translator.trf("Životy: %d", {std::to_string(lives)}));
    canvas.TextOut(5, 30, translator.trf("Skóre:  %d", {std::to_string(score)}));
    canvas.TextOut(5, 55, translator.trf("Zbývá:  %d", {std::to_string(time_limit - seconds)}));
    canvas.TextOut(5, 80, translator.trf("Kód č.%d", {std::to_string(level)}));
    canvas.Font.Size = 30;
    canvas.Font.Color = kBeige;
    canvas.TextOut(254, 277, code_text);
    canvas.Font.Color = clYellow;
    canvas.TextOut(254, 277, typed_text);
    // The brush stays solid in the bar colour afterwards: the leave path's
    // loading message is then drawn on a box of that colour.
    canvas.Pen.Color = kBeige;
    canvas.Brush.Color = kBeige;
    canvas.Brush.Style = bsSolid;
    int32_t width = Round(kBarLength / time_limit * (time_limit - seconds));
    canvas.Rectangle(kBarLeft, kBarTop, kBarLeft + width, kBarBottom);
    canvas.Release();
    DXImageList1->Items.Find("forms_ep4").DrawPattern(back, 325, 400, form_index);
}

void TForm1::episode4_lose_life() {
    total_seconds += seconds;
    Timer1->setEnabled(false);
    --lives;
    code_pos = 1;
    typed_text.clear();
    DXWaveList1->Items.Find("miss_ep4").PlayWave(false);
    seconds = 0;
    Timer1->setEnabled(true);
}

void TForm1::episode4_keypress(char32_t key) {
    DXWaveList1->Items.Find("key_ep4").PlayWave(false);
    const bool onCode = code_pos >= 1 && static_cast<size_t>(code_pos) <= code_text.size();
    if (onCode && key == static_cast<unsigned char>(code_text[static_cast<size_t>(code_pos) - 1])) {
        key_result = kKeyRight;
    } else if (key >= U'0' && key <= U'9') {
        key_result = kKeyWrong;
    }
}

void TForm1::episode4() {
    playmusic(0, 17.1);
    picture("back_ep4").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
    episode4_layout();
    give_up_key();
    if (key_result == kKeyRight) {
        episode4_levelup();
    } else if (key_result == kKeyWrong) {
        key_result = kKeyNothing;
        episode4_lose_life();
    }
    if (seconds >= time_limit) {
        episode4_lose_life();
    }
    if (lives <= 0) {
        total_seconds += seconds;
        draw_summary();
    }
}

void TForm1::episode4_levelup() {
    typed_text += code_text[static_cast<size_t>(code_pos - 1)];
    ++code_pos;
    if (code_pos > static_cast<int32_t>(code_text.size())) {
        total_seconds += seconds;
        Timer1->setEnabled(false);
        form_index = Random(3);
        code_pos = 1;
        code_text.clear();
        int32_t completed = level;
        if (completed >= kLongCodeLevel) {
            // QUIRK: the limit falls with each digit of the first long code,
            // from 5 to 3 seconds at once.
            for (int digit = 0; digit < 12; ++digit) {
                code_text += random_digit();
                if (time_limit > 3) {
                    --time_limit;
                }
            }
        } else {
            for (int digit = 0; digit < completed / 2 + 1; ++digit) {
                code_text += random_digit();
            }
        }
        score += (completed * 1000) / (seconds + 1);
        level = completed + 1;
        typed_text.clear();
        DXWaveList1->Items.Find("newform_ep4").PlayWave(false);
        seconds = 0;
        Timer1->setEnabled(true);
    }
    key_result = kKeyNothing;
}

}  // namespace ik
