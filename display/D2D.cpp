#include "display/D2D.h"

#include <algorithm>

namespace ik {

namespace {
// Larger pictures get no texture, as a 3D device of the time would refuse them.
constexpr int kMaxTextureSide = 4096;

int powerOfTwoAtLeast(int n) {
    int side = 2;
    while (side < n) side *= 2;
    return side;
}
}  // namespace

BlendTexture makeBlendTexture(const RgbImage& picture, bool transparent, TColor transparentColor) {
    BlendTexture texture;
    if (picture.Empty() || picture.width > kMaxTextureSide || picture.height > kMaxTextureSide ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
        return texture;
    }
    texture.width = powerOfTwoAtLeast(picture.width);
    texture.height = powerOfTwoAtLeast(picture.height);
    texture.pictureWidth = picture.width;
    texture.pictureHeight = picture.height;
    texture.texels.assign(static_cast<size_t>(texture.width) * static_cast<size_t>(texture.height), 0);
    const uint16_t key = toRgb565(transparentColor);
    auto texel = [&](TColor c) {
        const bool keyed = transparent && toRgb565(c) == key;
        return (c & 0x00FFFFFFu) | (keyed ? 0u : 0xFF000000u);
    };
    for (int y = 0; y < texture.height; ++y) {
        for (int x = 0; x < texture.width; ++x) {
            const bool inside = x < picture.width && y < picture.height;
            texture.texels[static_cast<size_t>(y) * static_cast<size_t>(texture.width) + static_cast<size_t>(x)] =
                texel(inside ? picture.At(x, y) : clBlack);
        }
    }
    return texture;
}

TexCoords patternTexCoords(const BlendTexture& texture, const TRect& pattern) {
    if (texture.Empty()) return {};
    const double w = texture.width, h = texture.height;
    return {pattern.Left / w, pattern.Top / h, (pattern.Right - 1) / w, (pattern.Bottom - 1) / h};
}

TexCoords wholePictureTexCoords(const BlendTexture& texture) {
    if (texture.Empty()) return {};
    return {0, 0, static_cast<double>(texture.pictureWidth) / texture.width,
            static_cast<double>(texture.pictureHeight) / texture.height};
}

const BlendTexture& TD2D::Texture(const std::string& name, const std::function<BlendTexture()>& make) {
    auto found = textures_.find(name);
    if (found != textures_.end()) return found->second;
    if (textures_.size() >= kMaxTextures) textures_.clear();
    return textures_.emplace(name, make()).first->second;
}

}  // namespace ik
