// The font file of a face asked for by family name, weight and slant: the
// system's font matcher on Linux (fontconfig), the Liberation files shipped
// in the game's "fonts" folder on Windows. Each system implements it in its
// own folder.
#pragma once

#include <optional>
#include <string>

namespace ik {

struct FontFile {
    std::string path;    // UTF-8
    int index = 0;       // the face within the file
    std::string family;  // the family the file holds, which may differ from the one asked for
    bool embolden = false;
};

// The best match for the request, or nothing when no face at all can be found.
std::optional<FontFile> matchFontFile(const std::string& family, bool bold, bool italic);

}  // namespace ik
