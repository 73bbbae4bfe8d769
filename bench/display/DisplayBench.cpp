// Run: build/display_bench  (compare each of ours with the baseline beside it)
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "display/Canvas.h"
#include "display/Drawing.h"
#include "display/Surface.h"

namespace {

using namespace ik;

constexpr uint16_t kKey = 0xF81F;

// A round sprite on the key colour, about a fifth of it transparent, the way
// the game's patterns look.
uint16_t spritePixel(int x, int y, int w, int h) {
    const double dx = (x + 0.5) / w - 0.5, dy = (y + 0.5) / h - 0.5;
    return dx * dx + dy * dy > 0.25 ? kKey : static_cast<uint16_t>(0x1000 + x * 7 + y * 131);
}

void paintSprite(TDirectDrawSurface& s, int w, int h) {
    s.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.SetPixel(x, y, spritePixel(x, y, w, h));
    s.SetColorKey(kKey);
}

SDL_Surface* sdlSprite(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) row[x] = spritePixel(x, y, w, h);
    }
    return s;
}

struct SdlBackBuffer {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
    ~SdlBackBuffer() { SDL_FreeSurface(surface); }
};

void OurKeyedCopy(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    TDirectDrawSurface back, sprite;
    back.SetSize(800, 600);
    paintSprite(sprite, w, h);
    for (auto _ : state) {
        copyClipped(back, 300, 200, sprite, Bounds(0, 0, w, h), true);
        benchmark::DoNotOptimize(back.Pixels());
        benchmark::ClobberMemory();
    }
}

void SdlKeyedBlit(benchmark::State& state, bool rle) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    SdlBackBuffer back;
    SDL_Surface* sprite = sdlSprite(w, h);
    SDL_SetColorKey(sprite, SDL_TRUE, kKey);
    SDL_SetSurfaceRLE(sprite, rle ? 1 : 0);
    for (auto _ : state) {
        SDL_Rect to{300, 200, w, h};
        SDL_BlitSurface(sprite, nullptr, back.surface, &to);
        benchmark::DoNotOptimize(back.surface->pixels);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(sprite);
}
void SdlKeyedBlitPlain(benchmark::State& state) { SdlKeyedBlit(state, false); }
void SdlKeyedBlitRle(benchmark::State& state) { SdlKeyedBlit(state, true); }

void OurOpaqueCopyFullScreen(benchmark::State& state) {
    TDirectDrawSurface back, picture;
    back.SetSize(800, 600);
    paintSprite(picture, 800, 600);
    for (auto _ : state) {
        copyClipped(back, 0, 0, picture, Bounds(0, 0, 800, 600), false);
        benchmark::DoNotOptimize(back.Pixels());
        benchmark::ClobberMemory();
    }
}

void SdlOpaqueBlitFullScreen(benchmark::State& state) {
    SdlBackBuffer back;
    SDL_Surface* picture = sdlSprite(800, 600);
    for (auto _ : state) {
        SDL_BlitSurface(picture, nullptr, back.surface, nullptr);
        benchmark::DoNotOptimize(back.surface->pixels);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(picture);
}

void MemcpyFullScreen(benchmark::State& state) {
    std::vector<uint16_t> from(800 * 600, 0x1234), to(800 * 600);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(uint16_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void OurFillBackBuffer(benchmark::State& state) {
    TDirectDrawSurface back;
    back.SetSize(800, 600);
    for (auto _ : state) {
        FillSurface(back, 0);
        benchmark::DoNotOptimize(back.Pixels());
        benchmark::ClobberMemory();
    }
}

void MemsetBackBuffer(benchmark::State& state) {
    std::vector<uint16_t> back(800 * 600);
    for (auto _ : state) {
        std::memset(back.data(), 0, back.size() * sizeof(uint16_t));
        benchmark::DoNotOptimize(back.data());
        benchmark::ClobberMemory();
    }
}

void OurTextLine(benchmark::State& state) {
    TDirectDrawSurface back;
    back.SetSize(800, 600);
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 12;
    canvas.Font.Color = clWhite;
    canvas.Brush.Style = bsClear;
    const char* line = "Nejlepší skóre: 1250 bodů, úroveň 7, čas 3:25 - žádné obavy!";  // 60 characters
    canvas.TextOut(10, 10, line);                                                       // fills the glyph cache
    for (auto _ : state) {
        canvas.TextOut(10, 10, line);
        benchmark::DoNotOptimize(back.Pixels());
        benchmark::ClobberMemory();
    }
    canvas.Release();
}

}  // namespace

BENCHMARK(OurKeyedCopy)->Args({50, 50})->Args({160, 120});
BENCHMARK(SdlKeyedBlitPlain)->Args({50, 50})->Args({160, 120});
BENCHMARK(SdlKeyedBlitRle)->Args({50, 50})->Args({160, 120});
BENCHMARK(OurOpaqueCopyFullScreen);
BENCHMARK(SdlOpaqueBlitFullScreen);
BENCHMARK(MemcpyFullScreen);
BENCHMARK(OurFillBackBuffer);
BENCHMARK(MemsetBackBuffer);
BENCHMARK(OurTextLine);

BENCHMARK_MAIN();
