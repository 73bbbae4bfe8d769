// The program icon: the menu's emblem on its own.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/Look.h"
#include "tools/assetgen/Pictures.h"

namespace ik::art {

std::vector<uint32_t> programIcon(int size) {
    Image img(size, size);
    const float centre = size / 2.0f;
    wheelEmblem(img, centre, centre, size * 27.0f / 64.0f);
    std::vector<uint32_t> pixels;
    auto byte = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba p = img.at(x, y);
            pixels.push_back(byte(p.r) | byte(p.g) << 8 | byte(p.b) << 16 | byte(p.a) << 24);
        }
    return pixels;
}

}  // namespace ik::art
