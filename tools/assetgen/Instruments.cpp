#include "tools/assetgen/Instruments.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/Synth.h"

namespace ik::music {

namespace {

// 64 samples per cycle, raised an octave, so C-4 sounds at 261 Hz.
constexpr int kCycle = 64;

// Centred on zero and scaled to the 8-bit range: a narrow pulse would
// otherwise carry its duty cycle into the mix as a DC offset.
xm::Sample cycle(const char* name, float (*shape)(float phase), int volume) {
    xm::Sample s;
    s.name = name;
    float values[kCycle], mean = 0, peak = 0;
    for (int i = 0; i < kCycle; ++i) mean += (values[i] = shape((i + 0.5f) / kCycle)) / kCycle;
    for (float& v : values) peak = std::max(peak, std::fabs(v -= mean));
    for (float v : values) s.data.push_back(static_cast<int16_t>(std::lround(v / peak * 124)));
    s.loop = true;
    s.loopLength = kCycle;
    s.volume = static_cast<uint8_t>(volume);
    s.relativeNote = 12;
    return s;
}

float squareHalf(float p) { return p < 0.5f ? 1.0f : -1.0f; }
float squareQuarter(float p) { return p < 0.25f ? 1.0f : -1.0f; }
float squareEighth(float p) { return p < 0.125f ? 1.0f : -1.0f; }
float triangleWave(float p) { return 4 * std::fabs(p - 0.5f) - 1; }

// Drums come from the effects synthesiser at 16726 Hz, the rate C-5 plays at.
xm::Sample drum(const char* name, const art::Take& take, float peak) {
    xm::Sample s;
    s.name = name;
    s.sixteenBit = true;
    for (float v : take.finish(peak)) s.data.push_back(static_cast<int16_t>(std::lround(v * 32767)));
    return s;
}

constexpr int kDrumRate = 16726;

art::Take kick() {
    art::Take take(kDrumRate);
    take.add({.wave = art::Wave::Triangle,
              .length = 0.22f,
              .freq = 160,
              .freqEnd = 42,
              .envelope = {0.001f, 0.16f, 0.0f, 0.05f}});
    return take;
}

art::Take snare() {
    art::Take take(kDrumRate);
    take.add({.wave = art::Wave::Noise,
              .length = 0.2f,
              .freq = 1600,
              .envelope = {0.001f, 0.15f, 0.0f, 0.04f},
              .lowpassHz = 6000});
    take.add({.wave = art::Wave::Triangle,
              .length = 0.08f,
              .freq = 220,
              .freqEnd = 150,
              .volume = 0.6f,
              .envelope = {0.001f, 0.06f, 0.0f, 0.02f}});
    return take;
}

art::Take hat() {
    art::Take take(kDrumRate);
    take.add({.wave = art::Wave::Noise, .length = 0.05f, .freq = 6000, .envelope = {0.001f, 0.04f, 0.0f, 0.01f}});
    return take;
}

xm::Instrument withEnvelope(const char* name, xm::Sample sample, std::vector<xm::EnvelopePoint> points, int sustain,
                            uint16_t fadeout) {
    xm::Instrument in;
    in.name = name;
    in.sample = std::move(sample);
    in.volumeEnvelope = std::move(points);
    in.sustainPoint = sustain;
    in.fadeout = fadeout;
    return in;
}

}  // namespace

std::vector<xm::Instrument> moduleInstruments() {
    std::vector<xm::Instrument> list;
    // Tones swell in from silence (a note never starts with a jump), settle
    // and hold until released; a release fades out within eight ticks
    // (fadeout 8192 of 65536 a tick), quick enough to end before a stretch
    // starts again.
    list.push_back(withEnvelope("square lead", cycle("square 50%", squareHalf, 56),
                                {{0, 0}, {1, 64}, {10, 50}, {40, 40}}, 3, 8192));
    list.push_back(
        withEnvelope("pulse", cycle("pulse 25%", squareQuarter, 50), {{0, 0}, {2, 60}, {12, 40}, {48, 32}}, 3, 8192));
    list.push_back(
        withEnvelope("bell", cycle("pulse 12.5%", squareEighth, 50), {{0, 0}, {1, 64}, {6, 30}, {40, 0}}, -1, 8192));
    list.push_back(withEnvelope("bass", cycle("triangle", triangleWave, 64), {{0, 0}, {1, 64}, {20, 56}}, 2, 8192));
    xm::Instrument fife = withEnvelope("fife", cycle("fife", triangleWave, 64), {{0, 0}, {3, 64}, {20, 52}}, 2, 8192);
    fife.vibratoDepth = 6;
    fife.vibratoRate = 24;
    fife.vibratoSweep = 24;
    list.push_back(fife);
    list.push_back(withEnvelope("kick", drum("kick", kick(), 0.95f), {}, -1, 0));
    list.push_back(withEnvelope("snare", drum("snare", snare(), 0.8f), {}, -1, 0));
    list.push_back(withEnvelope("hat", drum("hat", hat(), 0.5f), {}, -1, 0));
    list.push_back(withEnvelope("stab", cycle("stab", squareHalf, 44), {{0, 0}, {1, 64}, {10, 0}}, -1, 8192));
    // The hat is short and quiet: eight bits are plenty for it.
    auto& hatSample = list[7].sample;
    hatSample.sixteenBit = false;
    for (int16_t& v : hatSample.data) v = static_cast<int16_t>(v / 256);
    return list;
}

}  // namespace ik::music
