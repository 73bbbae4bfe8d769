#include "platform/FontFiles.h"

#include <fontconfig/fontconfig.h>

namespace ik {

namespace {

// Gives back, at the end of the program, what fontconfig's configuration
// parser keeps for itself.
struct Configuration {
    Configuration() { FcInit(); }
    ~Configuration() { FcFini(); }
};

}  // namespace

std::optional<FontFile> matchFontFile(const std::string& family, bool bold, bool italic) {
    static Configuration configuration;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* matched = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!matched) return std::nullopt;
    FcChar8* file = nullptr;
    FcChar8* matchedFamily = nullptr;
    std::optional<FontFile> found;
    if (FcPatternGetString(matched, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetString(matched, FC_FAMILY, 0, &matchedFamily) == FcResultMatch) {
        FontFile font{reinterpret_cast<const char*>(file), 0, reinterpret_cast<const char*>(matchedFamily), false};
        FcPatternGetInteger(matched, FC_INDEX, 0, &font.index);
        FcBool embolden = FcFalse;
        FcPatternGetBool(matched, FC_EMBOLDEN, 0, &embolden);
        font.embolden = embolden == FcTrue;
        found = font;
    }
    FcPatternDestroy(matched);
    return found;
}

}  // namespace ik
