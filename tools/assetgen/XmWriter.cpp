#include "tools/assetgen/XmWriter.h"

#include <stdexcept>

namespace ik::xm {

namespace {

class Bytes {
public:
    void u8(uint32_t v) { out.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(uint32_t v) {
        u16(v);
        u16(v >> 16);
    }
    void text(const std::string& s, size_t width, char pad = 0) {
        for (size_t i = 0; i < width; ++i) u8(i < s.size() ? static_cast<uint8_t>(s[i]) : static_cast<uint8_t>(pad));
    }
    void zeros(size_t n) { out.insert(out.end(), n, 0); }
    std::vector<uint8_t> out;
};

// Each cell takes a flag byte naming the fields that follow, unless all five
// follow, which are then written plainly.
std::vector<uint8_t> packRows(const Pattern& p) {
    Bytes b;
    for (const auto& row : p.rows)
        for (const Cell& c : row) {
            uint8_t flags = 0x80 | (c.note ? 1 : 0) | (c.instrument ? 2 : 0) | (c.volume ? 4 : 0) | (c.effect ? 8 : 0) |
                            (c.param ? 16 : 0);
            if (flags == 0x9F) {
                for (uint8_t v : {c.note, c.instrument, c.volume, c.effect, c.param}) b.u8(v);
                continue;
            }
            b.u8(flags);
            if (c.note) b.u8(c.note);
            if (c.instrument) b.u8(c.instrument);
            if (c.volume) b.u8(c.volume);
            if (c.effect) b.u8(c.effect);
            if (c.param) b.u8(c.param);
        }
    return b.out;
}

void writeInstrument(Bytes& b, const Instrument& in) {
    if (in.volumeEnvelope.size() > 12) throw std::invalid_argument(in.name + ": more than 12 envelope points");
    b.u32(263);
    b.text(in.name, 22);
    b.u8(0);
    b.u16(1);     // one sample
    b.u32(40);    // sample header size
    b.zeros(96);  // every note plays sample 0
    for (size_t i = 0; i < 12; ++i) {
        EnvelopePoint p = i < in.volumeEnvelope.size() ? in.volumeEnvelope[i] : EnvelopePoint{0, 0};
        b.u16(p.tick);
        b.u16(p.value);
    }
    b.zeros(48);  // no panning envelope
    b.u8(static_cast<uint32_t>(in.volumeEnvelope.size()));
    b.u8(0);
    b.u8(in.sustainPoint >= 0 ? static_cast<uint32_t>(in.sustainPoint) : 0);
    b.u8(0);
    b.u8(0);
    b.zeros(3);
    uint8_t volumeType = in.volumeEnvelope.empty() ? 0 : (1 | (in.sustainPoint >= 0 ? 2 : 0));
    b.u8(volumeType);
    b.u8(0);
    b.u8(0);  // sine vibrato
    b.u8(in.vibratoSweep);
    b.u8(in.vibratoDepth);
    b.u8(in.vibratoRate);
    b.u16(in.fadeout);
    b.zeros(22);

    const Sample& s = in.sample;
    uint32_t bytesPerSample = s.sixteenBit ? 2 : 1;
    b.u32(static_cast<uint32_t>(s.data.size()) * bytesPerSample);
    b.u32(s.loopStart * bytesPerSample);
    b.u32(s.loopLength * bytesPerSample);
    b.u8(s.volume);
    b.u8(static_cast<uint8_t>(s.finetune));
    b.u8((s.loop ? 1 : 0) | (s.sixteenBit ? 0x10 : 0));
    b.u8(s.panning);
    b.u8(static_cast<uint8_t>(s.relativeNote));
    b.u8(0);
    b.text(s.name, 22);
    // Sample data holds the difference of each value from the one before.
    int16_t previous = 0;
    for (int16_t v : s.data) {
        int16_t delta = static_cast<int16_t>(v - previous);
        previous = v;
        if (s.sixteenBit) b.u16(static_cast<uint16_t>(delta));
        else
            b.u8(static_cast<uint8_t>(delta));
    }
}

}  // namespace

std::vector<uint8_t> encode(const Module& m) {
    if (m.orders.empty() || m.orders.size() > 256) throw std::invalid_argument("XM needs 1 to 256 orders");
    if (m.patterns.size() > 256 || m.instruments.size() > 128) throw std::invalid_argument("XM limits exceeded");
    Bytes b;
    b.text("Extended Module: ", 17);
    b.text(m.title, 20, ' ');
    b.u8(0x1A);
    b.text("assetgen", 20, ' ');
    b.u16(0x0104);
    b.u32(276);
    b.u16(static_cast<uint32_t>(m.orders.size()));
    b.u16(0);  // restart position
    b.u16(static_cast<uint32_t>(m.channels));
    b.u16(static_cast<uint32_t>(m.patterns.size()));
    b.u16(static_cast<uint32_t>(m.instruments.size()));
    b.u16(1);  // linear frequency table
    b.u16(m.speed);
    b.u16(m.tempo);
    for (size_t i = 0; i < 256; ++i) b.u8(i < m.orders.size() ? m.orders[i] : 0);
    for (const Pattern& p : m.patterns) {
        if (p.rows.empty() || p.rows.size() > 256) throw std::invalid_argument("XM patterns hold 1 to 256 rows");
        std::vector<uint8_t> packed = packRows(p);
        b.u32(9);
        b.u8(0);
        b.u16(static_cast<uint32_t>(p.rows.size()));
        b.u16(static_cast<uint32_t>(packed.size()));
        b.out.insert(b.out.end(), packed.begin(), packed.end());
    }
    for (const Instrument& in : m.instruments) writeInstrument(b, in);
    return b.out;
}

}  // namespace ik::xm
