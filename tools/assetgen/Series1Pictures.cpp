// "series1.dat": the kitchen of the cookery exam.
#include <cmath>
#include <tuple>

#include "tools/assetgen/Look.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Text.h"

namespace ik::art {

namespace {

// Ingredients are drawn into a 50 x 50 cell whose top-left corner is (x, y).
using Ingredient = void (*)(Image&, float x, float y);

void apple(Image& img, float x, float y) {
    Shape body = unite(circle(x + 20, y + 29, 15), circle(x + 30, y + 29, 15));
    outlined(img, body, dome(x + 25, y + 29, 17, colour::leaf));
    outlined(img, segment(x + 25, y + 16, x + 27, y + 6, 1.5f), solid(colour::woodDark), 1);
    outlined(img, ellipse(x + 33, y + 9, 6, 3), solid(colour::leafDark), 1);
}

void cucumber(Image& img, float x, float y) {
    Shape body = segment(x + 10, y + 40, x + 40, y + 10, 9);
    outlined(img, body, bevel(body, solid(colour::leafDark), 7, 0.45f));
    for (int i = 0; i < 5; ++i) {
        float t = (i + 0.5f) / 5;
        fill(img, circle(x + 12 + 26 * t, y + 36 - 26 * t, 1.6f), shade(colour::leaf, 0.3f));
    }
}

void broccoli(Image& img, float x, float y) {
    Shape stem = polygon({{x + 20, y + 46}, {x + 30, y + 46}, {x + 33, y + 26}, {x + 17, y + 26}});
    outlined(img, stem, bevel(stem, solid(shade(colour::leaf, 0.35f)), 4));
    Shape crown = unite(unite(circle(x + 15, y + 22, 10), circle(x + 35, y + 22, 10)), circle(x + 25, y + 14, 12));
    outlined(img, crown, dome(x + 25, y + 18, 20, colour::leaf, 0.5f));
    SeededRandom random(41);
    for (int i = 0; i < 14; ++i)
        fill(img, circle(x + random.range(10, 40), y + random.range(6, 28), 1.5f), shade(colour::leafDark, -0.1f));
}

void chili(Image& img, float x, float y) {
    Shape body = unite(segment(x + 12, y + 16, x + 30, y + 26, 7), segment(x + 30, y + 26, x + 42, y + 44, 4.5f));
    outlined(img, body, bevel(body, solid(colour::tomato), 5, 0.45f));
    outlined(img, segment(x + 12, y + 16, x + 7, y + 6, 2), solid(colour::leafDark), 1);
}

void toadstool(Image& img, float x, float y) {
    Shape stem = rect(x + 19, y + 26, x + 31, y + 46, 4);
    outlined(img, stem, bevel(stem, solid(colour::cream), 4));
    Shape cap = intersect(ellipse(x + 25, y + 28, 20, 20), rect(x, y, x + 50, y + 28));
    outlined(img, cap, dome(x + 25, y + 22, 20, colour::tomato));
    for (auto [dx, dy, r] :
         {std::tuple{15.0f, 18.0f, 2.5f}, {27.0f, 13.0f, 3.0f}, {36.0f, 21.0f, 2.2f}, {22.0f, 24.0f, 1.8f}})
        fill(img, circle(x + dx, y + dy, r), colour::parchment);
}

void poisonBottle(Image& img, float x, float y) {
    Shape bottle = unite(circle(x + 25, y + 33, 13), rect(x + 20, y + 8, x + 30, y + 24, 2));
    outlined(img, bottle, dome(x + 25, y + 30, 16, colour::tomato, 0.6f));
    outlined(img, rect(x + 19, y + 3, x + 31, y + 10, 2), solid(colour::wood), 1);
    fill(img, segment(x + 19, y + 27, x + 31, y + 39, 2), colour::parchment);
    fill(img, segment(x + 31, y + 27, x + 19, y + 39, 2), colour::parchment);
}

Image ingredientStrip(const std::vector<Ingredient>& looks) {
    Image img(50 * static_cast<int>(looks.size()), 50);
    for (size_t i = 0; i < looks.size(); ++i) looks[i](img, 50.0f * i, 0);
    return img;
}

const std::vector<Ingredient> kNeeded{apple, cucumber, broccoli};
const std::vector<Ingredient> kUnneeded{chili, toadstool, poisonBottle};

Picture kitchen() {
    Image img(800, 600);
    // Wall tiles 40 px, with a ten-column rhythm of darker tiles behind the chutes.
    fillAll(img, [](float x, float y) {
        int tx = static_cast<int>(x) / 40, ty = static_cast<int>(y) / 40;
        float n = latticeValue(tx, ty, 9) * 0.06f;
        Rgba tile = ((tx + ty) % 2 == 0) ? rgb(222, 208, 182) : rgb(206, 190, 164);
        float gx = std::fmod(x, 40.0f), gy = std::fmod(y, 40.0f);
        if (gx < 2 || gy < 2) return rgb(160, 142, 118);
        if (gx < 4 || gy < 4) return shade(tile, 0.25f);
        return shade(tile, n - 0.03f);
    });
    for (int i = 0; i < 10; ++i) {
        float left = 15.0f + 80 * i;
        fill(img, rect(left - 2, 100, left + 52, 560, 4), rgb(40, 30, 20, 0.07f));
    }
    // Shelf with jars high on the wall, and the stove front below.
    Shape shelf = rect(0, 150, 800, 160);
    fill(img, shelf, bevel(shelf, solid(colour::wood), 3));
    for (float jx = 70; jx < 800; jx += 160) {
        Shape jar = rect(jx, 118, jx + 26, 150, 5);
        fill(img, jar, bevel(jar, solid(rgb(150, 170, 180, 0.8f)), 4));
        fill(img, rect(jx - 2, 112, jx + 28, 120, 2), colour::copper);
    }
    // Blue-grey wainscot under the tiles (red and green both read on it), and pans on a rail.
    fill(img, rect(0, 470, 800, 586), [](float x, float y) {
        float n = latticeValue(static_cast<int>(x) / 20, static_cast<int>(y) / 20, 15) * 0.08f;
        bool seam = std::fmod(x, 20.0f) < 1.5f || std::fmod(y - 470, 20.0f) < 1.5f;
        return seam ? colour::navy : shade(colour::slate, n - 0.04f);
    });
    fill(img, rect(0, 466, 800, 472), bevel(rect(0, 466, 800, 472), solid(colour::wood), 2));
    Shape hangRail = rect(0, 170, 800, 175, 2);
    fill(img, hangRail, bevel(hangRail, solid(colour::brass), 2));
    for (float px = 55; px < 800; px += 160) {
        fill(img, segment(px, 175, px, 190, 1.2f), colour::ink);
        Shape pan = unite(circle(px, 206, 15), segment(px, 190, px, 192, 2));
        dropShadow(img, pan, 3, 0.25f);
        fill(img, pan, dome(px, 206, 15, colour::copper, 0.55f));
        fill(img, segment(px + 80, 175, px + 80, 232, 2),
             bevel(segment(px + 80, 175, px + 80, 232, 2), solid(colour::mist), 2));
        fill(img, ellipse(px + 80, 236, 8, 6), dome(px + 80, 236, 8, colour::mist));
    }
    Shape counter = rect(0, 586, 800, 600);
    fill(img, counter, bevel(counter, linear(0, 586, colour::wood, 0, 600, colour::woodDark), 3));
    fill(img, rect(0, 552, 800, 586), rgb(40, 30, 20, 0.12f));
    vignette(img, 0.25f);
    grain(img, {0, 0, 800, 600}, 0.02f, 13);
    return {"back_ep1", img, {"TBitmap", 24}, 0, 0, false};
}

Picture header() {
    Image img(800, 105);
    headerBand(img, 800, 105, 17);
    screenWell(img, {246, 13, 404, 67}, colour::night);
    screenWell(img, {641, 13, 799, 67}, colour::night);
    for (float lx : {448.0f, 548.0f}) screenWell(img, {lx, 13, lx + 44, 57}, colour::night, 20);
    return {"zahlavi_ep1", img, {"TDIB", 16}, 0, 0, false};
}

Picture samples(const std::string& name, const std::vector<Ingredient>& looks) {
    return {name, ingredientStrip(looks), {"TDIB", 16}, 0, 0, true};
}

Picture lamps() {
    Image img(160, 40);
    const Rgba glass[4] = {shade(colour::leafDark, -0.5f), rgb(150, 255, 120), shade(colour::wine, -0.4f),
                           rgb(255, 90, 60)};
    for (int i = 0; i < 4; ++i) {
        float cx = 20.0f + 40 * i;
        bool lit = i % 2 == 1;
        fill(img, circle(cx, 20, 19), bevel(circle(cx, 20, 19), solid(colour::brass), 4, 0.5f));
        if (lit) fill(img, circle(cx, 20, 15), radial(cx, 20, 15, colour::white, glass[i]));
        else
            fill(img, circle(cx, 20, 15), dome(cx, 20, 15, glass[i], 0.4f));
        fill(img, ellipse(cx - 5, 14, 5, 3), rgb(255, 255, 255, lit ? 0.8f : 0.3f));
    }
    return {"signals_ep1", img, {"TDIB", 8}, 40, 40, true};
}

void tray(Image& img, float x, Rgba glow, Rgba glow2) {
    Shape pan = polygon({{x + 3, 7}, {x + 75, 7}, {x + 69, 22}, {x + 9, 22}});
    outlined(img, pan, bevel(pan, linear(x, 0, glow, x + 78, 0, glow2), 4, 0.5f));
    fill(img, rect(x + 1, 5, x + 77, 9, 2), shade(colour::mist, 0.3f));
    fill(img, rect(x + 10, 12, x + 68, 15, 1), rgb(0, 0, 0, 0.15f));
}

Picture bakingTray() {
    Image img(312, 24);
    Rgba gold = colour::brassLight, hot = rgb(228, 96, 70);
    tray(img, 0, colour::steel, colour::steel);
    tray(img, 78, gold, gold);
    tray(img, 156, hot, hot);
    tray(img, 234, gold, hot);
    return {"hrnec_ep1", img, {"TBitmap", 8}, 78, 24, true};
}

void kitchenEmblem(Image& img, Box box) {
    float cx = (box.x0 + box.x1) / 2, cy = (box.y0 + box.y1) / 2;
    apple(img, cx - 45, cy - 40);
    broccoli(img, cx - 5, cy - 40);
    chili(img, cx - 25, cy - 5);
}

}  // namespace

std::vector<Picture> series1Pictures() {
    return {kitchen(),
            header(),
            samples("good_ori_ep1", kNeeded),
            samples("bad_ori_ep1", kUnneeded),
            {"good_ep1", ingredientStrip(kNeeded), {"TDIB", 8, true}, 50, 50, true},
            {"bad_ep1", ingredientStrip(kUnneeded), {"TBitmap", 8}, 50, 50, true},
            lamps(),
            bakingTray(),
            infoPanel(czechWording(), 1, kitchenEmblem, {"TDIB", 16})};
}

std::vector<Picture> series1WordPictures(const Wording& wording) {
    return {infoPanel(wording, 1, kitchenEmblem, {"TDIB", 16})};
}

}  // namespace ik::art
