// How long turning an 800 x 600 bitmap into full colour takes, per stored
// form, next to copying the finished pixels (the least any decoder costs).
#include <benchmark/benchmark.h>

#include <cstring>

#include "assets/Dib.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// A screen-like picture: flat areas with edges, 200 colours.
ik::RgbImage Screen() {
    ik::RgbImage image{kWidth, kHeight, {}};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int k = (x / 40 + (y / 30) * 20) % 200;
            image.pixels.push_back(
                ik::RGB(static_cast<uint8_t>(k), static_cast<uint8_t>(255 - k), static_cast<uint8_t>(k * 3)));
        }
    return image;
}

void CopyPixels(benchmark::State& state) {
    const ik::RgbImage image = Screen();
    std::vector<uint32_t> out(image.pixels.size());
    for (auto _ : state) {
        std::memcpy(out.data(), image.pixels.data(), out.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopyPixels);

void Decode(benchmark::State& state, ik::DibEncoding encoding) {
    const std::vector<uint8_t> bytes = ik::writeDib(Screen(), encoding);
    state.counters["bytes"] = static_cast<double>(bytes.size());
    for (auto _ : state) {
        auto dib = ik::TDib::ReadDib(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(dib->Image().pixels.data());
    }
}
BENCHMARK_CAPTURE(Decode, bits8, ik::DibEncoding{8, false});
BENCHMARK_CAPTURE(Decode, bits8_rle8, ik::DibEncoding{8, true});
BENCHMARK_CAPTURE(Decode, bits16, ik::DibEncoding{16, false});
BENCHMARK_CAPTURE(Decode, bits24, ik::DibEncoding{24, false});

}  // namespace

BENCHMARK_MAIN();
