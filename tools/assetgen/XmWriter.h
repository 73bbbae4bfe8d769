// Writes FastTracker 2 extended modules (XM 1.04): header, order table,
// packed patterns, instruments with envelopes and delta-coded samples.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ik::xm {

constexpr uint8_t kKeyOff = 97;

struct Cell {
    uint8_t note = 0;        // 1 = C-0 .. 96 = B-7, kKeyOff, 0 = none
    uint8_t instrument = 0;  // 1-based, 0 = none
    uint8_t volume = 0;      // volume column byte: 0x10 + 0..64 sets the volume, 0 = none
    uint8_t effect = 0;
    uint8_t param = 0;
    bool empty() const { return !note && !instrument && !volume && !effect && !param; }
};

struct Pattern {
    int channels;
    std::vector<std::vector<Cell>> rows;  // rows[row][channel]
};

struct EnvelopePoint {
    uint16_t tick;
    uint16_t value;  // 0..64
};

struct Sample {
    std::string name;
    std::vector<int16_t> data;  // stored with 16 bits when `sixteenBit`, else values -128..127
    bool sixteenBit = false;
    bool loop = false;
    uint32_t loopStart = 0;   // in samples
    uint32_t loopLength = 0;  // in samples
    uint8_t volume = 64;
    int8_t finetune = 0;
    uint8_t panning = 128;
    int8_t relativeNote = 0;
};

struct Instrument {
    std::string name;
    Sample sample;
    std::vector<EnvelopePoint> volumeEnvelope;  // empty: no envelope
    int sustainPoint = -1;
    uint16_t fadeout = 0;
    uint8_t vibratoDepth = 0;
    uint8_t vibratoRate = 0;
    uint8_t vibratoSweep = 0;
};

struct Module {
    std::string title;  // at most 20 bytes
    int channels = 8;
    uint16_t speed = 6;    // ticks per row
    uint16_t tempo = 125;  // BPM
    std::vector<uint8_t> orders;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

std::vector<uint8_t> encode(const Module& module);

}  // namespace ik::xm
