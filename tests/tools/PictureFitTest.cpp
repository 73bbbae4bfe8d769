// The pictures leave the right tones where the screens write over them, and
// the menu's left strip tiles across the information pages without a seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GeneratedData.h"
#include "assets/PictureCollection.h"
#include "display/Rect.h"

namespace ik::test {
namespace {

constexpr uint32_t kKey = 0xFF00FF;

float luma(uint32_t c) { return 0.299f * (c & 0xFF) + 0.587f * (c >> 8 & 0xFF) + 0.114f * (c >> 16 & 0xFF); }

// Mean brightness of a rectangle of a picture, key pixels left out.
float meanLuma(const RgbImage& img, TRect r) {
    float sum = 0;
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (img.At(x, y) != kKey) {
                sum += luma(img.At(x, y));
                ++count;
            }
    return count ? sum / count : -1;
}

struct Tone {
    const char* file;
    const char* picture;
    TRect area;  // in the picture's own coordinates
    float minLuma, maxLuma;
    const char* why;
};

const Tone kTones[] = {
    {"general.dat", "loadingscreen", {325, 500, 475, 580}, 0, 60, "the pulsing key hint fades in over dark"},
    {"general.dat", "keyboard", {20, 12, 130, 60}, 170, 255, "the hint's lettering sits on a light key"},
    {"general.dat", "main_menu", {0, 0, 800, 20}, 0, 60, "grey and white status line"},
    {"general.dat", "main_menu", {450, 358, 790, 378}, 0, 80, "white unlock hint at (450, 360)"},
    {"general.dat", "main_menu", {0, 50, 100, 550}, 0, 80, "white and grey page text over the tiled strip"},
    {"general.dat", "main_menu", {680, 133, 717, 177}, 70, 170, "white, black and grey letters on the small buttons"},
    {"general.dat", "button", {4, 4, 152, 96}, 170, 255, "black and grey titles on both patterns"},
    {"series1.dat", "zahlavi_ep1", {0, 0, 240, 98}, 0, 70, "white status lines at x 5"},
    {"series2.dat", "zahlavi_ep2", {0, 0, 230, 98}, 0, 70, "white status lines at x 5"},
    {"series3.dat", "zahlavi_ep3", {0, 0, 140, 98}, 0, 70, "white status lines at x 5"},
    {"series4.dat", "zahlavi_ep4", {0, 0, 240, 98}, 0, 70, "white status lines at x 5"},
    {"series2.dat", "back_ep2", {0, 80, 800, 100}, 0, 80, "the white work line at y 90"},
    {"series2.dat", "back_ep2", {0, 480, 800, 590}, 0, 80, "the grey line between y 490 and 580"},
    {"series2.dat", "vorlag_ep2", {108, 19, 190, 36}, 200, 255, "the black shout in the bubble"},
    {"series4.dat", "back_ep4", {254, 277, 542, 317}, 0, 50, "the beige and yellow code"},
    {"series4.dat", "back_ep4", {212, 341, 585, 359}, 0, 50, "the beige time bar"},
};

TEST(PictureFit, TextAndMarksDrawnOverPicturesHaveContrast) {
    for (const Tone& t : kTones) {
        SCOPED_TRACE(std::string(t.picture) + ": " + t.why);
        TPictureCollection pictures;
        pictures.LoadFromFile(dataFile(t.file));
        float mean = meanLuma(pictures.Find(t.picture).Picture(), t.area);
        EXPECT_GE(mean, t.minLuma);
        EXPECT_LE(mean, t.maxLuma);
    }
}

// Relative luminance and contrast ratio as the web's accessibility guidelines
// define them (sRGB channels linearised, then weighted).
double relativeLuminance(uint32_t c) {
    auto linear = [](uint32_t v) {
        double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c & 0xFF) + 0.7152 * linear(c >> 8 & 0xFF) + 0.0722 * linear(c >> 16 & 0xFF);
}

double contrast(uint32_t a, uint32_t b) {
    double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(PictureFit, TheInformationPagesBandLetsTheirGreyTextReadOnEveryPixel) {
    TPictureCollection pictures;
    pictures.LoadFromFile(dataFile("general.dat"));
    const RgbImage& menu = pictures.Find("main_menu").Picture();
    // The pages tile the strip (0, 50)-(100, 550) under grey (128, 128, 128)
    // titles and white body lines: even the grey must stand out from every
    // pixel behind it by the 3:1 that bold text needs, or a rivet or a joint
    // shows through a letter. The calm of the band is its spread: no pixel far
    // from the band's own tone.
    const uint32_t grey = 0x808080;
    int poor = 0;
    float lowest = 255, highest = 0;
    for (int y = 50; y < 550; ++y)
        for (int x = 0; x < 100; ++x) {
            poor += contrast(grey, menu.At(x, y)) < 3.0;
            lowest = std::min(lowest, luma(menu.At(x, y)));
            highest = std::max(highest, luma(menu.At(x, y)));
        }
    EXPECT_EQ(poor, 0) << "pixels behind the text with less than 3:1 against grey";
    EXPECT_LE(highest - lowest, 32) << "the band's tones spread from " << lowest << " to " << highest;
}

TEST(PictureFit, EveryGameOverPanelIsLightBehindTheResultsAndDarkBehindTheEnterLine) {
    for (const char* file : {"series1.dat", "series2.dat", "series3.dat", "series4.dat"}) {
        SCOPED_TRACE(file);
        TPictureCollection pictures;
        pictures.LoadFromFile(dataFile(file));
        const RgbImage& info = pictures.Find("info").Picture();
        // Black lines at (190, 290) to y 380, white one at (300, 450); the panel sits at (100, 100).
        EXPECT_GT(meanLuma(info, {90, 190, 590, 280}), 180);
        EXPECT_LT(meanLuma(info, {200, 350, 370, 364}), 50);
    }
}

TEST(PictureFit, TheMenusLeftStripTilesWithoutASeam) {
    TPictureCollection pictures;
    pictures.LoadFromFile(dataFile("general.dat"));
    const RgbImage& menu = pictures.Find("main_menu").Picture();
    // Column 99 meets column 0 when the strip is repeated; that joint must be
    // no rougher than the strip's own neighbouring columns.
    auto columnStep = [&](int a, int b) {
        float sum = 0;
        for (int y = 50; y < 550; ++y) sum += std::fabs(luma(menu.At(a, y)) - luma(menu.At(b, y)));
        return sum / 500;
    };
    float inside = 0;
    for (int x = 0; x < 99; ++x) inside = std::max(inside, columnStep(x, x + 1));
    EXPECT_LE(columnStep(99, 0), inside);
}

TEST(PictureFit, SpritesAreKeyedAroundTheirShapes) {
    struct Sprite {
        const char* file;
        const char* name;
        int cellWidth, cellHeight, cells;
    };
    const Sprite sprites[] = {{"series1.dat", "good_ep1", 50, 50, 3},   {"series1.dat", "bad_ep1", 50, 50, 3},
                              {"series1.dat", "hrnec_ep1", 78, 24, 4},  {"series2.dat", "heads_ep2", 50, 50, 3},
                              {"series3.dat", "vojak_ep3", 25, 50, 1},  {"series3.dat", "ohen_ep3", 100, 100, 10},
                              {"series4.dat", "forms_ep4", 150, 200, 3}};
    for (const Sprite& s : sprites) {
        SCOPED_TRACE(s.name);
        TPictureCollection pictures;
        pictures.LoadFromFile(dataFile(s.file));
        const RgbImage& img = pictures.Find(s.name).Picture();
        for (int c = 0; c < s.cells; ++c) {
            int left = c * s.cellWidth;
            // The corner is background; the middle belongs to the sprite.
            EXPECT_EQ(img.At(left, 0), kKey);
            int keyed = 0;
            for (int y = 0; y < s.cellHeight; ++y)
                for (int x = left; x < left + s.cellWidth; ++x) keyed += img.At(x, y) == kKey;
            float share = static_cast<float>(keyed) / (s.cellWidth * s.cellHeight);
            EXPECT_GT(share, 0.05f);
            EXPECT_LT(share, 0.8f);
        }
    }
}

TEST(PictureFit, ThePointerPointsWithItsTopLeftPixel) {
    TPictureCollection pictures;
    pictures.LoadFromFile(dataFile("general.dat"));
    const RgbImage& arrow = pictures.Find("arrow_menu").Picture();
    // The menu draws the pointer with its corner at the mouse position.
    EXPECT_NE(arrow.At(0, 0), kKey);
    EXPECT_EQ(arrow.At(arrow.width - 1, 0), kKey);
    EXPECT_EQ(arrow.At(0, arrow.height - 1), kKey);
    const RgbImage& dot = pictures.Find("dot").Picture();
    EXPECT_EQ(dot.At(0, 0), kKey);
    EXPECT_NE(dot.At(dot.width / 2, dot.height / 2), kKey);
}

}  // namespace
}  // namespace ik::test
