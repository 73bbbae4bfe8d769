// Text painted into pictures with the faces the game itself uses, so that
// lettering in the artwork matches the lettering drawn over it.
#pragma once

#include <string>

#include "tools/assetgen/Raster.h"

namespace ik::art {

struct Font {
    std::string family;  // "Arial", "Times New Roman", "Courier New"
    int points;
    bool bold;
};

// The glyph cell's top-left corner goes to (x, y), as on the game's canvas.
void drawText(Image& img, float x, float y, const std::string& utf8, const Font& font, Rgba colour);
int textWidth(const std::string& utf8, const Font& font);
int textHeight(const Font& font);
// Lettering with a dark shadow cast down and right, for titles.
void drawShadowedText(Image& img, float x, float y, const std::string& utf8, const Font& font, Rgba colour, Rgba shadow,
                      int distance = 2);
// Centred on cx.
void drawCentredText(Image& img, float cx, float y, const std::string& utf8, const Font& font, Rgba colour);

}  // namespace ik::art
