// Little builders for the bytes a stored sound is made of.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace ik::test {

inline void putU16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

inline void putU32(std::vector<uint8_t>& out, uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

struct FormatFields {
    unsigned tag = 1;
    unsigned channels = 1;
    uint32_t rate = 44100;
    unsigned bits = 16;
    int blockAlign = -1;  // -1: channels * bits / 8
};

// The body of a "fmt " chunk (16 bytes, plus the extra-size word when asked).
inline std::vector<uint8_t> formatRecord(const FormatFields& f, bool withExtraSize = false) {
    std::vector<uint8_t> out;
    unsigned align = f.blockAlign >= 0 ? static_cast<unsigned>(f.blockAlign) : f.channels * f.bits / 8;
    putU16(out, f.tag);
    putU16(out, f.channels);
    putU32(out, f.rate);
    putU32(out, f.rate * align);
    putU16(out, align);
    putU16(out, f.bits);
    if (withExtraSize) putU16(out, 0);
    return out;
}

inline std::vector<uint8_t> samples16(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) putU16(out, static_cast<unsigned>(static_cast<uint16_t>(v)));
    return out;
}

}  // namespace ik::test
