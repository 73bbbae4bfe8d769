// The hub: four episode buttons (2 to 4 greyed until their record opens them),
// the quit button, a rules button beside each episode and the credits button,
// the status line, the dotted rows and our own pointer picture.
#include <string>

#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "screens/MenuParts.h"

namespace ik {

namespace {

// Episode 1, its rules, the quit button and the credits are always there.
bool available(const TForm1& form, int n) { return n == 1 || n == 5 || form.unlocked[n]; }

bool inside(const TRect& rect, Point p) { return rect.Contains(p.x, p.y); }

struct MenuTitle {
    const char* text;
    int x;
    int y;
    int size;
    int episode;  // 0: never greyed
};

constexpr MenuTitle kTitles[] = {
    {translatable("Série I."), 530, 133, 18, 0},         {translatable("Série II."), 530, 188, 18, 2},
    {translatable("Série III."), 530, 243, 18, 3},       {translatable("Série IV."), 530, 298, 18, 4},
    {translatable("Ukončit hru"), 540, 412, 18, 0},      {translatable("Kuchařské zkoušky"), 530, 157, 12, 0},
    {translatable("Den s Vorlagem"), 530, 212, 12, 2},   {translatable("L´Armée du Nord"), 530, 267, 12, 3},
    {translatable("Transmogrifikace"), 530, 322, 12, 4},
};

void drawTitles(const TForm1& form, TDirectDrawSurfaceCanvas& canvas) {
    canvas.Font.Name = "Times New Roman";
    canvas.Font.Style = fsBold;
    for (const MenuTitle& title : kTitles) {
        canvas.Font.Size = title.size;
        canvas.Font.Color = title.episode == 0 || form.unlocked[title.episode] ? clBlack : clGray;
        canvas.TextOut(title.x, title.y, form.translator.tr(title.text));
    }
}

// The small "i" and "c" buttons, and the hint of what opens a locked episode.
void drawInfoButtons(const TForm1& form, TDirectDrawSurfaceCanvas& canvas, Point pointer) {
    canvas.Font.Name = "Times New Roman";
    canvas.Font.Style = fsBold;
    for (int n = 1; n <= 5; ++n) {
        const TRect& button = form.info_buttons[n];
        canvas.Font.Size = 24;
        canvas.Font.Color = inside(button, pointer) ? clBlack : clWhite;
        if (!available(form, n)) canvas.Font.Color = clGray;
        if (n <= 4) canvas.TextOut(button.Left + 15, button.Top + 7, "i");
        else
            canvas.TextOut(button.Left + 13, button.Top + 5, "c");
        if (n == 1 || n == 5) continue;
        canvas.Font.Size = 12;
        canvas.Font.Color = clWhite;
        if ((inside(button, pointer) || inside(form.menu_buttons[n], pointer)) && !form.unlocked[n]) {
            canvas.TextOut(450, 360,
                           form.translator.trf("K odemčení nahrajte %d bodů ve hře ze Série %d",
                                               {std::to_string(form.unlock_score[n]), std::to_string(n - 1)}));
        }
    }
}

void startEpisode(TForm1& form, int n) {
    form.guarded([&] {
        switch (n) {
            case 1:
                form.episode1_init();
                break;
            case 2:
                form.episode2_init();
                break;
            case 3:
                form.episode3_init();
                break;
            case 4:
                form.episode4_init();
                break;
        }
    });
    // A series file that fails to load (or lacks a picture the start draws)
    // would leave the loading text on a screen that nothing draws and no key
    // leaves: go back as if the episode had been left. Nothing was played, so
    // no record is written.
    if (form.screen == Screen::none && !form.closed()) form.return_to_menu();
}

}  // namespace

void TForm1::mainmenu() {
    playmusic(62.83, 75);
    TDirectDrawSurface& back = DXDraw1->Surface();
    const Point pointer = platform.pointer();
    DXImageList1->Items.Find("main_menu").DrawPattern(back, 0, 0, 0);
    TPictureCollectionItem& button = DXImageList1->Items.Find("button");
    for (int n = 1; n <= 5; ++n) {
        const bool lit = inside(menu_buttons[n], pointer) && available(*this, n);
        button.DrawPattern(back, menu_buttons[n].Left, menu_buttons[n].Top, lit ? 1 : 0);
    }
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    drawStatusLine(canvas, translator, volume, easy_mode);
    drawTitles(*this, canvas);
    drawInfoButtons(*this, canvas, pointer);
    canvas.Release();
    drawDottedRows(*this);
    DXImageList1->Items.Find("arrow_menu").DrawPattern(back, pointer.x, pointer.y, 0);
}

void TForm1::DXDraw1Click() {
    if (screen != Screen::mainmenu) return;
    // Every test reads the pointer afresh and runs even after an earlier one
    // acted: an episode's start-up moves the pointer away from all buttons.
    auto pointed = [this](const TRect& rect) { return inside(rect, platform.pointer()); };
    for (int n = 1; n <= 4; ++n)
        if (pointed(menu_buttons[n]) && available(*this, n)) startEpisode(*this, n);
    if (pointed(menu_buttons[5])) Close();
    for (int n = 1; n <= 5; ++n)
        if (pointed(info_buttons[n]) && available(*this, n)) open_info(infoScreen(n));
}

void TForm1::open_info(Screen page) {
    menu_backdrop = std::make_unique<TDirectDrawSurface>();
    LoadFromGraphic(*menu_backdrop, DXImageList1->Items.Find("main_menu").Picture());
    lives = 1;
    screen = page;
}

}  // namespace ik
