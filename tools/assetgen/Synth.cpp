#include "tools/assetgen/Synth.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/Loudness.h"

namespace ik::art {

namespace {

constexpr float kTwoPi = 6.28318530718f;

// Softens the square's jumps (polyBLEP) so high notes do not alias into hiss.
float blep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

// No tone starts or stops faster than this: quicker edges are heard as clicks.
constexpr float kShortestEdge = 0.003f;

// Attack and release follow a raised cosine, so the level leaves and reaches
// silence without a corner.
float easeIn(float x) { return 0.5f - 0.5f * std::cos(std::clamp(x, 0.0f, 1.0f) * kTwoPi / 2); }

float envelopeAt(const Envelope& e, float t, float length) {
    const float attack = std::max(e.attack, kShortestEdge), release = std::max(e.release, kShortestEdge);
    float level = e.sustain;
    if (t < attack) level = easeIn(t / attack);
    else if (t < attack + e.decay)
        level = 1 - (1 - e.sustain) * (t - attack) / e.decay;
    float untilEnd = length - t;
    if (untilEnd < release) level *= easeIn(untilEnd / release);
    return level;
}

}  // namespace

float noteHz(int midiNote) { return 440.0f * std::pow(2.0f, (midiNote - 69) / 12.0f); }

void Take::add(const Tone& tone) {
    size_t first = static_cast<size_t>(tone.start * rate_);
    size_t count = static_cast<size_t>(tone.length * rate_);
    if (samples_.size() < first + count) samples_.resize(first + count, 0.0f);
    float phase = 0, filtered = 0, noiseClock = 0, noiseValue = 1;
    uint16_t lfsr = 0x4A3Du;
    float lowpass = tone.lowpassHz > 0 ? 1 - std::exp(-kTwoPi * tone.lowpassHz / rate_) : 1.0f;
    for (size_t i = 0; i < count; ++i) {
        float t = static_cast<float>(i) / rate_;
        float progress = static_cast<float>(i) / count;
        float freq = tone.freqEnd > 0 ? tone.freq * std::pow(tone.freqEnd / tone.freq, progress) : tone.freq;
        if (tone.vibratoDepth > 0) freq *= 1 + tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
        float dt = freq / rate_;
        float value = 0;
        switch (tone.wave) {
            case Wave::Square:
                // Centred on zero: a narrow pulse otherwise carries its duty
                // cycle as a DC offset.
                value = (phase < tone.duty ? 1.0f : -1.0f) - (2 * tone.duty - 1) + blep(phase, dt) -
                        blep(std::fmod(phase + 1 - tone.duty, 1.0f), dt);
                break;
            case Wave::Triangle:
                value = 4 * std::fabs(phase - 0.5f) - 1;
                break;
            case Wave::Noise:
                noiseClock += freq * 16 / rate_;
                while (noiseClock >= 1) {
                    noiseClock -= 1;
                    uint16_t bit = ((lfsr >> 0) ^ (lfsr >> 1)) & 1u;
                    lfsr = static_cast<uint16_t>((lfsr >> 1) | (bit << 14));
                    noiseValue = (lfsr & 1u) ? 1.0f : -1.0f;
                }
                value = noiseValue;
                break;
        }
        phase += dt;
        phase -= std::floor(phase);
        filtered += (value - filtered) * lowpass;
        samples_[first + i] += filtered * tone.volume * envelopeAt(tone.envelope, t, tone.length);
    }
}

void Take::phrase(Tone base, const std::vector<int>& midiNotes, float start, float step) {
    for (size_t i = 0; i < midiNotes.size(); ++i) {
        if (midiNotes[i] < 0) continue;  // a rest
        base.start = start + step * i;
        base.freq = noteHz(midiNotes[i]);
        add(base);
    }
}

std::vector<float> Take::finish(float peak) const {
    float loudest = 0;
    for (float s : samples_) loudest = std::max(loudest, std::fabs(s));
    return scaled(loudest > 0 ? peak / loudest : 0);
}

std::vector<float> Take::finishAtLoudness(double lufs) const {
    const double now = audio_measure::integratedLoudness(samples_, 1, rate_);
    if (!std::isfinite(now)) return scaled(0);
    return scaled(static_cast<float>(std::pow(10.0, (lufs - now) / 20)));
}

std::vector<float> Take::scaled(float gain) const {
    std::vector<float> out = samples_;
    size_t fade = std::min(out.size() / 4, static_cast<size_t>(rate_ * 0.003f));
    for (size_t i = 0; i < out.size(); ++i) {
        float edge = 1;
        if (i < fade) edge = static_cast<float>(i) / fade;
        if (out.size() - 1 - i < fade) edge = std::min(edge, static_cast<float>(out.size() - 1 - i) / fade);
        out[i] *= gain * edge;
    }
    return out;
}

namespace {

void putLittleEndian(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> wavHeader(int channels, int rate, int bits, uint32_t dataBytes) {
    const uint32_t frameBytes = static_cast<uint32_t>(channels * bits / 8);
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int bytes) { putLittleEndian(out, v, bytes); };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(static_cast<uint32_t>(channels), 2);
    put(static_cast<uint32_t>(rate), 4);
    put(static_cast<uint32_t>(rate) * frameBytes, 4);
    put(frameBytes, 2);
    put(static_cast<uint32_t>(bits), 2);
    tag("data");
    put(dataBytes, 4);
    return out;
}

std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int rate, int bits) {
    std::vector<uint8_t> out = wavHeader(1, rate, bits, static_cast<uint32_t>(samples.size() * (bits / 8)));
    auto put = [&](uint32_t v, int bytes) { putLittleEndian(out, v, bytes); };
    for (float s : samples) {
        float v = std::clamp(s, -1.0f, 1.0f);
        if (bits == 8) out.push_back(static_cast<uint8_t>(std::lround(128 + v * 127)));
        else
            put(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))), 2);
    }
    return out;
}

}  // namespace ik::art
