#include "tools/assetgen/Text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace ik::art {

namespace {

std::u32string decodeUtf8(const std::string& s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

std::string findFontFile(const Font& font) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(font.family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<char*>(file);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    if (path.empty()) throw std::runtime_error("no font for " + font.family);
    return path;
}

struct Face {
    FT_Face face = nullptr;
    int ascent = 0;
    int cellHeight = 0;
};

class FontCache {
public:
    FontCache() {
        if (FT_Init_FreeType(&library_)) throw std::runtime_error("FreeType did not start");
    }
    ~FontCache() {
        for (auto& [key, face] : faces_) FT_Done_Face(face.face);
        FT_Done_FreeType(library_);
    }
    Face& get(const Font& font) {
        std::string key = font.family + (font.bold ? "/b/" : "/r/") + std::to_string(font.points);
        auto found = faces_.find(key);
        if (found != faces_.end()) return found->second;
        Face f;
        std::string path = findFontFile(font);
        if (FT_New_Face(library_, path.c_str(), 0, &f.face)) throw std::runtime_error("cannot open " + path);
        int em = static_cast<int>(std::lround(font.points * 96.0 / 72.0));
        FT_Set_Pixel_Sizes(f.face, 0, em);
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2));
        double unitsPerEm = f.face->units_per_EM;
        double winAscent = os2 ? os2->usWinAscent : f.face->ascender;
        double winDescent = os2 ? os2->usWinDescent : -f.face->descender;
        f.ascent = static_cast<int>(std::lround(winAscent * em / unitsPerEm));
        f.cellHeight = static_cast<int>(std::lround((winAscent + winDescent) * em / unitsPerEm));
        return faces_.emplace(key, f).first->second;
    }

private:
    FT_Library library_ = nullptr;
    std::map<std::string, Face> faces_;
};

FontCache& fonts() {
    static FontCache cache;
    return cache;
}

}  // namespace

void drawText(Image& img, float x, float y, const std::string& utf8, const Font& font, Rgba colour) {
    Face& f = fonts().get(font);
    float penX = x;
    float baseline = y + f.ascent;
    for (char32_t cp : decodeUtf8(utf8)) {
        if (FT_Load_Char(f.face, cp, FT_LOAD_RENDER)) continue;
        FT_GlyphSlot g = f.face->glyph;
        int left = static_cast<int>(std::lround(penX)) + g->bitmap_left;
        int top = static_cast<int>(std::lround(baseline)) - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                unsigned char cover = g->bitmap.buffer[row * g->bitmap.pitch + col];
                if (cover) img.blend(left + static_cast<int>(col), top + static_cast<int>(row), colour, cover / 255.0f);
            }
        penX += g->advance.x / 64.0f;
    }
}

int textWidth(const std::string& utf8, const Font& font) {
    Face& f = fonts().get(font);
    float width = 0;
    for (char32_t cp : decodeUtf8(utf8)) {
        if (FT_Load_Char(f.face, cp, FT_LOAD_DEFAULT)) continue;
        width += f.face->glyph->advance.x / 64.0f;
    }
    return static_cast<int>(std::lround(width));
}

int textHeight(const Font& font) { return fonts().get(font).cellHeight; }

void drawShadowedText(Image& img, float x, float y, const std::string& utf8, const Font& font, Rgba colour,
                      Rgba shadow, int distance) {
    drawText(img, x + distance, y + distance, utf8, font, shadow);
    drawText(img, x, y, utf8, font, colour);
}

void drawCentredText(Image& img, float cx, float y, const std::string& utf8, const Font& font, Rgba colour) {
    drawText(img, cx - textWidth(utf8, font) / 2.0f, y, utf8, font, colour);
}

}  // namespace ik::art
