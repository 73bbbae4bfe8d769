#include "XmWriter.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace ik::test {

namespace {

constexpr int kRowsPerPattern = 250;
constexpr int kChannels = 2;
constexpr int kWaveLength = 32;

class Bytes {
public:
    void u8(int value) { data.push_back(static_cast<char>(value & 0xFF)); }
    void u16(int value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(uint32_t value) {
        u16(static_cast<int>(value & 0xFFFF));
        u16(static_cast<int>(value >> 16));
    }
    void text(const std::string& value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) u8(i < value.size() ? value[i] : 0);
    }
    void zeros(std::size_t count) { data.insert(data.end(), count, 0); }
    std::vector<char> data;
};

void header(Bytes& out, const XmSong& song, int patterns) {
    out.text("Extended Module: ", 17);
    out.text(song.title, 20);
    out.u8(0x1A);
    out.text("ironkeel tests", 20);
    out.u16(0x0104);
    out.u32(276);
    out.u16(patterns);  // song length in orders
    out.u16(0);         // restart position
    out.u16(kChannels);
    out.u16(patterns);
    out.u16(1);  // instruments
    out.u16(1);  // linear frequencies
    out.u16(song.speed);
    out.u16(song.bpm);
    for (int order = 0; order < 256; ++order) out.u8(order < patterns ? order : 0);
}

void pattern(Bytes& out, int firstRow, int rows) {
    Bytes cells;
    for (int row = 0; row < rows; ++row) {
        cells.u8(49 + (firstRow + row) % 12);  // note
        cells.u8(1);                           // instrument
        cells.u8(0);                           // volume column
        cells.u8(0);                           // effect
        cells.u8(0);                           // parameter
        cells.u8(0x80);                        // second channel: empty
    }
    out.u32(9);
    out.u8(0);
    out.u16(rows);
    out.u16(static_cast<int>(cells.data.size()));
    out.data.insert(out.data.end(), cells.data.begin(), cells.data.end());
}

void instrument(Bytes& out) {
    out.u32(263);
    out.text("saw", 22);
    out.u8(0);
    out.u16(1);  // samples
    out.u32(40);
    out.zeros(96);       // every note plays sample 0
    out.zeros(48 + 48);  // envelopes
    out.zeros(14);       // envelope counts, sustain, loops, types, vibrato
    out.u16(0);          // fade-out
    out.zeros(2 + 20);
    // Sample header: a looped single-cycle saw, 8-bit, delta coded.
    out.u32(kWaveLength);
    out.u32(0);
    out.u32(kWaveLength);
    out.u8(48);  // volume
    out.u8(0);   // finetune
    out.u8(1);   // forward loop, 8-bit
    out.u8(128);
    out.u8(0);  // relative note
    out.u8(0);
    out.text("saw", 22);
    int previous = 0;
    for (int i = 0; i < kWaveLength; ++i) {
        const int value = -96 + i * 6;
        out.u8(value - previous);
        previous = value;
    }
}

}  // namespace

std::vector<char> MakeXm(const XmSong& song) {
    const int patterns = (song.rows + kRowsPerPattern - 1) / kRowsPerPattern;
    Bytes out;
    header(out, song, patterns);
    for (int p = 0; p < patterns; ++p) {
        const int first = p * kRowsPerPattern;
        pattern(out, first, std::min(kRowsPerPattern, song.rows - first));
    }
    instrument(out);
    return out.data;
}

void WriteFile(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace ik::test
