// Faces found by the font matcher (fontconfig, or the site's own folder in a
// browser), sized and rasterised by FreeType, with the rendered glyphs cached
// per face, size and glyph.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ik {

// An antialiased glyph: coverage 0..255, `left`/`top` from the pen position
// on the baseline (top upwards), advance in whole pixels.
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

struct FontRequest {
    std::string name;
    bool bold = false;
    bool italic = false;
    int em = 13;  // character height in pixels

    friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// Character height in pixels for a size in points on the 96 dpi screen the
// game was laid out for.
int emPixels(int points);

class FontFace;

// One face at one size: the text cell's metrics and its glyphs.
class SizedFont {
public:
    SizedFont(FontFace* face, int em);
    int Ascent() const { return ascent_; }
    int CellHeight() const { return cellHeight_; }
    // The glyph of a character (the face's missing-glyph shape when it has none).
    const Glyph& GlyphFor(char32_t character);

private:
    const Glyph& render(uint32_t glyphIndex);

    FontFace* face_;
    int em_;
    int ascent_ = 0;
    int cellHeight_ = 0;
    std::unordered_map<uint32_t, Glyph> glyphs_;  // by glyph index
    std::vector<const Glyph*> common_;            // by character, for the Latin ranges
};

// The sized font for a request; null only when no face can be loaded at all.
SizedFont* findFont(const FontRequest& request);
// The family the request resolved to ("" when none), for messages and tests.
std::string fontFamily(const FontRequest& request);

}  // namespace ik
