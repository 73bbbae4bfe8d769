// Episode 2, "Den s Vorlagem": push one crew member at a time up to the white
// line while the others rest and slide back. The layout draws before the push,
// so the picture shows the meters left by the previous frame and the resting
// ticks since.
#include <algorithm>
#include <string>

#include "app/DXInput.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "display/Surface.h"

namespace ik {

Episode2Fields::Episode2Fields() = default;
Episode2Fields::~Episode2Fields() = default;

namespace {

struct Character {
    int32_t Episode2Fields::*meter;
    TDXInputState key;
    int32_t rest;  // pixels lost per resting tick
    const char* shout;
    int32_t column;
    int32_t strip;  // x of the character's strip in the column picture
};

const Character kCrew[3] = {
    {&Episode2Fields::meter1, TDXInputState::Button1, 1, translatable("Dornere!"), 410, 0},
    {&Episode2Fields::meter2, TDXInputState::Button2, 3, translatable("Paviane!"), 560, 30},
    {&Episode2Fields::meter3, TDXInputState::Button3, 2, translatable("Kaplane!"), 710, 60},
};

constexpr int32_t kWorkLine = 90;
constexpr int32_t kMeterTop = 520;
constexpr int32_t kLevelDone = 500;
constexpr int32_t kGameSeconds = 300;

}  // namespace

void TForm1::episode2_init() {
    if (!begin_episode(2)) {
        return;
    }
    playmusic(18.2, 42.5);
    meter1 = meter2 = meter3 = 0;
    gameover_played = false;
    score = 0;
    level = 1;
    lives = 1;
    grey_line = 100;
    all_past_grey = false;
    seconds = 0;
    total_seconds = 0;
    Timer2->setInterval(300);
    platform.warpPointer({0, 0});
    if (!ep2_meter_surface) {
        ep2_meter_surface = std::make_unique<TDirectDrawSurface>();
    }
    ep2_meter_loaded = false;
    countdown([this] {
        DXImageList1->Items.Find("back_ep2").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
        episode2_layout();
    });
    Timer1->setEnabled(true);
    Timer2->setEnabled(true);
    screen = Screen::game2;
}

void TForm1::episode2_layout() {
    TDirectDrawSurface& back = DXDraw1->Surface();
    TPictureCollection& pictures = DXImageList1->Items;
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    canvas.Pen.Color = clWhite;
    canvas.MoveTo(0, kWorkLine);
    canvas.LineTo(800, kWorkLine);
    canvas.Pen.Color = clGray;
    canvas.MoveTo(0, 590 - grey_line);
    canvas.LineTo(800, 590 - grey_line);
    canvas.Release();

    // The three bars are strips of one picture. Nothing else draws on its
    // surface and the series' pictures stay as they are until the next start
    // of the episode loads them again, so copying it in once per start gives
    // each strip the same pixels as a copy per bar and frame would.
    if (!ep2_meter_loaded) {
        LoadFromGraphic(*ep2_meter_surface, pictures.Find("sloupec_ep2").Picture());
        ep2_meter_loaded = true;
    }
    for (const Character& character : kCrew) {
        int32_t meter = this->*character.meter;
        TRect strip{character.strip, kMeterTop - meter, character.strip + 29, 530};
        BlitSurface(back, character.column, 590 - meter, strip, 0, *ep2_meter_surface);
    }

    pictures.Find("zahlavi_ep2").DrawPattern(back, 0, 0, 0);
    pictures.Find("vorlag_ep2").DrawPattern(back, 72, 250, 0);
    TPictureCollectionItem& heads = pictures.Find("heads_ep2");
    heads.DrawPattern(back, 400, 540 - meter1, 0);
    heads.DrawPattern(back, 550, 540 - meter2, 1);
    heads.DrawPattern(back, 700, 540 - meter3, 2);

    status_text_font(canvas);
    canvas.TextOut(5, 5, translator.trf("Skóre: %d", {std::to_string(score)}));
    canvas.TextOut(5, 30, translator.trf("Doba:  %s", {format_minutes(seconds)}));
    canvas.TextOut(5, 55, translator.trf("Zbývá: %s", {format_minutes(kGameSeconds - (total_seconds + seconds))}));
    canvas.TextOut(5, 80, translator.trf("Level %d", {std::to_string(level)}));
    canvas.Release();
}

void TForm1::episode2() {
    playmusic(18.2, 42.5);
    DXImageList1->Items.Find("back_ep2").DrawPattern(DXDraw1->Surface(), 0, 0, 0);
    episode2_layout();
    give_up_key();
    for (int k = 0; k < 3; ++k) {
        const Character& character = kCrew[k];
        bool alone = DXInput1->held(character.key) && !DXInput1->held(kCrew[(k + 1) % 3].key) &&
                     !DXInput1->held(kCrew[(k + 2) % 3].key);
        int32_t& meter = this->*character.meter;
        if (alone && meter < kMeterTop) {
            meter += 2;
            // The shout keeps the font the layout left, in black.
            TDirectDrawSurfaceCanvas& canvas = DXDraw1->Surface().Canvas();
            canvas.Font.Color = clBlack;
            canvas.TextOut(180, 269, translator.tr(character.shout));
            canvas.Release();
        }
    }
    for (const Character& character : kCrew) {
        int32_t& meter = this->*character.meter;
        meter = std::clamp(meter, 0, kMeterTop);
    }
    bool allPast = grey_line < meter1 && grey_line < meter2 && grey_line < meter3;
    // QUIRK: the sound plays once a level; a meter that sinks below the line
    // again (but not to 0) does not take the guard away.
    if (allPast && !all_past_grey) {
        DXWaveList1->Items.Find("reached_ep2").PlayWave(false);
    }
    if (allPast) {
        all_past_grey = true;
    }
    if (meter1 >= kLevelDone && meter2 >= kLevelDone && meter3 >= kLevelDone) {
        episode2_levelup();
    }
    bool anyDown = meter1 <= 0 || meter2 <= 0 || meter3 <= 0;
    if ((all_past_grey && anyDown) || kGameSeconds - (total_seconds + seconds) <= 0) {
        lives = 0;
    }
    if (lives < 1) {
        total_seconds += seconds;
        draw_summary();
    }
}

void TForm1::episode2_levelup() {
    meter1 = meter2 = meter3 = 0;
    score += (level + 1) * 100 - 10 * seconds;
    if (score < 0) {
        score = 0;
    }
    ++level;
    all_past_grey = false;
    total_seconds += seconds;
    Timer1->setEnabled(false);
    seconds = 0;
    Timer1->setEnabled(true);
    if (level < 10) {
        uint32_t interval = Timer2->interval();
        if (interval >= 100) {
            Timer2->setInterval(interval - 50);
        } else if (interval >= 10) {
            Timer2->setInterval(interval - 5);
        }
    } else if (grey_line >= 20) {
        grey_line -= 10;
    }
    DXWaveList1->Items.Find("levelup_ep2").PlayWave(false);
}

void TForm1::episode2_rest() {
    for (const Character& character : kCrew) {
        int32_t& meter = this->*character.meter;
        if (!DXInput1->held(character.key) && meter > 0) {
            meter -= character.rest;
        }
    }
}

}  // namespace ik
