// Every depth and layout decoded to the right pixels, through both ways a
// picture file can carry a bitmap: a bare "TDIB" block and a whole BMP file.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DibBytes.h"
#include "assets/Dib.h"
#include "display/Exception.h"

namespace ik {
namespace {

using test::DibFields;
using test::MakeDib;
using test::PixelOffsetInFile;
using test::WithFileHeader;

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kGreen = RGB(0, 255, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kGrey = RGB(100, 110, 120);

struct DepthCase {
    const char* name;
    DibFields fields;
    int width, height;
    std::vector<TColor> topRowFirst;
};

const DepthCase kDepthCases[] = {
    {"bits1_rows_padded_bottom_first",
     {.width = 3,
      .height = 2,
      .bitCount = 1,
      .palette = {kRed, kBlue},
      .pixels = {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}},
     3,
     2,
     {kRed, kBlue, kRed, kBlue, kRed, kBlue}},
    {"bits4_high_nibble_first",
     {.width = 3,
      .height = 1,
      .bitCount = 4,
      .usedColours = 3,
      .palette = {kRed, kGreen, kBlue},
      .pixels = {0x12, 0x00, 0, 0}},
     3,
     1,
     {kGreen, kBlue, kRed}},
    {"bits4_index_past_short_table_is_black",
     {.width = 2, .height = 1, .bitCount = 4, .usedColours = 2, .palette = {kRed, kGreen}, .pixels = {0x1F, 0, 0, 0}},
     2,
     1,
     {kGreen, clBlack}},
    {"bits8",
     {.width = 2,
      .height = 2,
      .bitCount = 8,
      .usedColours = 3,
      .palette = {kRed, kGreen, kGrey},
      .pixels = {0, 1, 9, 9, 2, 0, 9, 9}},
     2,
     2,
     {kGrey, kRed, kRed, kGreen}},
    {"bits8_core_header_three_byte_entries",
     {.headerSize = 12,
      .width = 2,
      .height = 1,
      .bitCount = 8,
      .palette = std::vector<TColor>(256, kGrey),
      .pixels = {0, 255, 0, 0}},
     2,
     1,
     {kGrey, kGrey}},
    {"bits16_default_555",
     {.width = 3, .height = 1, .bitCount = 16, .pixels = {0x00, 0x7C, 0xE0, 0x03, 0x01, 0x00, 0, 0}},
     3,
     1,
     {kRed, kGreen, RGB(0, 0, 8)}},
    {"bits16_bitfields_565",
     {.width = 3,
      .height = 1,
      .bitCount = 16,
      .compression = 3,
      .masks = {0xF800, 0x07E0, 0x001F},
      .pixels = {0x00, 0xF8, 0x20, 0x00, 0x1F, 0x00, 0, 0}},
     3,
     1,
     {kRed, RGB(0, 4, 0), kBlue}},
    {"bits16_bitfields_555",
     {.width = 1,
      .height = 1,
      .bitCount = 16,
      .compression = 3,
      .masks = {0x7C00, 0x03E0, 0x001F},
      .pixels = {0xE0, 0x03, 0, 0}},
     1,
     1,
     {kGreen}},
    // Only the widths of the masks count: they pick 5-6-5 or 5-5-5, whose
    // channels are read where that layout keeps them.
    {"bits16_masks_of_widths_565_in_other_places",
     {.width = 3,
      .height = 1,
      .bitCount = 16,
      .compression = 3,
      .masks = {0x001F, 0x07E0, 0xF800},
      .pixels = {0x00, 0xF8, 0x20, 0x00, 0x1F, 0x00, 0, 0}},
     3,
     1,
     {kRed, RGB(0, 4, 0), kBlue}},
    {"bits16_masks_of_widths_555_in_other_places",
     {.width = 3,
      .height = 1,
      .bitCount = 16,
      .compression = 3,
      .masks = {0x001F, 0x03E0, 0x7C00},
      .pixels = {0x00, 0x7C, 0xE0, 0x03, 0x01, 0x00, 0, 0}},
     3,
     1,
     {kRed, kGreen, RGB(0, 0, 8)}},
    {"bits24_rows_padded",
     {.width = 2, .height = 2, .bitCount = 24, .pixels = {0, 0, 255, 0, 255, 0, 0, 0, 120, 110, 100, 255, 0, 0, 0, 0}},
     2,
     2,
     {kGrey, kBlue, kRed, kGreen}},
    {"bits24_core_header",
     {.headerSize = 12, .width = 1, .height = 1, .bitCount = 24, .pixels = {120, 110, 100, 0}},
     1,
     1,
     {kGrey}},
    {"bits32_fourth_byte_ignored",
     {.width = 2, .height = 1, .bitCount = 32, .pixels = {120, 110, 100, 0xAA, 255, 0, 0, 0x55}},
     2,
     1,
     {kGrey, kBlue}},
    {"bits32_bitfields_888",
     {.width = 1,
      .height = 1,
      .bitCount = 32,
      .compression = 3,
      .masks = {0xFF0000, 0xFF00, 0xFF},
      .pixels = {0, 255, 0, 0}},
     1,
     1,
     {kGreen}},
    {"bits32_masks_of_widths_888_in_other_places",
     {.width = 2,
      .height = 1,
      .bitCount = 32,
      .compression = 3,
      .masks = {0xFF, 0xFF00, 0xFF0000},
      .pixels = {0, 0, 255, 0, 120, 110, 100, 0}},
     2,
     1,
     {kRed, kGrey}},
    {"bits32_masks_of_widths_888_in_the_top_bytes",
     {.width = 2,
      .height = 1,
      .bitCount = 32,
      .compression = 3,
      .masks = {0xFF000000, 0xFF0000, 0xFF00},
      .pixels = {255, 0, 0, 0xAA, 120, 110, 100, 0}},
     2,
     1,
     {kBlue, kGrey}},
    {"negative_height_rows_top_first",
     {.width = 1,
      .height = -3,
      .bitCount = 8,
      .usedColours = 3,
      .palette = {kRed, kGreen, kBlue},
      .pixels = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0}},
     1,
     3,
     {kRed, kGreen, kBlue}},
    {"table_over_256_entries_skipped_before_pixels",
     {.width = 1,
      .height = 1,
      .bitCount = 8,
      .usedColours = 300,
      .palette =
          [] {
              std::vector<TColor> p(300, kRed);
              p[7] = kGreen;
              return p;
          }(),
      .pixels = {7, 0, 0, 0}},
     1,
     1,
     {kGreen}},
};

class DibDepths : public testing::TestWithParam<DepthCase> {};

void expectImage(TDib& dib, const DepthCase& c) {
    EXPECT_EQ(dib.Width(), c.width);
    EXPECT_EQ(dib.Height(), c.height);
    const RgbImage& image = dib.Image();
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.pixels, c.topRowFirst);
}

TEST_P(DibDepths, BareDibDecodes) {
    const std::vector<uint8_t> bytes = MakeDib(GetParam().fields);
    auto dib = TDib::ReadDib(bytes.data(), bytes.size());
    EXPECT_EQ(dib->BitCount(), GetParam().fields.bitCount);
    EXPECT_EQ(dib->Compression(), GetParam().fields.compression);
    expectImage(*dib, GetParam());
}

TEST_P(DibDepths, BitmapFileDecodes) {
    const std::vector<uint8_t> bytes = WithFileHeader(MakeDib(GetParam().fields), PixelOffsetInFile(GetParam().fields));
    auto dib = TDib::ReadBitmapFile(bytes.data(), bytes.size());
    expectImage(*dib, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDepths, testing::ValuesIn(kDepthCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibEmpty, NoBytesGiveAnEmptyPicture) {
    for (auto* read : {&TDib::ReadDib, &TDib::ReadBitmapFile}) {
        auto dib = read(nullptr, 0);
        EXPECT_TRUE(dib->Empty());
        EXPECT_TRUE(dib->Image().pixels.empty());
    }
}

TEST(DibEmpty, ZeroWidthIsAnEmptyPicture) {
    const std::vector<uint8_t> bytes = MakeDib({.width = 0, .height = 5});
    auto dib = TDib::ReadDib(bytes.data(), bytes.size());
    EXPECT_TRUE(dib->Empty());
    EXPECT_TRUE(dib->Image().pixels.empty());
}

// Whether the data is all there decides first; the size limit is that of a
// surface, so a picture whose data is complete loads up to it.
TEST(DibSize, CompleteDataLoadsUpToTheSurfaceLimit) {
    // 8192 x 8192 is the largest square a surface holds.
    auto oneBit = [](int32_t width, int32_t height, size_t drop = 0) {
        DibFields fields{.width = width, .height = height, .bitCount = 1, .palette = {kRed, kBlue}};
        fields.pixels.resize(static_cast<size_t>((width + 31) / 32 * 4) * static_cast<size_t>(std::abs(height)) - drop);
        return MakeDib(fields);
    };
    auto rle8 = [](int32_t width, int32_t height, uint32_t imageSize) {
        return MakeDib({.width = width,
                        .height = height,
                        .bitCount = 8,
                        .compression = 1,
                        .imageSize = imageSize,
                        .usedColours = 1,
                        .palette = {kRed},
                        .pixels = {0, 1}});
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string error;  // empty: it loads
    } cases[] = {
        {"1 bit, 8192 x 8192", oneBit(8192, 8192), ""},
        {"1 bit, 8192 x 8192, top row first", oneBit(8192, -8192), ""},
        {"1 bit, 8192 x 8193", oneBit(8192, 8193), "Bitmap image is too large"},
        {"1 bit, 8192 x 8192, one byte short", oneBit(8192, 8192, 1), "Stream read error"},
        {"run-length, 8192 x 8192", rle8(8192, 8192, 2), ""},
        {"run-length, 8193 x 8192", rle8(8193, 8192, 2), "Bitmap image is too large"},
        {"run-length, 8193 x 8192, more data announced than held", rle8(8193, 8192, 3), "Stream read error"},
        {"100000 x 100000 with 4 bytes of pixels", MakeDib({.width = 100000, .height = 100000, .pixels = {0, 0, 0, 0}}),
         "Stream read error"},
    };
    for (const Case& c : cases) {
        std::string error;
        try {
            auto dib = TDib::ReadDib(c.bytes.data(), c.bytes.size());
            EXPECT_EQ(int64_t{dib->Width()} * dib->Height(), TDib::kMaxPixels) << c.what;
        } catch (const Exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error) << c.what;
    }
}

TEST(DibImage, SecondCallGivesTheSamePixels) {
    const std::vector<uint8_t> bytes = MakeDib({.width = 1, .height = 1, .pixels = {1, 2, 3, 0}});
    auto dib = TDib::ReadDib(bytes.data(), bytes.size());
    const RgbImage& first = dib->Image();
    const RgbImage& second = dib->Image();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.pixels, std::vector<TColor>{RGB(3, 2, 1)});
}

// A BMP file's own pixel offset wins over the table the header announces:
// writers leave gaps after the table or store fewer entries than announced.
struct OffsetCase {
    const char* name;
    int32_t shift;  // pixel offset relative to the end of the announced table
    std::vector<TColor> expected;
};

class DibFileOffset : public testing::TestWithParam<OffsetCase> {};

TEST_P(DibFileOffset, PixelsAreFoundWhereTheFileHeaderSays) {
    // 8 bits, 4 entries announced, 1 x 1 picture of index 3.
    DibFields fields{.width = 1,
                     .height = 1,
                     .bitCount = 8,
                     .usedColours = 4,
                     .palette = {kRed, kGreen, kBlue, kGrey},
                     .pixels = {3, 0, 0, 0}};
    const int32_t shift = GetParam().shift;
    std::vector<uint8_t> dib = MakeDib(fields);
    if (shift > 0) {
        dib.insert(dib.end() - 4, static_cast<size_t>(shift), uint8_t{0xEE});
    } else if (shift < 0) {
        dib.erase(dib.end() - 4 + shift, dib.end() - 4);  // a short table
    }
    const uint32_t offset = static_cast<uint32_t>(static_cast<int32_t>(PixelOffsetInFile(fields)) + shift);
    const std::vector<uint8_t> file = WithFileHeader(dib, offset);
    EXPECT_EQ(TDib::ReadBitmapFile(file.data(), file.size())->Image().pixels, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Offsets, DibFileOffset,
                         testing::Values(OffsetCase{"gap_after_table", 12, {kGrey}},
                                         OffsetCase{"table_one_entry_short", -4, {clBlack}},
                                         OffsetCase{"no_table_at_all", -16, {clBlack}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibFileOffset, OffsetInsideTheHeaderMeansRightAfterTheTable) {
    DibFields fields{
        .width = 1, .height = 1, .bitCount = 8, .usedColours = 2, .palette = {kRed, kGreen}, .pixels = {1, 0, 0, 0}};
    for (uint32_t offset : {0u, 14u, 20u}) {
        const std::vector<uint8_t> file = WithFileHeader(MakeDib(fields), offset);
        EXPECT_EQ(TDib::ReadBitmapFile(file.data(), file.size())->Image().pixels, std::vector<TColor>{kGreen})
            << "offset " << offset;
    }
}

}  // namespace
}  // namespace ik
