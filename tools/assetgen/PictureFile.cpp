#include "tools/assetgen/PictureFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "assets/PngFile.h"
#include "tools/assetgen/Quantize.h"

namespace ik::art {

namespace {

uint32_t pack(Rgba c) {
    auto byte = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    return byte(c.r) | (byte(c.g) << 8) | (byte(c.b) << 16);
}

uint16_t as565(uint32_t c) {
    return static_cast<uint16_t>((((c & 0xFF) >> 3) << 11) | (((c >> 8 & 0xFF) >> 2) << 5) | ((c >> 16 & 0xFF) >> 3));
}

}  // namespace

std::vector<uint32_t> storedPixels(const Picture& picture) {
    const Image& img = picture.image;
    std::vector<uint32_t> out;
    out.reserve(static_cast<size_t>(img.width()) * img.height());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            Rgba c = img.at(x, y);
            if (picture.transparent) {
                uint32_t p = c.a >= 0.5f ? pack(c) : kKeyColour;
                // A painted pixel must not become the key once the game converts it to 16 bits.
                if (p != kKeyColour && as565(p) == as565(kKeyColour)) p ^= 0x000400;
                out.push_back(p);
            } else {
                out.push_back(pack({c.r * c.a, c.g * c.a, c.b * c.a, 1}));
            }
        }
    if (picture.storage.bits == 8) out = quantize(out, 256, kKeyColour);
    return out;
}

void writePictureFile(const std::filesystem::path& folder, const std::vector<Picture>& pictures) {
    std::filesystem::create_directories(folder);
    nlohmann::json items = nlohmann::json::array();
    for (const Picture& p : pictures) {
        if (p.storage.rle && p.storage.bits != 8) throw std::logic_error(p.name + ": RLE needs 8 bits");
        std::string file = p.name + ".png";
        writePng((folder / file).string(), p.image.width(), p.image.height(), storedPixels(p));
        items.push_back({{"name", p.name},
                         {"file", file},
                         {"graphic", p.storage.graphic},
                         {"bits", p.storage.bits},
                         {"rle", p.storage.rle},
                         {"pattern_width", p.patternWidth},
                         {"pattern_height", p.patternHeight},
                         {"transparent", p.transparent},
                         {"transparent_color", p.transparent ? kKeyColour : 0}});
    }
    std::ofstream(folder / "manifest.json") << nlohmann::json{{"kind", "pictures"}, {"items", items}}.dump(2) << "\n";
}

}  // namespace ik::art
