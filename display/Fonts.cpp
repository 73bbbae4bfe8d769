#include "display/Fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "display/FontMatch.h"

namespace ik {

namespace {
constexpr int kMaxEm = 1024;
constexpr char32_t kCommonCharacters = 0x250;  // Latin-1 and Latin Extended-A/B

// Faces metric-compatible with the ones the game names.
const std::map<std::string, std::string> kCompatibleFamilies = {
    {"arial", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
};
const char* const kFallbackFamilies[] = {"Liberation Sans", "DejaVu Sans", "sans-serif"};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
}  // namespace

class FontFace {
public:
    FontFace(FT_Face face, std::string family, bool embolden)
        : face_(face), family_(std::move(family)), embolden_(embolden) {}
    ~FontFace() { FT_Done_Face(face_); }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    FT_Face face() const { return face_; }
    const std::string& family() const { return family_; }
    bool embolden() const { return embolden_; }

private:
    FT_Face face_;
    std::string family_;
    bool embolden_;
};

namespace {

class FontLibrary {
public:
    FontLibrary() {
        startFontMatching();
        if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
    }
    ~FontLibrary() {
        sized_.clear();
        faces_.clear();
        if (library_) FT_Done_FreeType(library_);
        stopFontMatching();
    }

    SizedFont* find(const FontRequest& request) {
        FontFace* face = faceFor(request);
        if (!face) return nullptr;
        const int em = std::clamp(request.em, 1, kMaxEm);
        auto key = std::make_pair(face, em);
        auto found = sized_.find(key);
        if (found == sized_.end()) {
            found = sized_.emplace(key, std::make_unique<SizedFont>(face, em)).first;
        }
        return found->second.get();
    }

    FontFace* faceFor(const FontRequest& request) {
        auto key = std::make_tuple(request.name, request.bold, request.italic);
        auto found = faces_.find(key);
        if (found != faces_.end()) return found->second.get();
        std::unique_ptr<FontFace> face = match(request.name, request.bold, request.italic);
        if (!face || !acceptable(request.name, face->family())) {
            warnOnce(request.name, face ? face->family() : std::string());
        }
        for (const char* fallback : kFallbackFamilies) {
            if (face) break;
            face = match(fallback, request.bold, request.italic);
        }
        return faces_.emplace(key, std::move(face)).first->second.get();
    }

private:
    static bool acceptable(const std::string& asked, const std::string& got) {
        auto compatible = kCompatibleFamilies.find(lower(asked));
        return lower(asked) == lower(got) ||
               (compatible != kCompatibleFamilies.end() && lower(compatible->second) == lower(got));
    }

    void warnOnce(const std::string& asked, const std::string& got) {
        if (!warned_.insert(lower(asked)).second) return;
        if (got.empty()) {
            std::fprintf(stderr, "ironkeel: no font face matches \"%s\"; trying %s\n", asked.c_str(),
                         kFallbackFamilies[0]);
        } else {
            std::fprintf(stderr, "ironkeel: no font face \"%s\"; using \"%s\" instead\n", asked.c_str(), got.c_str());
        }
    }

    std::unique_ptr<FontFace> match(const std::string& name, bool bold, bool italic) {
        if (!library_) return nullptr;
        const std::optional<FaceFile> file = matchFace(name, bold, italic);
        if (!file) return nullptr;
        FT_Face ftFace = nullptr;
        if (FT_New_Face(library_, file->path.c_str(), file->index, &ftFace) != 0) return nullptr;
        return std::make_unique<FontFace>(ftFace, file->family, file->embolden);
    }

    FT_Library library_ = nullptr;
    std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<FontFace>> faces_;
    std::map<std::pair<FontFace*, int>, std::unique_ptr<SizedFont>> sized_;
    std::set<std::string> warned_;
};

FontLibrary& library() {
    static FontLibrary instance;
    return instance;
}

int scaled(int units, int em, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * em / unitsPerEm));
}

}  // namespace

int emPixels(int points) {
    return std::clamp(static_cast<int>(std::lround(std::abs(points) * 96.0 / 72.0)), 1, kMaxEm);
}

SizedFont::SizedFont(FontFace* face, int em) : face_(face), em_(em), common_(kCommonCharacters, nullptr) {
    FT_Face f = face->face();
    const int unitsPerEm = f->units_per_EM > 0 ? f->units_per_EM : 2048;
    int ascender = f->ascender, descender = -f->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    ascent_ = scaled(ascender, em, unitsPerEm);
    cellHeight_ = scaled(ascender + descender, em, unitsPerEm);
}

const Glyph& SizedFont::GlyphFor(char32_t character) {
    if (character < kCommonCharacters && common_[character]) return *common_[character];
    const Glyph& glyph = render(FT_Get_Char_Index(face_->face(), character));
    if (character < kCommonCharacters) common_[character] = &glyph;
    return glyph;
}

const Glyph& SizedFont::render(uint32_t glyphIndex) {
    auto found = glyphs_.find(glyphIndex);
    if (found != glyphs_.end()) return found->second;
    Glyph glyph;
    FT_Face f = face_->face();
    // The face is shared by all sizes: set this one before each rendering.
    if (FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(em_)) == 0 &&
        FT_Load_Glyph(f, glyphIndex, FT_LOAD_DEFAULT) == 0) {
        if (face_->embolden()) FT_GlyphSlot_Embolden(f->glyph);
        if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_Bitmap& bitmap = f->glyph->bitmap;
            glyph.left = f->glyph->bitmap_left;
            glyph.top = f->glyph->bitmap_top;
            glyph.width = static_cast<int>(bitmap.width);
            glyph.rows = static_cast<int>(bitmap.rows);
            glyph.coverage.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.rows));
            const int pitch = std::abs(bitmap.pitch);
            for (int y = 0; y < glyph.rows; ++y) {
                std::copy_n(bitmap.buffer + static_cast<ptrdiff_t>(y) * pitch, glyph.width,
                            glyph.coverage.begin() + static_cast<ptrdiff_t>(y) * glyph.width);
            }
        }
        glyph.advance = static_cast<int>((f->glyph->advance.x + 32) >> 6);
    }
    return glyphs_.emplace(glyphIndex, std::move(glyph)).first->second;
}

SizedFont* findFont(const FontRequest& request) { return library().find(request); }

std::string fontFamily(const FontRequest& request) {
    FontFace* face = library().faceFor(request);
    return face ? face->family() : std::string();
}

}  // namespace ik
