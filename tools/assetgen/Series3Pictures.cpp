// "series3.dat": the walled yard where toy soldiers feed a bouncing fire.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/Look.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Pictures.h"

namespace ik::art {

namespace {

// The fire bounces inside left 151, top 101, right 768, bottom 568.
constexpr Box kField{151, 101, 769, 569};

Picture yard() {
    Image img(800, 600);
    // Stone walls all round, a plank floor inside.
    fillAll(img, [](float x, float y) {
        int row = static_cast<int>(y) / 16;
        float shift = (row % 2) * 16.0f;
        int col = static_cast<int>((x + shift) / 32);
        float n = latticeValue(col, row, 51) * 0.12f;
        bool mortar = std::fmod(y, 16.0f) < 2 || std::fmod(x + shift, 32.0f) < 2;
        return mortar ? rgb(60, 56, 60) : shade(rgb(128, 120, 116), n - 0.06f);
    });
    Shape floor = rect(kField.x0, kField.y0, kField.x1, kField.y1);
    fill(img, floor, [](float x, float y) {
        int plank = static_cast<int>(y) / 26;
        float n = fractalNoise(x * 0.25f, y * 3, 12, 53 + plank) - 0.5f;
        Rgba c = shade(mix(colour::wood, colour::brass, 0.25f), n * 0.25f + (plank % 3) * 0.03f);
        return std::fmod(y - kField.y0, 26.0f) < 1.5f ? shade(c, -0.45f) : c;
    });
    fill(img, ring(rect(kField.x0, kField.y0, kField.x1, kField.y1), 4), rgb(0, 0, 0, 0.35f));
    // The launcher's rail down the left side, with the aim mark's slot at x 100.
    Shape bay = rect(0, 101, 151, 569);
    fill(img, bay, bevel(bay, linear(0, 0, colour::night, 151, 0, colour::navy), 6, -0.4f));
    Shape slot = rect(92, 118, 98, 552, 3);
    fill(img, slot, bevel(slot, solid(colour::ink), 2, -0.5f));
    Shape rail = rect(14, 118, 40, 552, 6);
    fill(img, rail, bevel(rail, solid(colour::brass), 5, 0.5f));
    for (float y = 130; y < 552; y += 30) rivet(img, 27, y, 2.5f);
    for (float y = 125; y <= 545; y += 42) fill(img, rect(100, y, 110, y + 2), withAlpha(colour::brassLight, 0.7f));
    vignette(img, 0.25f);
    grain(img, {0, 0, 800, 600}, 0.02f, 57);
    return {"back_ep3", img, {"TDIB", 24}, 0, 0, false};
}

Picture aimMark() {
    Image img(40, 50);
    Shape arrow = polygon({{4, 10}, {24, 10}, {24, 2}, {38, 25}, {24, 48}, {24, 40}, {4, 40}});
    outlined(img, arrow, bevel(arrow, solid(colour::brassLight), 4, 0.5f));
    fill(img, rect(4, 24, 30, 26), colour::ember);
    return {"aim_ep3", img, {"TBitmap", 8}, 0, 0, true};
}

// A camphor-wood toy soldier: shako, blue coat, white belts, wooden legs.
void toySoldier(Image& img, float x, float y) {
    Shape legs = unite(rect(x + 7, y + 34, x + 12, y + 48, 1), rect(x + 13, y + 34, x + 18, y + 48, 1));
    outlined(img, legs, bevel(legs, solid(colour::wood), 2), 1);
    Shape coat = rect(x + 5, y + 17, x + 20, y + 36, 3);
    outlined(img, coat, bevel(coat, solid(rgb(50, 70, 140)), 3), 1);
    fill(img, segment(x + 6, y + 18, x + 19, y + 34, 1), colour::parchment);
    fill(img, segment(x + 19, y + 18, x + 6, y + 34, 1), colour::parchment);
    Shape head = circle(x + 12.5f, y + 13, 5);
    outlined(img, head, dome(x + 12.5f, y + 13, 5, colour::skin), 1);
    Shape shako = rect(x + 7, y + 1, x + 18, y + 9, 1);
    outlined(img, shako, bevel(shako, solid(colour::ink), 2, 0.6f), 1);
    fill(img, circle(x + 12.5f, y + 4, 1.6f), colour::brassLight);
    fill(img, rect(x + 6, y + 8, x + 19, y + 10), colour::tomato);
}

Picture soldier() {
    Image img(25, 50);
    toySoldier(img, 0, 0);
    return {"vojak_ep3", img, {"TDIB", 8, true}, 0, 0, true};
}

// One flame frame filling most of its square, so the fire's hit box and its
// picture agree at every size the game stretches it to.
void flameFrame(Image& img, float x0, int frame) {
    const float size = 100;
    for (int py = 0; py < 100; ++py)
        for (int px = 0; px < 100; ++px) {
            float u = (px + 0.5f) / size - 0.5f, v = (py + 0.5f) / size;
            float lick = fractalNoise(px * 1.0f, py + frame * 19.0f, 18, 61 + frame, 0, 3);
            // Wide at the base, tapering and flickering toward the top.
            float width = 0.5f * (0.55f + 0.45f * v) + (lick - 0.5f) * 0.2f;
            float heat = 1 - std::fabs(u) / std::max(width, 0.02f);
            heat = std::min(heat, v * 4 + (lick - 0.5f) * 1.5f);
            if (heat <= 0) continue;
            Rgba c = heat > 0.6f ? mix(colour::flame, colour::flameCore, (heat - 0.6f) / 0.4f)
                                 : mix(colour::ember, colour::flame, heat / 0.6f);
            img.blend(static_cast<int>(x0) + px, py, c, std::min(1.0f, heat * 6));
        }
}

Picture fire() {
    Image img(1000, 100);
    for (int f = 0; f < 10; ++f) flameFrame(img, 100.0f * f, f);
    return {"ohen_ep3", img, {"TDIB", 8}, 100, 100, true};
}

Picture header() {
    Image img(800, 108);
    headerBand(img, 800, 96, 63);
    // The fourth status line needs room below the band; over the launcher's
    // bay there is, so the playfield from y 101 stays uncovered.
    plate(img, {0, -10, 150, 108}, colour::navy, 6, false);
    return {"zahlavi_ep3", img, {"TBitmap", 16}, 0, 0, true};
}

void armyEmblem(Image& img, Box box) {
    float cx = (box.x0 + box.x1) / 2;
    Image flame(100, 100);
    flameFrame(flame, 0, 3);
    paste(img, flame, static_cast<int>(cx) - 30, static_cast<int>(box.y0) + 20);
    toySoldier(img, cx - 50, box.y0 + 60);
}

}  // namespace

std::vector<Picture> series3Pictures() {
    return {yard(), aimMark(), soldier(),
            fire(), header(),  infoPanel(czechWording(), 3, armyEmblem, {"TDIB", 8, true})};
}

std::vector<Picture> series3WordPictures(const Wording& wording) {
    return {infoPanel(wording, 3, armyEmblem, {"TDIB", 8, true})};
}

}  // namespace ik::art
