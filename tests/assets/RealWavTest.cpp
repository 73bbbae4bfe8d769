// The WAV files of the test corpus, each wrapped as the wave data of
// a sound item, against the figures other decoders give (expected.tsv).
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "assets/AssetErrors.h"
#include "assets/WaveCollection.h"
#include "tests/support/AssetFiles.h"

namespace ik {
namespace {

const std::string kWavDir = std::string(IK_CORPUS_DIR) + "/wav/";

std::string md5(const uint8_t* data, size_t size) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data, size, digest, &length, EVP_md5(), nullptr);
    std::string hex;
    char two[3];
    for (unsigned i = 0; i < length; ++i) {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        hex += two;
    }
    return hex;
}

uint32_t field(const std::vector<uint8_t>& format, size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size && offset + i < format.size(); ++i) value |= format[offset + i] << (8 * i);
    return value;
}

struct Row {
    std::string file, tag, channels, rate, bits, bytes, md5, note;
};

std::vector<Row> readRows() {
    std::ifstream tsv(kWavDir + "expected.tsv");
    std::vector<Row> rows;
    std::string line;
    std::getline(tsv, line);  // header
    while (std::getline(tsv, line)) {
        std::istringstream in(line);
        Row r;
        std::getline(in, r.file, '\t');
        std::getline(in, r.tag, '\t');
        std::getline(in, r.channels, '\t');
        std::getline(in, r.rate, '\t');
        std::getline(in, r.bits, '\t');
        std::getline(in, r.bytes, '\t');
        std::getline(in, r.md5, '\t');
        std::getline(in, r.note);
        rows.push_back(r);
    }
    return rows;
}

// What our reader must give for a row: the samples python's wave and SoX
// agree on; where they disagree, SoX's, which like ours reads the data chunk
// by its own size field (python's wave stops at the RIFF size). Null when no
// decoder produced whole samples we could compare, and for files every
// decoder rejects: for those only the format fields are checked, or the
// reader's refusal (a data chunk longer than the file is "Stream read error"
// here, where SoX plays what is there).
struct Expected {
    std::string bytes, md5;
};
std::optional<Expected> expectedSamples(const Row& row) {
    if (row.note.rfind("ok", 0) == 0) return Expected{row.bytes, row.md5};
    if (row.note.rfind("disputed", 0) != 0) return std::nullopt;
    // "sox reads N bytes (B-bit Signed|Unsigned Integer PCM) md5=X"
    size_t at = row.note.find("sox reads ");
    if (at == std::string::npos) return std::nullopt;
    std::istringstream sox(row.note.substr(at + 10));
    std::string bytes, unit, encoding, md5;
    sox >> bytes >> unit;
    std::getline(sox, encoding, '=');
    sox >> md5;
    if (bytes == "0" || encoding.find("Integer PCM)") == std::string::npos) return std::nullopt;
    return Expected{bytes, md5.substr(0, 32)};
}

TEST(RealWavFiles, ReadAsSoundItemsAgreeWithOtherDecoders) {
    std::vector<Row> rows = readRows();
    ASSERT_GT(rows.size(), 40u) << "expected.tsv not found or short under " << kWavDir;
    int compared = 0, agreed = 0, refused = 0;
    for (const Row& row : rows) {
        if (!std::filesystem::is_regular_file(kWavDir + row.file)) {
            ADD_FAILURE() << "corpus file missing: " << kWavDir + row.file;
            continue;
        }
        std::vector<uint8_t> image = readWholeFile(kWavDir + row.file);
        TWaveCollection waves;
        std::string error;
        try {
            TMemoryStream stream(test::waveFile({[&](ComponentWriter& w) {
                w.WritePropertyName("Name");
                w.WriteString("sound");
                w.WritePropertyName("Wave.WAVE");
                w.WriteBinary(image);
            }}));
            waves.LoadFromStream(stream);
        } catch (const Exception& e) {
            error = e.what();
        }
        std::optional<Expected> expected = expectedSamples(row);
        if (!error.empty()) {
            ++refused;
            EXPECT_FALSE(expected) << row.file << " refused: " << error;
            EXPECT_TRUE(error.ends_with("Stream read error") || error.ends_with("Wave is invalid")) << row.file;
            continue;
        }
        const TWave& wave = waves.Find("sound").Wave();
        const struct {
            const std::string& column;
            size_t offset, size;
        } fields[] = {{row.tag, 0, 2}, {row.channels, 2, 2}, {row.rate, 4, 4}};
        for (const auto& f : fields) {
            if (f.column != "-") {
                EXPECT_EQ(std::to_string(field(wave.Format(), f.offset, f.size)), f.column) << row.file;
            }
        }
        if (!expected) continue;
        ++compared;
        bool same = std::to_string(wave.Size()) == expected->bytes &&
                    md5(wave.Data(), static_cast<size_t>(wave.Size())) == expected->md5;
        EXPECT_TRUE(same) << row.file << ": " << wave.Size() << " bytes, expected " << expected->bytes;
        agreed += same;
    }
    std::cout << "[ summary  ] " << rows.size() << " WAV files: " << agreed << " of " << compared
              << " with agreed samples match, " << refused << " refused\n";
}

}  // namespace
}  // namespace ik
