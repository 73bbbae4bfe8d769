// Bitmaps nobody on the project wrote (two public BMP suites and files from
// Debian packages), read as a picture file carries them: the whole file as a
// "TBitmap" block and the file without its 14-byte header as a "TDIB" block.
// The expected pictures come from other decoders (expected.tsv beside them).
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

#include "assets/Dib.h"
#include "display/Exception.h"

namespace ik {
namespace {

const std::string kFolder = std::string(IK_CORPUS_DIR) + "/bmp/";

struct Row {
    std::string file, width, height, md5, note;
    std::string Status() const { return note.substr(0, note.find(':')); }
    bool HasPicture() const { return md5 != "-"; }
};

std::vector<Row> ReadExpected() {
    std::ifstream in(kFolder + "expected.tsv");
    std::vector<Row> rows;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Row row;
        std::getline(fields, row.file, '\t');
        std::getline(fields, row.width, '\t');
        std::getline(fields, row.height, '\t');
        std::getline(fields, row.md5, '\t');
        std::getline(fields, row.note);
        rows.push_back(row);
    }
    return rows;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// MD5 of the picture as R, G, B bytes, top row first: how the table was made.
std::string Rgb24Md5(const RgbImage& image) {
    std::vector<uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (TColor c : image.pixels) {
        rgb.push_back(GetRValue(c));
        rgb.push_back(GetGValue(c));
        rgb.push_back(GetBValue(c));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(rgb.data(), rgb.size(), digest, &length, EVP_md5(), nullptr);
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        static const char kDigits[] = "0123456789abcdef";
        hex += kDigits[digest[i] >> 4];
        hex += kDigits[digest[i] & 15];
    }
    return hex;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

// How many set bits follow the lowest set bit of a mask.
int runOfOnes(uint32_t mask) {
    int width = 0;
    while (mask != 0 && (mask & 1) == 0) mask >>= 1;
    for (; mask & 1; mask >>= 1) ++width;
    return width;
}

// What the file's headers say about it, read independently of the decoder:
// the refusal message when it lies outside the formats the game reads
// (12- and 40-byte headers, 1/4/8/16/24/32 bits, compression 0-3 with masks
// as wide as the 16-bit 5-5-5 and 5-6-5 or the 8-8-8 layout).
struct Facts {
    std::optional<std::string> refusal;
    bool pixelsFollowTable = true;  // false: only the file header finds them
    bool runLength = false;
    bool noPixels = false;  // a width or height of 0
};

Facts ReadFacts(const std::vector<uint8_t>& file, bool asFile) {
    Facts facts;
    // No bytes at all, or none after the file header, are an empty picture.
    if (file.empty() || file.size() == 14) {
        facts.noPixels = true;
        if (asFile && !file.empty()) facts.refusal = "DIB is invalid";
        return facts;
    }
    const bool bm = file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
    if (asFile && !bm) {
        facts.refusal = "Bitmap image is not valid";
        return facts;
    }
    if (file.size() < 14) {
        facts.refusal = asFile ? "Stream read error" : "DIB is invalid";
        return facts;
    }
    if (file.size() < 18) {
        facts.refusal = "DIB is invalid";
        return facts;
    }
    const uint32_t headerSize = U32(file, 14);
    if ((headerSize != 12 && headerSize != 40)) {
        facts.refusal = "DIB is invalid";
        return facts;
    }
    if (file.size() < 14 + headerSize) {
        facts.refusal = "Stream read error";
        return facts;
    }
    const bool core = headerSize == 12;
    const int bits = core ? U16(file, 24) : U16(file, 28);
    const uint32_t compression = core ? 0 : U32(file, 30);
    const uint32_t used = core ? 0 : U32(file, 46);
    facts.runLength = compression == 1 || compression == 2;
    facts.noPixels = core ? (U16(file, 18) == 0 || U16(file, 20) == 0) : (U32(file, 18) == 0 || U32(file, 22) == 0);
    if (compression > 3) {
        facts.refusal = "DIB is invalid";
        return facts;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        facts.refusal = "Bitcount in invalid (" + std::to_string(bits) + ")";
        return facts;
    }
    if (!core && static_cast<int32_t>(U32(file, 18)) < 0) {
        facts.refusal = "DIB is invalid";
        return facts;
    }
    uint64_t tableStart = 14 + headerSize;
    if (compression == 3) {
        if (file.size() < 14 + 40 + 12) {
            facts.refusal = "Stream read error";
            return facts;
        }
        const int r = runOfOnes(U32(file, 54)), g = runOfOnes(U32(file, 58)), b = runOfOnes(U32(file, 62));
        const bool ok = bits == 16 ? (r == 5 && (g == 5 || g == 6) && b == 5) : (r == 8 && g == 8 && b == 8);
        if (!ok) {
            facts.refusal = "PixelFormat in invalid";
            return facts;
        }
        tableStart += 12;
    }
    uint64_t entries = used;
    if (entries == 0 && bits <= 8) entries = uint64_t{1} << bits;
    // An offset inside the headers is ignored: the pixels follow the table.
    const uint32_t pixelOffset = U32(file, 10);
    facts.pixelsFollowTable = pixelOffset < tableStart || pixelOffset == tableStart + entries * (core ? 3 : 4);
    return facts;
}

struct Outcome {
    bool decoded = false;
    std::string text;  // the picture's MD5, or the error message
};

Outcome Decode(const std::vector<uint8_t>& file, bool asFile) {
    try {
        std::shared_ptr<TDib> dib =
            asFile ? TDib::ReadBitmapFile(file.data(), file.size()) : TDib::ReadDib(file.data() + 14, file.size() - 14);
        return {true, Rgb24Md5(dib->Image())};
    } catch (const Exception& e) {
        return {false, e.what()};
    }
}

// Where the game's rules knowingly differ from every decoder that reads the file.
const std::map<std::string, std::string> kOurRules = {
    {"bmpsuite/b/pal8badindex.bmp", "indices past the colour table are black; Pillow shows them grey"},
    {"bmptestsuite/questionable/8bpp-pixels-not-in-palette.bmp",
     "indices past the colour table are black; Pillow, the only decoder reading it, differs"},
    {"bmptestsuite/corrupt/4bpp-no-palette.bmp",
     "no colour table: every entry is missing and black; ImageMagick and SDL2 make one up"},
    {"bmptestsuite/corrupt/8bpp-no-palette.bmp",
     "no colour table: every entry is missing and black; ImageMagick and SDL2 make one up"},
    {"bmpsuite/g/rgb32bf.bmp",
     "masks only give the channel widths: 8-8-8 reads red from the third byte wherever the masks put it; "
     "ImageMagick follows the masks"},
};

// The decoders of the note that produced `md5`, as "Pillow and SDL2".
std::optional<std::string> DecodersGiving(const std::string& note, const std::string& md5) {
    const size_t at = note.find(" md5=" + md5);
    if (at == std::string::npos) return std::nullopt;
    const size_t begin = note.rfind("; ", at);
    return note.substr(begin == std::string::npos ? 0 : begin + 2, at - (begin == std::string::npos ? 0 : begin + 2));
}

// How one file read one way compares with the table; "FAIL ..." when it must not.
std::string Verdict(const Row& row, const Facts& facts, const Outcome& got, bool asFile) {
    if (facts.refusal) {
        return !got.decoded && got.text == *facts.refusal ? "refused outside our formats"
                                                          : "FAIL: expected \"" + *facts.refusal + "\"";
    }
    if (!asFile && !facts.pixelsFollowTable) return "needs the file header's pixel offset";
    if (!got.decoded) {
        const bool broken = got.text == "Stream read error" || got.text == "Bitmap image is too large";
        return !row.HasPicture() && broken ? "refused like the others" : "FAIL: refused";
    }
    if (got.text == row.md5) return "matches";
    if (auto names = DecodersGiving(row.note, got.text)) return "agrees with " + *names;
    if (facts.noPixels) return "empty picture where others refuse";
    if (auto rule = kOurRules.find(row.file); rule != kOurRules.end()) return "our rule: " + rule->second;
    if (row.Status() == "disputed" && !row.HasPicture()) return "disputed, a result of our own";
    if (row.Status() == "bad" && facts.runLength) return "shows what cut-short run-length data sets";
    return "FAIL: picture differs";
}

TEST(DibRealWorld, FilesDecodeAsOtherDecodersSay) {
    const std::vector<Row> rows = ReadExpected();
    ASSERT_GT(rows.size(), 200u) << "expected.tsv not found under " << kFolder;
    std::map<std::string, int> counts;  // "form, status: verdict"
    for (const Row& row : rows) {
        if (!std::filesystem::is_regular_file(kFolder + row.file)) {
            ADD_FAILURE() << "corpus file missing: " << kFolder + row.file;
            continue;
        }
        const std::vector<uint8_t> file = ReadFile(kFolder + row.file);
        for (bool asFile : {true, false}) {
            if (!asFile && file.size() < 14) continue;
            const Facts facts = ReadFacts(file, asFile);
            const Outcome got = Decode(file, asFile);
            const std::string verdict = Verdict(row, facts, got, asFile);
            const std::string form = asFile ? "TBitmap" : "TDIB";
            ++counts[form + ", " + row.Status() + ": " + verdict];
            EXPECT_NE(verdict.rfind("FAIL", 0), 0u) << form << " " << row.file << " (" << row.note.substr(0, 120)
                                                    << "): " << verdict << ", got " << got.text;
        }
    }
    for (const auto& [kind, count] : counts) std::printf("%4d  %s\n", count, kind.c_str());
}

}  // namespace
}  // namespace ik
