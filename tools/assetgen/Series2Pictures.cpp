// "series2.dat": the ship's deck where the computer drives the crew to work.
#include <cmath>

#include "tools/assetgen/Look.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Text.h"

namespace ik::art {

namespace {

constexpr float kColumnX[3] = {410, 560, 710};
const Rgba kCrewColour[3] = {rgb(70, 140, 150), colour::copper, rgb(110, 150, 70)};
const char* const kCrewName[3] = {"DORNER  1 / X", "PAVIAN  2 / C", "KAPLAN  3 / V"};

Picture deck() {
    Image img(800, 600);
    fillAll(img, [](float x, float y) {
        float n = fractalNoise(x, y, 40, 31);
        return shade(mix(colour::slate, colour::night, y / 700), (n - 0.5f) * 0.14f - 0.15f);
    });
    // Bulkhead ribs and a pipe run, then the three shafts the crew climb.
    for (float x = 30; x < 800; x += 150) {
        Shape rib = rect(x, 0, x + 14, 600);
        fill(img, rib, bevel(rib, solid(shade(colour::slate, -0.2f)), 4));
    }
    Shape pipe = rect(0, 200, 800, 212, 6);
    fill(img, pipe, bevel(pipe, solid(colour::copper), 5, 0.5f));
    const Font plateFont{"Arial", 8, true};
    for (int k = 0; k < 3; ++k) {
        float x = kColumnX[k];
        Shape shaft = rect(x - 5, 96, x + 34, 600, 4);
        fill(img, shaft, bevel(shaft, solid(colour::night), 4, -0.5f));
        plate(img, {x - 96, 112, x - 10, 132}, kCrewColour[k], 3, false);
        drawText(img, x - 91, 115, kCrewName[k], plateFont, colour::parchment);
    }
    // The computer's desk under the screen at (72, 250).
    Shape desk = rect(50, 372, 320, 400, 4);
    fill(img, desk, bevel(desk, solid(colour::steel), 4));
    fill(img, rect(64, 400, 82, 600), shade(colour::steel, -0.4f));
    fill(img, rect(288, 400, 306, 600), shade(colour::steel, -0.4f));
    vignette(img, 0.3f);
    grain(img, {0, 0, 800, 600}, 0.02f, 33);
    return {"back_ep2", img, {"TBitmap", 16}, 0, 0, false};
}

Picture header() {
    Image img(800, 104);
    headerBand(img, 800, 86, 35);
    // The status box reaches below the band, to hold its fourth line.
    plate(img, {0, -10, 236, 104}, colour::navy, 6, false);
    return {"zahlavi_ep2", img, {"TDIB", 16}, 0, 0, true};
}

Picture computer() {
    Image img(240, 130);
    Shape monitor = rect(2, 6, 100, 110, 10);
    dropShadow(img, monitor, 3, 0.4f);
    fill(img, monitor, bevel(monitor, solid(colour::mist), 5, 0.45f));
    screenWell(img, {14, 18, 88, 84}, rgb(30, 90, 60), 8);
    // The face on the screen: two eyes and a stern mouth in phosphor green.
    Rgba phosphor = rgb(150, 255, 160);
    fill(img, rect(28, 36, 42, 44, 2), phosphor);
    fill(img, rect(60, 36, 74, 44, 2), phosphor);
    fill(img, segment(26, 30, 42, 34, 1.5f), phosphor);
    fill(img, segment(74, 30, 58, 34, 1.5f), phosphor);
    fill(img, rect(36, 62, 66, 66, 2), phosphor);
    Shape stand = rect(40, 110, 62, 124, 2);
    fill(img, stand, bevel(stand, solid(colour::steel), 3));
    for (float x = 14; x < 90; x += 14) fill(img, circle(x, 98, 3), x < 40 ? colour::tomato : colour::leaf);
    // Speech bubble under the shout at (180, 269), that is (108, 19) here.
    Shape bubble = unite(rect(102, 8, 236, 50, 12), polygon({{106, 34}, {90, 48}, {116, 42}}));
    outlined(img, bubble, bevel(bubble, solid(colour::parchment), 4, 0.25f));
    return {"vorlag_ep2", img, {"TBitmap", 24}, 0, 0, true};
}

Picture columns() {
    Image img(89, 530);
    for (int k = 0; k < 3; ++k) {
        float x = 30.0f * k;
        Shape strip = rect(x, 0, x + 29, 530);
        fill(img, strip, [&, k](float px, float py) {
            float across = (px - x) / 29;
            // Cylinder shading across the strip, light on the left.
            Rgba c = shade(kCrewColour[k], 0.35f - across * 0.8f);
            float rung = std::fmod(530 - py, 24.0f);
            if (rung < 3) return shade(c, -0.35f);
            if (rung < 5) return shade(c, 0.3f);
            return c;
        });
    }
    fill(img, rect(29, 0, 30, 530), colour::night);
    fill(img, rect(59, 0, 60, 530), colour::night);
    return {"sloupec_ep2", img, {"TBitmap", 16}, 0, 0, false};
}

void face(Image& img, float x, Rgba hair, bool glasses, bool beard, bool cap) {
    Shape head = ellipse(x + 25, 28, 16, 18);
    outlined(img, head, dome(x + 25, 26, 20, colour::skin, 0.4f));
    Shape hairTop = intersect(ellipse(x + 25, 24, 18, 18), rect(x, 0, x + 50, 20));
    outlined(img, hairTop, dome(x + 25, 14, 18, hair, 0.4f));
    fill(img, circle(x + 19, 27, 2.2f), colour::ink);
    fill(img, circle(x + 31, 27, 2.2f), colour::ink);
    fill(img, segment(x + 20, 38, x + 30, 38, 1.2f), colour::wine);
    if (glasses) {
        fill(img, ring(circle(x + 19, 27, 5), 1.5f), colour::ink);
        fill(img, ring(circle(x + 31, 27, 5), 1.5f), colour::ink);
        fill(img, segment(x + 24, 27, x + 26, 27, 0.8f), colour::ink);
    }
    if (beard) outlined(img, intersect(ellipse(x + 25, 34, 15, 12), rect(x, 36, x + 50, 50)), solid(hair), 1);
    if (cap) {
        Shape crown = intersect(ellipse(x + 25, 18, 17, 12), rect(x, 0, x + 50, 18));
        outlined(img, crown, dome(x + 25, 12, 16, colour::navy, 0.4f));
        outlined(img, rect(x + 8, 16, x + 44, 20, 2), solid(colour::ink), 1);
        fill(img, circle(x + 25, 11, 2.5f), colour::brassLight);
    }
}

Picture heads() {
    Image img(150, 50);
    face(img, 0, colour::woodDark, true, false, false);      // Dorner
    face(img, 50, rgb(70, 60, 52), false, true, false);      // Pavian
    face(img, 100, colour::brassLight, false, false, true);  // Kaplan
    return {"heads_ep2", img, {"TDIB", 8, true}, 50, 50, true};
}

void shipEmblem(Image& img, Box box) {
    float cx = (box.x0 + box.x1) / 2;
    face(img, cx - 70, colour::woodDark, true, false, false);
    face(img, cx - 25, rgb(70, 60, 52), false, true, false);
    face(img, cx + 20, colour::brassLight, false, false, true);
}

}  // namespace

std::vector<Picture> series2Pictures() {
    return {deck(),    header(), computer(),
            columns(), heads(),  infoPanel(czechWording(), 2, shipEmblem, {"TBitmap", 24})};
}

std::vector<Picture> series2WordPictures(const Wording& wording) {
    return {infoPanel(wording, 2, shipEmblem, {"TBitmap", 24})};
}

}  // namespace ik::art
