// Broken and unsupported bitmaps fail with the fixed messages, never by
// reading past the data.
#include <gtest/gtest.h>

#include "DibBytes.h"
#include "assets/Dib.h"
#include "display/Exception.h"

namespace ik {
namespace {

using test::DibFields;
using test::MakeDib;
using test::WithFileHeader;

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
}

std::vector<uint8_t> WithHeaderSize(uint32_t size) {
    std::vector<uint8_t> bytes = MakeDib({});
    bytes[0] = static_cast<uint8_t>(size);
    return bytes;
}

const DibFields kOnePixel8{
    .width = 1, .height = 1, .bitCount = 8, .usedColours = 2, .palette = {clBlack, clWhite}, .pixels = {1, 0, 0, 0}};

struct ErrorCase {
    const char* name;
    bool asFile;  // a whole BMP file, else a bare bitmap
    std::vector<uint8_t> bytes;
    const char* message;
};

const ErrorCase kErrorCases[] = {
    {"header_shorter_than_4_bytes", false, {40, 0, 0}, "DIB is invalid"},
    {"header_size_64", false, WithHeaderSize(64), "DIB is invalid"},
    {"header_size_108", false, WithHeaderSize(108), "DIB is invalid"},
    {"compression_4", false, MakeDib({.compression = 4, .pixels = {0, 0, 0, 0}}), "DIB is invalid"},
    {"negative_width", false, MakeDib({.width = -1, .pixels = {0, 0, 0, 0}}), "DIB is invalid"},
    {"bit_count_2", false, MakeDib({.bitCount = 2}), "Bitcount in invalid (2)"},
    {"bit_count_0", false, MakeDib({.bitCount = 0}), "Bitcount in invalid (0)"},
    {"bit_count_64", false, MakeDib({.bitCount = 64}), "Bitcount in invalid (64)"},
    {"masks_16_bit_880", false,
     MakeDib({.bitCount = 16, .compression = 3, .masks = {0xFF00, 0x00FF, 0}, .pixels = {0, 0, 0, 0}}),
     "PixelFormat in invalid"},
    {"masks_32_bit_555", false,
     MakeDib({.bitCount = 32, .compression = 3, .masks = {0x7C00, 0x03E0, 0x1F}, .pixels = {0, 0, 0, 0}}),
     "PixelFormat in invalid"},
    {"masks_16_bit_888", false,
     MakeDib({.bitCount = 16, .compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF}, .pixels = {0, 0, 0, 0}}),
     "PixelFormat in invalid"},
    {"masks_16_bit_no_red", false,
     MakeDib({.bitCount = 16, .compression = 3, .masks = {0, 0x07E0, 0x1F}, .pixels = {0, 0, 0, 0}}),
     "PixelFormat in invalid"},
    {"masks_24_bit_565", false,
     MakeDib({.bitCount = 24, .compression = 3, .masks = {0xF800, 0x07E0, 0x1F}, .pixels = {0, 0, 0, 0}}),
     "PixelFormat in invalid"},
    {"header_cut", false, Cut(MakeDib({}), 10), "Stream read error"},
    {"masks_cut", false, MakeDib({.bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0}}), "Stream read error"},
    {"colour_table_cut", false, Cut(MakeDib(kOnePixel8), 6), "Stream read error"},
    {"pixels_one_byte_short", false, Cut(MakeDib(kOnePixel8), 1), "Stream read error"},
    {"run_length_data_shorter_than_announced", false,
     MakeDib({.bitCount = 8,
              .compression = 1,
              .imageSize = 6,
              .usedColours = 2,
              .palette = {clBlack, clWhite},
              .pixels = {1, 0, 0, 1}}),
     "Stream read error"},
    {"table_over_256_entries_past_the_data", false,
     MakeDib({.bitCount = 8, .usedColours = 0x7FFFFFFF, .pixels = {0, 0, 0, 0}}), "Stream read error"},
    {"larger_than_any_picture_and_its_data", false,
     MakeDib({.width = 100000, .height = 100000, .pixels = {0, 0, 0, 0}}), "Stream read error"},
    {"wider_than_any_picture_top_down_and_its_data", false, MakeDib({.width = 0x40000001, .height = -2}),
     "Stream read error"},
    {"larger_than_any_surface_in_a_few_bytes_of_run_length_data", false,
     MakeDib({.width = 0x40000001,
              .height = -2,
              .bitCount = 8,
              .compression = 1,
              .imageSize = 2,
              .usedColours = 1,
              .palette = {clBlack},
              .pixels = {0, 1}}),
     "Bitmap image is too large"},
    {"file_not_starting_with_BM", true, {'B', 'A', 14, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}, "Bitmap image is not valid"},
    {"file_of_one_byte", true, {'B'}, "Bitmap image is not valid"},
    {"file_header_cut", true, {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0}, "Stream read error"},
    {"file_without_bitmap", true, {'B', 'M', 14, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0}, "DIB is invalid"},
    {"file_pixel_offset_past_the_end", true, WithFileHeader(MakeDib(kOnePixel8), 0xFFFFFFFF), "Stream read error"},
};

class DibErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(DibErrors, FailWithTheFixedMessage) {
    const ErrorCase& c = GetParam();
    // A copy of exactly the case's size, so that AddressSanitizer sees any
    // read past the end.
    const std::vector<uint8_t> bytes = c.bytes;
    try {
        if (c.asFile) {
            TDib::ReadBitmapFile(bytes.data(), bytes.size())->Image();
        } else {
            TDib::ReadDib(bytes.data(), bytes.size())->Image();
        }
        ADD_FAILURE() << "no error, expected \"" << c.message << "\"";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Messages, DibErrors, testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ik
