#include <fontconfig/fontconfig.h>

#include "display/FontMatch.h"

namespace ik {

void startFontMatching() { FcInit(); }

// Gives back what fontconfig's configuration parser keeps for itself.
void stopFontMatching() { FcFini(); }

std::optional<FaceFile> matchFace(const std::string& family, bool bold, bool italic) {
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
    std::optional<FaceFile> face;
    if (FcPatternGetString(matched, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetString(matched, FC_FAMILY, 0, &matchedFamily) == FcResultMatch) {
        int index = 0;
        FcBool embolden = FcFalse;
        FcPatternGetInteger(matched, FC_INDEX, 0, &index);
        FcPatternGetBool(matched, FC_EMBOLDEN, 0, &embolden);
        face = FaceFile{reinterpret_cast<const char*>(file), index, reinterpret_cast<const char*>(matchedFamily),
                        embolden == FcTrue};
    }
    FcPatternDestroy(matched);
    return face;
}

}  // namespace ik
