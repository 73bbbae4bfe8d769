#include "assets/PngFile.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

#include "assets/AssetErrors.h"
#include "display/Color.h"

namespace ik {

namespace {
void writeRgb24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        throw Exception(Format("Cannot create file %s", path));
    }
}
}  // namespace

void writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgbPixels) {
    std::vector<uint8_t> rgb;
    rgb.reserve(rgbPixels.size() * 3);
    for (uint32_t c : rgbPixels) {
        rgb.push_back(GetRValue(c));
        rgb.push_back(GetGValue(c));
        rgb.push_back(GetBValue(c));
    }
    writeRgb24(path, width, height, rgb);
}

void writePng565(const std::string& path, int width, int height, const uint16_t* pixels) {
    std::vector<uint8_t> rgb;
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    rgb.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        uint16_t p = pixels[i];
        // Widen by repeating the top bits, so that white stays white.
        uint8_t r = static_cast<uint8_t>((p >> 11) << 3), g = static_cast<uint8_t>(((p >> 5) & 0x3F) << 2),
                b = static_cast<uint8_t>((p & 0x1F) << 3);
        rgb.push_back(static_cast<uint8_t>(r | (r >> 5)));
        rgb.push_back(static_cast<uint8_t>(g | (g >> 6)));
        rgb.push_back(static_cast<uint8_t>(b | (b >> 5)));
    }
    writeRgb24(path, width, height, rgb);
}

RgbImage readPng(const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) throw EFOpenError(Format("Cannot open file %s", path));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        throw Exception(Format("%s is not a valid PNG file", path));
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        throw Exception(Format("%s is not a valid PNG file", path));
    }
    RgbImage out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    out.pixels.reserve(rgb.size() / 3);
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) out.pixels.push_back(RGB(rgb[i], rgb[i + 1], rgb[i + 2]));
    return out;
}

}  // namespace ik
