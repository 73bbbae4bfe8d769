#include "audio/TrackPlayerDescribe.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include "platform/SystemPaths.h"

namespace ik {

namespace {

struct TitleField {
    const char* extension;  // upper case, with the dot
    int offset;             // -1: the title is the file name
    int length;
};

constexpr std::array<TitleField, 7> kModuleTitles = {{
    {".MO3", -1, 0},
    {".IT", 4, 20},
    {".XM", 17, 20},
    {".S3M", 0, 28},
    {".MTM", 4, 20},
    {".MOD", 0, 20},
    {".UMX", -1, 0},
}};

std::string upperExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension;
}

// Titles are padded with blanks or zero bytes.
std::string trimRight(std::string text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    return text;
}

}  // namespace

std::optional<TStreamInfo> describeModuleFile(const std::string& path) {
    const std::filesystem::path file = utf8Path(path);
    const std::string extension = upperExtension(file);
    const auto field = std::find_if(kModuleTitles.begin(), kModuleTitles.end(),
                                    [&](const TitleField& f) { return extension == f.extension; });
    if (field == kModuleTitles.end()) return std::nullopt;

    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;

    TStreamInfo info;
    info.FileSize = static_cast<uint64_t>(size);
    info.SampleRate = 44100;
    info.BitRate = 1408;
    info.Channels = 2;
    if (field->offset < 0) {
        info.Title = file.filename().string();
    } else {
        std::string title(static_cast<std::size_t>(field->length), '\0');
        in.seekg(field->offset);
        if (!in.read(title.data(), field->length)) return std::nullopt;
        info.Title = trimRight(title);
    }
    return info;
}

}  // namespace ik
