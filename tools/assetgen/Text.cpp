#include "tools/assetgen/Text.h"

#include <mutex>
#include <stdexcept>

#include "display/Fonts.h"
#include "display/Utf8.h"

namespace ik::art {

namespace {

// The pictures are drawn on several threads; the font cache is shared.
std::mutex fontLock;

// The game's own faces and glyphs, so painted lettering matches the canvas's.
SizedFont& sized(const Font& font) {
    SizedFont* f = findFont({font.family, font.bold, false, emPixels(font.points)});
    if (!f) throw std::runtime_error("no face for " + font.family);
    return *f;
}

}  // namespace

void drawText(Image& img, float x, float y, const std::string& utf8, const Font& font, Rgba colour) {
    std::lock_guard<std::mutex> guard(fontLock);
    SizedFont& f = sized(font);
    int penX = static_cast<int>(x);
    int baseline = static_cast<int>(y) + f.Ascent();
    for (char32_t cp : decodeUtf8(utf8)) {
        const Glyph& g = f.GlyphFor(cp);
        for (int row = 0; row < g.rows; ++row)
            for (int col = 0; col < g.width; ++col) {
                uint8_t cover = g.coverage[static_cast<size_t>(row) * g.width + col];
                if (cover) img.blend(penX + g.left + col, baseline - g.top + row, colour, cover / 255.0f);
            }
        penX += g.advance;
    }
}

int textWidth(const std::string& utf8, const Font& font) {
    std::lock_guard<std::mutex> guard(fontLock);
    SizedFont& f = sized(font);
    int width = 0;
    for (char32_t cp : decodeUtf8(utf8)) width += f.GlyphFor(cp).advance;
    return width;
}

int textHeight(const Font& font) {
    std::lock_guard<std::mutex> guard(fontLock);
    return sized(font).CellHeight();
}

void drawShadowedText(Image& img, float x, float y, const std::string& utf8, const Font& font, Rgba colour, Rgba shadow,
                      int distance) {
    drawText(img, x + distance, y + distance, utf8, font, shadow);
    drawText(img, x, y, utf8, font, colour);
}

void drawCentredText(Image& img, float cx, float y, const std::string& utf8, const Font& font, Rgba colour) {
    drawText(img, cx - textWidth(utf8, font) / 2.0f, y, utf8, font, colour);
}

}  // namespace ik::art
