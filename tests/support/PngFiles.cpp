#include "tests/support/PngFiles.h"

#include <png.h>

#include <stdexcept>

namespace ik::test {

Frame readShot(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) throw std::runtime_error("cannot read " + path);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error("cannot decode " + path);
    }
    Frame frame{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    frame.pixels.reserve(rgb.size() / 3);
    // The shots widen 5-6-5 channels to 8 bits by repeating their top bits;
    // dropping the low bits gives the drawn pixel back exactly.
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        frame.pixels.push_back(
            static_cast<uint16_t>(((rgb[i] >> 3) << 11) | ((rgb[i + 1] >> 2) << 5) | (rgb[i + 2] >> 3)));
    }
    return frame;
}

void writeRgbPng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (uint32_t p : pixels) {
        rgb.push_back(static_cast<uint8_t>(p));
        rgb.push_back(static_cast<uint8_t>(p >> 8));
        rgb.push_back(static_cast<uint8_t>(p >> 16));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + path);
}

}  // namespace ik::test
