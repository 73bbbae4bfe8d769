// Run-length pictures: encoded runs, absolute runs, and the end-of-row,
// end-of-bitmap and offset escapes, in RLE8 and RLE4.
#include <gtest/gtest.h>

#include "DibBytes.h"
#include "assets/Dib.h"

namespace ik {
namespace {

using test::DibFields;
using test::MakeDib;

// Palette entry i is RGB(i, 2i, 3i) for 16 entries, so a picture of indices
// reads back from the colours.
std::vector<TColor> IndexPalette() {
    std::vector<TColor> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back(RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i)));
    return palette;
}

struct RleCase {
    const char* name;
    bool rle4;
    int width, height;  // a negative height stores the top row first
    std::vector<uint8_t> data;
    std::vector<int> topRowFirst;  // palette indices
};

const RleCase kRleCases[] = {
    {"rle8_runs_end_of_row_end_of_bitmap", false, 3, 2, {3, 1, 0, 0, 2, 2, 0, 1}, {2, 2, 0, 1, 1, 1}},
    {"rle8_absolute_run_padded_to_even", false, 4, 1, {0, 3, 5, 6, 7, 0, 1, 8, 0, 1}, {5, 6, 7, 8}},
    {"rle8_offset_moves_right_and_up",
     false,
     4,
     3,
     {1, 1, 0, 2, 2, 1, 1, 2, 0, 1},
     {0, 0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0}},
    {"rle8_end_of_bitmap_ends_early", false, 2, 2, {2, 3, 0, 1, 2, 4}, {0, 0, 3, 3}},
    {"rle8_without_end_mark_stops_at_data_end", false, 2, 2, {2, 3, 0, 0, 1, 4}, {4, 0, 3, 3}},
    {"rle8_run_past_row_end_is_clipped", false, 2, 2, {5, 7, 0, 0, 1, 9, 0, 1}, {9, 0, 7, 7}},
    {"rle8_offset_above_the_picture_writes_nothing", false, 2, 1, {0, 2, 0, 5, 3, 1, 0, 1}, {0, 0}},
    {"rle8_absolute_run_cut_by_data_end", false, 4, 1, {0, 4, 5, 6}, {5, 6, 0, 0}},
    {"rle8_top_down", false, 2, -2, {2, 1, 0, 0, 2, 2, 0, 1}, {1, 1, 2, 2}},
    {"rle4_run_alternates_nibbles", true, 5, 1, {5, 0x12, 0, 1}, {1, 2, 1, 2, 1}},
    {"rle4_absolute_run_padded_to_even",
     true,
     5,
     2,
     {0, 5, 0x12, 0x34, 0x50, 0x00, 0, 0, 0, 3, 0xAB, 0xC0, 0, 1},
     {10, 11, 12, 0, 0, 1, 2, 3, 4, 5}},
    {"rle4_offset_and_end_of_row",
     true,
     3,
     3,
     {0, 2, 1, 1, 1, 0xF0, 0, 0, 2, 0x77, 0, 1},
     {7, 7, 0, 0, 15, 0, 0, 0, 0}},
};

class DibRle : public testing::TestWithParam<RleCase> {};

TEST_P(DibRle, ExpandsToTheIndices) {
    const RleCase& c = GetParam();
    const std::vector<TColor> palette = IndexPalette();
    DibFields fields{.width = c.width,
                     .height = c.height,
                     .bitCount = static_cast<uint16_t>(c.rle4 ? 4 : 8),
                     .compression = static_cast<uint32_t>(c.rle4 ? 2 : 1),
                     .imageSize = static_cast<uint32_t>(c.data.size()),
                     .usedColours = 16,
                     .palette = palette,
                     .pixels = c.data};
    const std::vector<uint8_t> bytes = MakeDib(fields);
    auto dib = TDib::ReadDib(bytes.data(), bytes.size());
    std::vector<TColor> expected;
    for (int index : c.topRowFirst) expected.push_back(palette[static_cast<size_t>(index)]);
    EXPECT_EQ(dib->Image().pixels, expected);
}

INSTANTIATE_TEST_SUITE_P(Commands, DibRle, testing::ValuesIn(kRleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibRleData, OnlyTheAnnouncedBytesAreRunLengthData) {
    // The image size covers the first run only; the bytes after it belong
    // to whatever follows the picture.
    DibFields fields{.width = 2,
                     .height = 1,
                     .bitCount = 8,
                     .compression = 1,
                     .imageSize = 2,
                     .usedColours = 16,
                     .palette = IndexPalette(),
                     .pixels = {1, 5, 1, 6, 0, 1}};
    const std::vector<uint8_t> bytes = MakeDib(fields);
    auto dib = TDib::ReadDib(bytes.data(), bytes.size());
    EXPECT_EQ(dib->Image().pixels, (std::vector<TColor>{IndexPalette()[5], IndexPalette()[0]}));
}

}  // namespace
}  // namespace ik
