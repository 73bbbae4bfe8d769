// "series4.dat": the laboratory with the DNA modifier.
#include <cmath>

#include "tools/assetgen/Look.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Text.h"

namespace ik::art {

namespace {

void helix(Image& img, float cx, float top, float bottom, float phase) {
    for (float y = top; y < bottom; y += 14) {
        float a = (y - top) / 40 + phase;
        float x1 = cx + std::sin(a) * 34, x2 = cx - std::sin(a) * 34;
        bool front = std::cos(a) > 0;
        fill(img, segment(x1, y, x2, y, 1.5f), withAlpha(colour::mist, 0.35f));
        fill(img, circle(x1, y, 5), dome(x1, y, 5, front ? colour::leaf : colour::leafDark));
        fill(img, circle(x2, y, 5), dome(x2, y, 5, front ? colour::copper : colour::wine));
    }
}

Picture laboratory(const Wording& wording) {
    Image img(800, 600);
    fillAll(img, [](float x, float y) {
        float n = fractalNoise(x, y, 48, 71);
        return shade(mix(rgb(24, 40, 48), colour::night, y / 650), (n - 0.5f) * 0.14f);
    });
    helix(img, 80, 110, 590, 0);
    helix(img, 720, 110, 590, 1.7f);
    // The modifier: a console with the code window and the time bar trough.
    plate(img, {170, 222, 630, 392}, colour::steel, 12);
    const Font label{"Arial", 9, true};
    fill(img, rect(316, 230, 484, 248, 3), colour::ink);
    drawCentredText(img, 400, 232, wording.modifier, label, colour::brassLight);
    screenWell(img, {204, 262, 596, 372}, rgb(18, 28, 24), 8);
    fill(img, rect(209, 338, 588, 362, 3), rgb(0, 0, 0, 0.55f));
    for (float x = 188; x < 620; x += 402) {
        fill(img, circle(x, 372, 5), colour::tomato);
    }
    // The transformation chamber behind the character at (325, 400).
    Shape chamber = rect(310, 392, 490, 600, 20);
    fill(img, chamber,
         bevel(chamber, linear(310, 0, rgb(60, 110, 120, 0.55f), 490, 0, rgb(20, 50, 60, 0.55f)), 10, 0.5f));
    fill(img, rect(300, 588, 500, 600, 3), bevel(rect(300, 588, 500, 600, 3), solid(colour::brass), 3));
    fill(img, rect(330, 402, 338, 590, 4), rgb(255, 255, 255, 0.12f));
    for (float x : {250.0f, 550.0f}) {
        Shape tube = segment(x, 392, x < 400 ? 310.0f : 490.0f, 470, 5);
        fill(img, tube, bevel(tube, solid(colour::copper), 4, 0.5f));
    }
    vignette(img, 0.3f);
    grain(img, {0, 0, 800, 600}, 0.02f, 73);
    return {"back_ep4", img, {"TBitmap", 24}, 0, 0, false};
}

Picture header() {
    Image img(800, 104);
    headerBand(img, 800, 104, 75);
    return {"zahlavi_ep4", img, {"TDIB", 16}, 0, 0, false};
}

// Kaplan keeps his sailor's cap through every transformation.
void kaplanCap(Image& img, float cx, float top) {
    Shape crown = intersect(ellipse(cx, top + 14, 26, 16), rect(cx - 30, top, cx + 30, top + 14));
    outlined(img, crown, dome(cx, top + 6, 24, colour::navy, 0.4f));
    outlined(img, rect(cx - 26, top + 12, cx + 26, top + 18, 2), solid(colour::ink), 1);
    fill(img, circle(cx, top + 7, 3.5f), colour::brassLight);
}

void eyes(Image& img, float cx, float y, float spread, float r) {
    for (float ex : {cx - spread, cx + spread}) {
        outlined(img, circle(ex, y, r), solid(colour::parchment), 1.2f);
        fill(img, circle(ex + r * 0.2f, y + r * 0.1f, r * 0.45f), colour::ink);
    }
}

void frogMan(Image& img, float x) {
    float cx = x + 75;
    Shape body = ellipse(cx, 140, 46, 52);
    outlined(img, body, dome(cx, 130, 56, colour::leaf));
    fill(img, ellipse(cx, 150, 30, 36), shade(colour::cream, -0.05f));
    Shape head = ellipse(cx, 72, 44, 30);
    outlined(img, head, dome(cx, 66, 46, colour::leaf));
    eyes(img, cx, 56, 22, 10);
    fill(img, segment(cx - 24, 84, cx + 24, 84, 1.8f), colour::leafDark);
    for (float side : {-1.0f, 1.0f}) {
        Shape leg = ellipse(cx + side * 40, 186, 24, 11);
        outlined(img, leg, dome(cx + side * 40, 182, 24, colour::leaf));
    }
    kaplanCap(img, cx, 28);
}

void birdMan(Image& img, float x) {
    float cx = x + 75;
    for (int i = 0; i < 5; ++i) {
        float a = -0.9f + i * 0.45f;
        Shape feather = segment(cx, 150, cx + std::sin(a) * 70, 150 - std::cos(a) * 40 + 50, 9);
        outlined(img, feather, bevel(feather, solid(i % 2 ? colour::tomato : colour::flame), 5));
    }
    Shape body = ellipse(cx, 138, 38, 48);
    outlined(img, body, dome(cx, 128, 48, colour::brassLight));
    Shape head = circle(cx, 70, 30);
    outlined(img, head, dome(cx, 64, 32, colour::brassLight));
    eyes(img, cx, 64, 12, 7);
    Shape beak = polygon({{cx - 10, 78}, {cx + 10, 78}, {cx, 96}});
    outlined(img, beak, solid(colour::flame), 1.2f);
    for (float side : {-1.0f, 1.0f}) fill(img, segment(cx + side * 14, 184, cx + side * 18, 198, 2.5f), colour::flame);
    kaplanCap(img, cx, 30);
}

void squidMan(Image& img, float x) {
    float cx = x + 75;
    Rgba purple = rgb(140, 80, 150);
    for (int i = 0; i < 6; ++i) {
        float bx = cx - 50 + i * 20.0f;
        Shape tentacle = unite(segment(bx, 120, bx + (i % 2 ? 8.0f : -8.0f), 160, 7),
                               segment(bx + (i % 2 ? 8.0f : -8.0f), 160, bx + (i % 2 ? -4.0f : 6.0f), 194, 5));
        outlined(img, tentacle, bevel(tentacle, solid(purple), 4));
    }
    Shape head = ellipse(cx, 92, 50, 56);
    outlined(img, head, dome(cx, 84, 58, purple));
    eyes(img, cx, 96, 18, 9);
    for (float s : {-1.0f, 1.0f}) fill(img, circle(cx + s * 30, 70, 5), shade(purple, 0.3f));
    kaplanCap(img, cx, 26);
}

Picture forms() {
    Image img(450, 200);
    frogMan(img, 0);
    birdMan(img, 150);
    squidMan(img, 300);
    return {"forms_ep4", img, {"TDIB", 8}, 150, 200, true};
}

void dnaEmblem(Image& img, Box box) { helix(img, (box.x0 + box.x1) / 2, box.y0 + 6, box.y1 - 4, 0.5f); }

}  // namespace

std::vector<Picture> series4Pictures() {
    return {laboratory(czechWording()), header(), forms(), infoPanel(czechWording(), 4, dnaEmblem, {"TBitmap", 16})};
}

std::vector<Picture> series4WordPictures(const Wording& wording) {
    return {laboratory(wording), infoPanel(wording, 4, dnaEmblem, {"TBitmap", 16})};
}

}  // namespace ik::art
