// The browser has no font configuration: the site carries the Liberation
// faces in its font folder, and each answers for the families it is metric
// compatible with, as fontconfig's aliases make it do on a desktop.
#include <algorithm>
#include <array>
#include <cstdio>

#include "display/FontMatch.h"

namespace ik {

namespace {

constexpr const char* kFontFolder = "/fonts/";

struct BundledFamily {
    const char* family;
    const char* filePrefix;
    std::array<const char*, 4> answersFor;
};

constexpr std::array<BundledFamily, 3> kFamilies{{
    {"Liberation Sans", "LiberationSans", {"liberation sans", "arial", "helvetica", "sans-serif"}},
    {"Liberation Serif", "LiberationSerif", {"liberation serif", "times new roman", "times", "serif"}},
    {"Liberation Mono", "LiberationMono", {"liberation mono", "courier new", "courier", "monospace"}},
}};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

const char* styleSuffix(bool bold, bool italic) {
    if (bold) return italic ? "-BoldItalic.ttf" : "-Bold.ttf";
    return italic ? "-Italic.ttf" : "-Regular.ttf";
}

bool readable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

void startFontMatching() {}

void stopFontMatching() {}

std::optional<FaceFile> matchFace(const std::string& family, bool bold, bool italic) {
    const std::string wanted = lower(family);
    for (const BundledFamily& bundled : kFamilies) {
        if (std::find(bundled.answersFor.begin(), bundled.answersFor.end(), wanted) == bundled.answersFor.end()) {
            continue;
        }
        const std::string path = std::string(kFontFolder) + bundled.filePrefix + styleSuffix(bold, italic);
        if (!readable(path)) return std::nullopt;
        return FaceFile{path, 0, bundled.family, false};
    }
    return std::nullopt;
}

}  // namespace ik
