// Decoding a minute of the game's music through libtrackaudio.so the way the
// relay reads it (chunks of 1152 stereo frames), against copying a minute of
// already decoded sound through the same chunks. "core_share" is the part of
// one core that decoding at real time takes (0.02 = 2 %).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/TrackAudioApi.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kChunkBytes = 4608;
constexpr uint32_t kMinuteBytes = 60 * kRate * 4;

// The game's own module once the data files are built; until then a real
// song of about the same kind from the test corpus.
std::string musicFile() {
    const std::string game = std::string(IK_DATA_DIR) + "/music.dat";
    if (std::filesystem::exists(game)) return game;
    return std::string(IK_CORPUS_DIR) + "/xm/debian/vor/mph.xm";
}

class Library {
public:
    Library() {
        TA_SetConfig(TA_CONFIG_NULL_OUTPUT, 1);
        TA_Init(1, kRate, 0, nullptr, nullptr);
    }
    ~Library() { TA_Free(); }
};

void BM_CopyMinuteOfSound(benchmark::State& state) {
    std::vector<uint8_t> decoded(kMinuteBytes, 1);
    std::vector<uint8_t> chunk(kChunkBytes);
    for (auto _ : state) {
        for (uint32_t offset = 0; offset + kChunkBytes <= kMinuteBytes; offset += kChunkBytes) {
            std::memcpy(chunk.data(), decoded.data() + offset, kChunkBytes);
            benchmark::DoNotOptimize(chunk.data());
        }
        benchmark::ClobberMemory();
    }
    state.counters["core_share"] = benchmark::Counter(60.0 * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CopyMinuteOfSound)->Unit(benchmark::kMillisecond);

void BM_DecodeMinuteOfMusic(benchmark::State& state) {
    Library library;
    const std::string file = musicFile();
    state.SetLabel(std::filesystem::path(file).filename().string());
    const TA_HANDLE music = TA_MusicLoad(0, file.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, 0);
    if (music == 0) {
        state.SkipWithError(("cannot load " + file).c_str());
        return;
    }
    std::vector<uint8_t> chunk(kChunkBytes);
    for (auto _ : state) {
        TA_ChannelSetPosition(music, TA_POSITION_SECONDS(0));
        uint32_t decoded = 0;
        while (decoded < kMinuteBytes) {
            const uint32_t got = TA_ChannelGetData(music, chunk.data(), kChunkBytes);
            decoded += got;
            if (got < kChunkBytes) TA_ChannelSetPosition(music, TA_POSITION_SECONDS(0));  // a short song loops
        }
        benchmark::DoNotOptimize(chunk.data());
    }
    TA_MusicFree(music);
    state.counters["core_share"] = benchmark::Counter(60.0 * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DecodeMinuteOfMusic)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
