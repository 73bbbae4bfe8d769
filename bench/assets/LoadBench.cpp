#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "assets/ComponentWriter.h"
#include "assets/Dib.h"
#include "assets/PictureCollection.h"
#include "display/DXDraw.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik {
namespace {

// A full-colour picture with smooth areas and edges, like the game's artwork.
RgbImage artwork(int width, int height, int colours) {
    RgbImage image{width, height, {}};
    image.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int band = ((x / 16) * 7 + (y / 12) * 3 + (x * y) / 4096) % colours;
            int shade = colours > 256 ? (x + y) & 0xFF : 0;
            image.pixels.push_back(RGB(static_cast<uint8_t>(band * 37), static_cast<uint8_t>(band * 91 + shade),
                                       static_cast<uint8_t>(band * 13)));
        }
    }
    return image;
}

struct PictureFileShape {
    int width, height, bits;
    bool rle;
    int patternWidth, patternHeight;
};

std::string writePictureFile(const PictureFileShape& shape) {
    RgbImage image = artwork(shape.width, shape.height, shape.bits == 8 ? 200 : 4096);
    DibEncoding encoding{shape.bits, shape.rle};
    std::vector<uint8_t> data{4, 'T', 'D', 'I', 'B'};
    std::vector<uint8_t> dib = writeDib(image, encoding);
    data.insert(data.end(), dib.begin(), dib.end());

    ComponentWriter w;
    w.WriteEnvelope("TPICTURECOLLECTIONCOMPONENT");
    w.WriteSignature();
    w.BeginComponent("TPictureCollectionComponent", "");
    w.WritePropertyName("List.ColorTable");
    w.WriteBinary(std::vector<uint8_t>(1024));
    w.WritePropertyName("List");
    w.BeginCollection();
    w.BeginItem();
    w.WritePropertyName("Name");
    w.WriteString("picture");
    w.WritePropertyName("PatternWidth");
    w.WriteInteger(shape.patternWidth);
    w.WritePropertyName("PatternHeight");
    w.WriteInteger(shape.patternHeight);
    w.WritePropertyName("Picture.Data");
    w.WriteBinary(data);
    w.EndItem();
    w.EndCollection();
    w.WriteEndMarker();
    w.WriteEndMarker();
    std::string path = (std::filesystem::temp_directory_path() /
                        ("ik-bench-" + std::to_string(getpid()) + "-" + std::to_string(shape.bits) +
                         (shape.rle ? "rle" : "") + "-" + std::to_string(shape.patternWidth) + ".dat"))
                           .string();
    writeWholeFile(path, w.Finish());
    return path;
}

// 1000 x 700 at 24 bits: 2.1 MB, the size of the largest pictures.
const PictureFileShape kFullColour{1000, 700, 24, false, 0, 0};

void BM_ReadFileBytes(benchmark::State& state) {
    std::string path = writePictureFile(kFullColour);
    for (auto _ : state) benchmark::DoNotOptimize(readWholeFile(path));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state, PictureFileShape shape) {
    std::string path = writePictureFile(shape);
    HeadlessPlatform platform;
    TDXDraw display(platform);
    display.Initialize();
    TDXImageList list;
    list.SetDXDraw(&display);
    for (auto _ : state) {
        list.Items.LoadFromFile(path);
        benchmark::DoNotOptimize(list.Items.Items(0).Surface(0).Pixels());
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["surfaces"] = list.Items.Items(0).SurfaceCount();
    std::filesystem::remove(path);
}
BENCHMARK_CAPTURE(BM_LoadFromFile, full_colour_24bit, kFullColour)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadFromFile, sprite_sheet_24bit_64x64, PictureFileShape{1000, 700, 24, false, 64, 64})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadFromFile, rle8, PictureFileShape{1000, 700, 8, true, 0, 0})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ik

BENCHMARK_MAIN();
