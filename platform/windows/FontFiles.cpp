#include "platform/FontFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/SystemPaths.h"

namespace ik {

namespace {

struct Family {
    const char* name;
    const char* fileStem;
};

// The families the game ships, with the ones they stand in for by their
// metrics (as fontconfig's aliases give them on Linux).
const Family kFamilies[] = {
    {"liberation sans", "LiberationSans"},
    {"arial", "LiberationSans"},
    {"helvetica", "LiberationSans"},
    {"sans-serif", "LiberationSans"},
    {"liberation serif", "LiberationSerif"},
    {"times new roman", "LiberationSerif"},
    {"times", "LiberationSerif"},
    {"serif", "LiberationSerif"},
    {"liberation mono", "LiberationMono"},
    {"courier new", "LiberationMono"},
    {"courier", "LiberationMono"},
    {"monospace", "LiberationMono"},
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string familyOf(const std::string& fileStem) {
    return fileStem == "LiberationSans"    ? "Liberation Sans"
           : fileStem == "LiberationSerif" ? "Liberation Serif"
                                           : "Liberation Mono";
}

}  // namespace

std::optional<FontFile> matchFontFile(const std::string& family, bool bold, bool italic) {
    // As a font matcher does, a family it does not know gets the default face.
    std::string stem = "LiberationSans";
    for (const Family& known : kFamilies) {
        if (lower(family) == known.name) stem = known.fileStem;
    }
    const char* style = bold && italic ? "-BoldItalic" : bold ? "-Bold" : italic ? "-Italic" : "-Regular";
    const std::filesystem::path file = utf8Path(executableDir()) / "fonts" / (stem + style + ".ttf");
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    return FontFile{utf8String(file), 0, familyOf(stem), false};
}

}  // namespace ik
