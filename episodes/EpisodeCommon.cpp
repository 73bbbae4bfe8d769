// What the four episodes share: the loading message, the series file load,
// the blocking 3-2-1 count-down and the game-over panel.
#include <cstdio>
#include <string>

#include "app/DXInput.h"
#include "app/Files.h"
#include "app/Form.h"
#include "app/ScoreStore.h"
#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"

namespace ik {

std::string format_minutes(int32_t total) {
    int32_t minutes = total / 60;
    int32_t rest = total % 60;
    return std::to_string(minutes) + (rest >= 10 ? ":" : ":0") + std::to_string(rest);
}

void TForm1::show_loading_message() {
    TDirectDrawSurface& back = DXDraw1->Surface();
    FillSurface(back, 0);
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 12;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = clWhite;
    // QUIRK: the brush is left as the last screen set it; after episode 4 it
    // is the solid colour of its time bar, behind the text.
    canvas.TextOut(10, 10, translator.tr("Nahrávám..."));
    canvas.Release();
    DXDraw1->Flip();
}

bool TForm1::begin_episode(int episode) {
    screen = Screen::none;
    show_loading_message();
    return load_series(episode);
}

void status_text_font(TDirectDrawSurfaceCanvas& canvas) {
    canvas.Font.Name = "Courier New";
    canvas.Font.Style = fsBold;
    canvas.Font.Size = 13;
    canvas.Font.Color = clWhite;
    canvas.Brush.Style = bsClear;
}

bool TForm1::load_series(int episode) {
    const std::string name = "series" + std::to_string(episode) + ".dat";
    const std::string file = findDataFile(name);
    if (file.empty()) {
        std::fprintf(stderr, "%s\n", missingDataReport({name}).c_str());
        platform.messageBox(
            kApplicationTitle,
            translator.trf("Nepodařilo se načíst datový soubor. Zkontrolujte přítomnost souboru SERIES%d.DAT",
                           {std::to_string(episode)}),
            MessageBoxKind::Plain);
        Close();
        return false;
    }
    load_pictures(name, file);
    return true;
}

void TForm1::countdown(const std::function<void()>& drawBackground) {
    TDirectDrawSurface& back = DXDraw1->Surface();
    for (int n = 3; n >= 1; --n) {
        drawBackground();
        TDirectDrawSurfaceCanvas& canvas = back.Canvas();
        canvas.Font.Name = "Arial";
        canvas.Font.Style = fsBold;
        canvas.Font.Size = 30;
        canvas.Font.Color = clWhite;
        canvas.Brush.Style = bsClear;
        canvas.TextOut(380, 290, std::to_string(n));
        canvas.Release();
        DXDraw1->Flip();
        platform.sleep(1000);
    }
}

void TForm1::give_up_key() {
    DXInput1->Update();
    if (DXInput1->held(TDXInputState::Button32) && lives > 0) {
        lives = 0;
    }
}

void TForm1::draw_summary() {
    read_record(std::string(screenName(screen)));
    if (!gameover_played) {
        DXWaveList1->Items.Find("gameover").PlayWave(false);
        gameover_played = true;
    }
    TDirectDrawSurface& back = DXDraw1->Surface();
    picture("info").DrawPattern(back, 100, 100, 0);
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    canvas.Font.Name = "Courier New";
    canvas.Font.Style = fsBold;
    canvas.Font.Size = 22;
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = bsClear;
    canvas.TextOut(190, 290, translator.trf("Dosažené skóre.....%d", {std::to_string(score)}));
    // QUIRK: the line for a record that does not check out runs past the
    // panel and off the screen's right edge.
    canvas.TextOut(190, 320,
                   stored_verify == verify_value(stored_score)
                       ? translator.trf("Dosavadní rekord...%d", {std::to_string(stored_score)})
                       : std::string(translator.tr("Dosavadní rekord...Neplatná hodnota rekordu")));
    canvas.TextOut(190, 350, translator.trf("Doba hraní.........%s", {format_minutes(total_seconds)}));
    canvas.Font.Color = clWhite;
    canvas.Font.Size = 10;
    canvas.TextOut(300, 450, translator.tr("Pokračujte stiskem enteru"));
    canvas.Release();
}

}  // namespace ik
