// The renderer of the 3D path: textures made from whole pictures, cached by
// the picture's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "display/Color.h"
#include "display/Rect.h"
#include "display/RgbImage.h"

namespace ik {

// A power-of-two texture; texels are 0xAABBGGRR. Empty when it could not be made.
struct BlendTexture {
    int width = 0;
    int height = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::vector<uint32_t> texels;

    bool Empty() const { return texels.empty(); }
};

// Texture coordinates of the quad's left/top and right/bottom edges.
struct TexCoords {
    double u0 = 0;
    double v0 = 0;
    double u1 = 0;
    double v1 = 0;
};

// The picture copied into the smallest power-of-two texture (sides at least 2)
// that holds it, the rest black. With `transparent`, texels whose 16-bit
// colour equals that of `transparentColor` get alpha 0, all others 255.
BlendTexture makeBlendTexture(const RgbImage& picture, bool transparent, TColor transparentColor);

// Coordinates of one pattern: its first to its last texel column and row.
TexCoords patternTexCoords(const BlendTexture& texture, const TRect& pattern);
// Coordinates that map the whole picture onto the quad.
TexCoords wholePictureTexCoords(const BlendTexture& texture);

class TD2D {
public:
    static constexpr size_t kMaxTextures = 2048;

    // The texture cached under `name` (case-sensitive); made by `make` when
    // absent. A full cache is emptied before the new entry goes in.
    const BlendTexture& Texture(const std::string& name, const std::function<BlendTexture()>& make);
    // Pictures rebuilt their surfaces: every texture is made again on demand.
    void ClearTextures() { textures_.clear(); }
    size_t TextureCount() const { return textures_.size(); }

private:
    std::unordered_map<std::string, BlendTexture> textures_;
};

}  // namespace ik
