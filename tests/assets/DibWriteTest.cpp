// The writer of the pack tool: what it writes reads back as the same picture.
#include <gtest/gtest.h>

#include "assets/Dib.h"
#include "assets/DibFormat.h"
#include "display/Exception.h"

namespace ik {
namespace {

// A picture of `colours` distinct colours in short runs and single pixels.
RgbImage Pattern(int width, int height, int colours) {
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = ((x / 3) * 7 + y * 13 + (x % 2)) % colours;
            image.pixels.push_back(
                RGB(static_cast<uint8_t>(k * 37), static_cast<uint8_t>(255 - k), static_cast<uint8_t>(k * 5)));
        }
    return image;
}

// Every pixel a colour of its own.
RgbImage distinct(int width, int height) {
    RgbImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.pixels.push_back(RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 0x5A));
    return image;
}

RgbImage filled(int width, int height, TColor colour) {
    return RgbImage{width, height, std::vector<TColor>(static_cast<size_t>(width) * height, colour)};
}

RgbImage ReadBack(const std::vector<uint8_t>& bytes, bool asFile) {
    auto dib = asFile ? TDib::ReadBitmapFile(bytes.data(), bytes.size()) : TDib::ReadDib(bytes.data(), bytes.size());
    return dib->Image();
}

struct RoundTrip {
    const char* name;
    DibEncoding encoding;
    uint32_t compression;
};

const RoundTrip kEncodings[] = {
    {"bits8", {8, false}, dib::kRgb},
    {"bits8_rle8", {8, true}, dib::kRle8},
    {"bits16_565", {16, false}, dib::kBitFields},
    {"bits24", {24, false}, dib::kRgb},
};

class DibRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(DibRoundTrip, ReadsBackTheSamePixels) {
    const RoundTrip& c = GetParam();
    // Odd widths exercise row padding; 600 exercises runs longer than 255.
    const RgbImage pictures[] = {Pattern(1, 1, 1), Pattern(3, 2, 5), Pattern(37, 11, 200), distinct(16, 16),
                                 filled(600, 3, RGB(9, 8, 7))};
    for (const RgbImage& picture : pictures) {
        for (bool asFile : {false, true}) {
            const std::vector<uint8_t> bytes =
                asFile ? writeBitmapFile(picture, c.encoding) : writeDib(picture, c.encoding);
            auto dib =
                asFile ? TDib::ReadBitmapFile(bytes.data(), bytes.size()) : TDib::ReadDib(bytes.data(), bytes.size());
            EXPECT_EQ(dib->BitCount(), c.encoding.bits);
            EXPECT_EQ(dib->Compression(), c.compression);
            const RgbImage& back = dib->Image();
            ASSERT_EQ(back.width, picture.width);
            ASSERT_EQ(back.height, picture.height);
            ASSERT_EQ(back.pixels.size(), picture.pixels.size());
            for (size_t i = 0; i < picture.pixels.size(); ++i) {
                // 16 bits keep what the 16-bit display keeps.
                if (c.encoding.bits == 16) {
                    ASSERT_EQ(toRgb565(back.pixels[i]), toRgb565(picture.pixels[i])) << picture.width << " pixel " << i;
                } else {
                    ASSERT_EQ(back.pixels[i], picture.pixels[i]) << picture.width << " pixel " << i;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, DibRoundTrip, testing::ValuesIn(kEncodings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibWrite, Rle8IsSmallerOnRuns) {
    const RgbImage picture = filled(64, 64, RGB(1, 2, 3));
    const size_t plain = writeDib(picture, {8, false}).size();
    const size_t packed = writeDib(picture, {8, true}).size();
    EXPECT_LT(packed * 10, plain);
}

TEST(DibWrite, Rle8OfSinglePixelsStaysReadable) {
    // No two neighbours alike: everything goes into absolute runs.
    RgbImage picture{255 + 4, 2, {}};
    for (int i = 0; i < picture.width * picture.height; ++i)
        picture.pixels.push_back(RGB(static_cast<uint8_t>(i % 251), 0, 0));
    const std::vector<uint8_t> bytes = writeDib(picture, {8, true});
    EXPECT_EQ(ReadBack(bytes, false).pixels, picture.pixels);
}

TEST(DibWrite, FileHeaderPointsAtThePixels) {
    const RgbImage picture = distinct(3, 2);
    const std::vector<uint8_t> file = writeBitmapFile(picture, {8, false});
    const std::vector<uint8_t> bare = writeDib(picture, {8, false});
    ASSERT_EQ(file.size(), bare.size() + 14);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(dib::loadU32(file.data() + 2), file.size());
    // File header, info header, 6 palette entries of 4 bytes, then the rows.
    EXPECT_EQ(dib::loadU32(file.data() + 10), 14u + 40u + 6u * 4u);
    EXPECT_TRUE(std::equal(bare.begin(), bare.end(), file.begin() + 14));
}

struct WriteErrorCase {
    const char* name;
    RgbImage picture;
    DibEncoding encoding;
    const char* message;
};

TEST(DibWrite, RefusesWhatItCannotStore) {
    const WriteErrorCase cases[] = {
        {"257 colours at 8 bits",
         distinct(257, 1),
         {8, false},
         "Picture has more than 256 colours; it cannot be stored with 8 bits"},
        {"32 bits", Pattern(2, 2, 2), {32, false}, "Bitmaps are written with 8, 16 or 24 bits, not 32"},
        {"RLE8 at 24 bits", Pattern(2, 2, 2), {24, true}, "RLE8 needs 8 bits per pixel"},
        {"pixels missing", RgbImage{4, 4, {1, 2}}, {24, false}, "Picture size does not match its pixels"},
    };
    for (const WriteErrorCase& c : cases) {
        try {
            writeDib(c.picture, c.encoding);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
}

}  // namespace
}  // namespace ik
