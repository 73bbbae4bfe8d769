// Cost of the effects mixer. Each iteration fills one device buffer of 512
// frames (11.6 ms of sound); the "realtime" counter says how many seconds of
// sound one second of one core mixes, so 1 / realtime is the share of a core
// the mixer takes while the game plays.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "audio/Mixer.h"
#include "audio/SoundFormat.h"

namespace ik {
namespace {

constexpr int kBufferFrames = 512;

// Noise-like 16-bit stereo, different for every voice.
std::vector<int16_t> noise(int seed, size_t frames) {
    std::vector<int16_t> samples(frames * 2);
    uint32_t state = static_cast<uint32_t>(seed) * 2654435761u + 1;
    for (auto& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<int16_t>(state >> 18);  // loud enough to clip when summed
    }
    return samples;
}

// The same stored as a sound at the device rate.
std::shared_ptr<const DeviceSamples> voiceSamples(int seed, size_t frames) {
    const std::vector<int16_t> samples = noise(seed, frames);
    const auto* bytes = reinterpret_cast<const uint8_t*>(samples.data());
    return std::make_shared<const DeviceSamples>(PcmFormat{kDeviceChannels, kDeviceRate, 16},
                                                 std::vector<uint8_t>(bytes, bytes + samples.size() * 2));
}

void setRealtimeCounter(benchmark::State& state) {
    state.counters["realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kBufferFrames / kDeviceRate, benchmark::Counter::kIsRate);
}

void BM_MixVoices(benchmark::State& state) {
    Mixer mixer;
    std::vector<std::unique_ptr<MixerVoice>> voices;
    for (int i = 0; i < state.range(0); ++i) {
        // Lengths that do not divide the buffer, so voices wrap mid-buffer.
        voices.push_back(std::make_unique<MixerVoice>(mixer, voiceSamples(i, 44100 + 97 * static_cast<size_t>(i))));
        voices.back()->start(true);
    }
    std::vector<int16_t> out(kBufferFrames * 2);
    for (auto _ : state) {
        mixer.mix(out.data(), kBufferFrames);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    setRealtimeCounter(state);
}
BENCHMARK(BM_MixVoices)->Arg(16)->Arg(1)->Arg(0);

// The baseline: copying one buffer's worth of a sound, the least a mixer does.
void BM_CopyOneBuffer(benchmark::State& state) {
    const std::vector<int16_t> samples = noise(1, 44100);
    std::vector<int16_t> out(kBufferFrames * 2);
    size_t position = 0;
    for (auto _ : state) {
        std::memcpy(out.data(), samples.data() + position * 2, out.size() * sizeof(int16_t));
        position = (position + kBufferFrames) % (44100 - kBufferFrames);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    setRealtimeCounter(state);
}
BENCHMARK(BM_CopyOneBuffer);

// Converting a one-second 8-bit mono 22050 Hz sound while it is mixed.
void BM_ConvertOneSecond(benchmark::State& state) {
    std::vector<uint8_t> stored(22050);
    for (size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(i * 7);
    const DeviceSamples samples(PcmFormat{1, 22050, 8}, stored);
    std::vector<int32_t> sums(samples.frameCount() * 2);
    for (auto _ : state) {
        samples.AddTo(0, samples.frameCount(), sums.data());
        benchmark::DoNotOptimize(sums.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ConvertOneSecond);

}  // namespace
}  // namespace ik

BENCHMARK_MAIN();
