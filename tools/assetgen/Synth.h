// A chip-style synthesiser for the sound effects: square, triangle and noise
// voices with envelopes, pitch sweeps and vibrato, mixed into one mono take.
#pragma once

#include <cstdint>
#include <vector>

namespace ik::art {

enum class Wave { Square, Triangle, Noise };

struct Envelope {
    float attack = 0.004f;  // seconds to full level; a few ms keep the start click-free
    float decay = 0.0f;     // seconds from full to the sustain level
    float sustain = 1.0f;   // level held after the decay
    float release = 0.02f;  // seconds faded out at the end of the tone
};

struct Tone {
    Wave wave = Wave::Square;
    float start = 0;      // seconds
    float length = 0.1f;  // seconds, release included
    float freq = 440;     // Hz at the start; for noise, the shift-register clock / 16
    float freqEnd = 0;    // Hz at the end (0: no sweep); sweeps are exponential
    float volume = 0.5f;
    float duty = 0.5f;  // square only
    Envelope envelope{};
    float vibratoHz = 0;
    float vibratoDepth = 0;  // fraction of the frequency
    float lowpassHz = 0;     // 0: unfiltered
};

float noteHz(int midiNote);

class Take {
public:
    explicit Take(int rate) : rate_(rate) {}
    void add(const Tone& tone);
    // Several tones one after another, each `step` seconds long, from `start`.
    void phrase(Tone base, const std::vector<int>& midiNotes, float start, float step);
    int rate() const { return rate_; }
    // Peak-normalised to `peak`, with short fades at both ends against clicks.
    std::vector<float> finish(float peak = 0.85f) const;
    // The same, levelled to an integrated loudness instead (LUFS, the mono
    // take heard on both speakers).
    std::vector<float> finishAtLoudness(double lufs) const;

private:
    std::vector<float> scaled(float gain) const;
    int rate_;
    std::vector<float> samples_;
};

// RIFF WAVE, mono PCM, 8-bit (unsigned) or 16-bit.
std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int rate, int bits);
// The 44 bytes before the samples of a plain PCM RIFF WAVE file.
std::vector<uint8_t> wavHeader(int channels, int rate, int bits, uint32_t dataBytes);

}  // namespace ik::art
