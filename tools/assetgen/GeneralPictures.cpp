// "general.dat": the loading screen, the menu and what the menu draws on it.
#include <cmath>

#include "tools/assetgen/Look.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Text.h"

namespace ik::art {

namespace {

const Font kTitleFont{"Times New Roman", 46, true};
const Font kSubtitleFont{"Times New Roman", 22, true};

void starrySky(Image& img, float horizon, uint32_t seed) {
    fillAll(img, linear(0, 0, colour::night, 0, horizon, mix(colour::slate, colour::copper, 0.25f)));
    SeededRandom random(seed);
    for (int i = 0; i < 140; ++i) {
        float x = random.range(0, static_cast<float>(img.width())), y = random.range(0, horizon * 0.8f);
        float r = random.range(0.4f, 1.3f);
        fill(img, circle(x, y, r), rgb(255, 246, 220, random.range(0.35f, 0.9f)));
    }
}

// An iron-keeled steamer, the collection's namesake, seen from the side.
void steamer(Image& img, float cx, float waterline) {
    Shape hull = polygon({{cx - 230, waterline - 60},
                          {cx + 250, waterline - 60},
                          {cx + 205, waterline + 18},
                          {cx - 200, waterline + 18}});
    dropShadow(img, hull, 4, 0.4f);
    fill(img, hull, bevel(hull, linear(0, waterline - 60, colour::slate, 0, waterline + 18, colour::night), 5));
    fill(img, rect(cx - 228, waterline - 62, cx + 248, waterline - 55),
         bevel(rect(cx - 228, waterline - 62, cx + 248, waterline - 55), solid(colour::brass), 3));
    for (float x = cx - 170; x < cx + 200; x += 42) {
        fill(img, circle(x, waterline - 32, 8), colour::brassDark);
        fill(img, circle(x, waterline - 32, 6), dome(x, waterline - 32, 6, colour::brassLight, 0.5f));
    }
    Shape cabin = rect(cx - 110, waterline - 120, cx + 90, waterline - 60, 4);
    fill(img, cabin, bevel(cabin, solid(colour::cream), 4));
    for (float x = cx - 95; x < cx + 80; x += 30)
        fill(img, rect(x, waterline - 108, x + 18, waterline - 88, 3), colour::navy);
    for (float x : {cx - 60, cx + 20}) {
        Shape funnel = rect(x, waterline - 200, x + 34, waterline - 120, 2);
        fill(img, funnel, bevel(funnel, solid(colour::copper), 6));
        fill(img, rect(x, waterline - 200, x + 34, waterline - 188, 2), colour::ink);
        for (int puff = 0; puff < 4; ++puff) {
            float px = x + 17 - puff * 26.0f, py = waterline - 214 - puff * 16.0f;
            fill(img, circle(px, py, 12 + puff * 5.0f), rgb(200, 200, 210, 0.22f - puff * 0.04f));
        }
    }
}

void sea(Image& img, float top, uint32_t seed) {
    fill(img, rect(0, top, static_cast<float>(img.width()), static_cast<float>(img.height())),
         linear(0, top, colour::slate, 0, static_cast<float>(img.height()), colour::night));
    for (float y = top + 8; y < img.height(); y += 14) {
        float phase = latticeValue(static_cast<int>(y), 0, seed) * 40;
        for (float x = -40 + phase; x < img.width(); x += 70)
            fill(img, segment(x, y, x + 30, y, 1.2f), rgb(170, 180, 196, 0.25f * (1 - (y - top) / 260)));
    }
}

Picture loadingScreen() {
    Image img(800, 600);
    starrySky(img, 430, 7);
    fill(img, circle(700, 230, 30), dome(700, 230, 30, colour::parchment, 0.25f));
    sea(img, 430, 3);
    steamer(img, 400, 440);
    drawShadowedText(img, 400 - textWidth("Ironkeel - Gubbinz", kTitleFont) / 2.0f, 54, "Ironkeel - Gubbinz",
                     kTitleFont, colour::brassLight, colour::ink, 3);
    drawShadowedText(img, 400 - textWidth("vol.1", kSubtitleFont) / 2.0f, 128, "vol.1", kSubtitleFont, colour::cream,
                     colour::ink, 2);
    // A dark cradle for the pulsing key hint at (325, 500)-(475, 580).
    fill(img, rect(317, 494, 483, 586, 10), rgb(0, 0, 0, 0.45f));
    grain(img, {0, 0, 800, 600}, 0.025f, 11);
    return {"loadingscreen", img, {"TDIB", 24}, 0, 0, false};
}

Picture keyboardHint(const Wording& wording) {
    Image img(150, 80);
    Shape cap = rect(4, 4, 146, 72, 10);
    dropShadow(img, cap, 3, 0.5f);
    fill(img, cap, colour::ink);
    Shape top = rect(7, 6, 143, 64, 8);
    fill(img, top, bevel(top, linear(0, 6, colour::parchment, 0, 64, colour::cream), 5, 0.45f));
    const Font font{"Arial", 12, true};
    drawCentredText(img, 75, 12, wording.pressKey[0], font, colour::ink);
    drawCentredText(img, 75, 34, wording.pressKey[1], font, colour::ink);
    return {"keyboard", img, {"TBitmap", 16}, 0, 0, true};
}

// Iron plates exactly 100 pixels wide, so any 100-pixel strip of the menu
// tiles across the information pages without a seam. The leftmost plate is
// the one the pages tile under their text: one smooth sheet, without rivets
// or joints that would show through the lines.
void ironPlates(Image& img) {
    const int period = 100;
    fillAll(img, [&](float x, float y) {
        float n = fractalNoise(x, y, 25, 21, period);
        float roughness = x < period ? 0.08f : 0.16f;
        return shade(mix(colour::navy, colour::night, y / 900), (n - 0.5f) * roughness);
    });
    for (int x = period; x < img.width(); x += period) {
        fill(img, rect(static_cast<float>(x), 0, x + 1.0f, 600), rgb(0, 0, 0, 0.6f));
        fill(img, rect(x + 1.0f, 0, x + 2.0f, 600), rgb(255, 255, 255, 0.07f));
        for (int y = 62; y < 600; y += 100) {
            rivet(img, x + 7.0f, static_cast<float>(y), 2.2f);
            rivet(img, x + 93.0f, static_cast<float>(y), 2.2f);
        }
    }
    for (int y = 100; y < 600; y += 100) {
        fill(img, rect(period, static_cast<float>(y), 800, y + 1.0f), rgb(0, 0, 0, 0.5f));
        fill(img, rect(period, y + 1.0f, 800, y + 2.0f), rgb(255, 255, 255, 0.06f));
    }
}

void rail(Image& img, float top) {
    Shape groove = rect(0, top, 800, top + 14);
    fill(img, groove, bevel(groove, solid(colour::night), 3, -0.4f));
}

void smallButton(Image& img, float top) { plate(img, {677, top, 720, top + 50}, colour::copper, 5, false); }

Picture mainMenu() {
    Image img(800, 600);
    ironPlates(img);
    Shape topBand = rect(0, 0, 800, 21);
    fill(img, topBand, colour::night);
    fill(img, rect(0, 21, 800, 24), bevel(rect(0, 21, 800, 24), solid(colour::brass), 2));
    rail(img, 26);
    rail(img, 561);
    fill(img, rect(0, 578, 800, 600), colour::night);

    // The emblem and name, clear of the left strip and of the buttons.
    float cx = 310;
    wheelEmblem(img, cx, 250, 80);
    drawShadowedText(img, cx - textWidth("Ironkeel", kTitleFont) / 2.0f, 360, "Ironkeel", kTitleFont,
                     colour::brassLight, colour::ink, 3);
    drawShadowedText(img, cx - textWidth("Gubbinz vol.1", kSubtitleFont) / 2.0f, 424, "Gubbinz vol.1", kSubtitleFont,
                     colour::cream, colour::ink, 2);

    // Two panels, so that the unlock hint at (450, 360) lies on dark iron.
    plate(img, {505, 118, 735, 356}, colour::slate, 8);
    plate(img, {505, 388, 735, 462}, colour::slate, 8);
    for (int row = 0; row < 4; ++row) smallButton(img, 130.0f + 55 * row);
    smallButton(img, 400);
    grain(img, {0, 0, 800, 600}, 0.02f, 5);
    return {"main_menu", img, {"TDIB", 24}, 0, 0, false};
}

void buttonFace(Image& img, float top, bool lit) {
    Shape outer = rect(0, top, 156, top + 50, 7);
    fill(img, outer, lit ? colour::brassLight : colour::brassDark);
    Shape face = rect(3, top + 3, 153, top + 47, 5);
    Rgba paper = lit ? rgb(255, 244, 214) : colour::cream;
    fill(img, face, bevel(face, solid(paper), 4, 0.3f));
    if (lit) fill(img, ring(rect(5, top + 5, 151, top + 45, 4), 2), withAlpha(colour::flame, 0.6f));
}

Picture button() {
    Image img(156, 100);
    buttonFace(img, 0, false);
    buttonFace(img, 50, true);
    return {"button", img, {"TDIB", 8, true}, 156, 50, true};
}

Picture dot() {
    Image img(6, 6);
    fill(img, circle(3, 3, 2.6f), dome(3, 3, 2.6f, colour::brassLight, 0.5f));
    return {"dot", img, {"TBitmap", 8}, 0, 0, true};
}

Picture arrowMenu() {
    Image img(20, 30);
    Shape arrow = polygon({{0.5f, 0.5f}, {0.5f, 22}, {5.5f, 17.5f}, {9.5f, 26.5f}, {13, 25}, {9, 16}, {16, 16}});
    fill(img, arrow, colour::ink);
    Shape inner = polygon({{2, 4}, {2, 18.5f}, {6, 15}, {10.2f, 24.3f}, {11, 24}, {7, 14.5f}, {12.5f, 14.5f}});
    fill(img, inner, bevel(inner, solid(colour::parchment), 2));
    return {"arrow_menu", img, {"TDIB", 8}, 0, 0, true};
}

}  // namespace

std::vector<Picture> generalPictures() {
    return {loadingScreen(), keyboardHint(czechWording()), mainMenu(), button(), dot(), arrowMenu()};
}

std::vector<Picture> generalWordPictures(const Wording& wording) { return {keyboardHint(wording)}; }

}  // namespace ik::art
