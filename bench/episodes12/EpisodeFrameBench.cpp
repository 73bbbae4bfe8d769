// A whole frame of each episode as the shell draws it: clear, the episode's
// frame, present. The baseline is the clear and present alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Form.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "display/Drawing.h"
#include "display/Surface.h"
#include "platform/HeadlessPlatform.h"

namespace ik {
namespace {

// A form started on the generated data, in the data folder itself.
struct BenchForm {
    BenchForm() {
        std::filesystem::current_path(IK_DATA_DIR);
        FormOptions options;
        options.scoresDir = std::filesystem::temp_directory_path().string();
        options.libraryDir = IK_LIBRARY_DIR;
        options.seedGiven = true;
        options.seed = 1;
        form = std::make_unique<TForm1>(platform, options);
        form->FormCreate();
        form->Show();
        form->DXTimer1->Enabled = false;
    }
    void frame(void (TForm1::*episode)()) {
        FillSurface(form->DXDraw1->Surface(), 0);
        if (episode) (form.get()->*episode)();
        form->DXDraw1->Flip();
    }
    HeadlessPlatform platform;
    std::unique_ptr<TForm1> form;
};

void BM_ClearAndPresent(benchmark::State& state) {
    BenchForm bench;
    for (auto _ : state) bench.frame(nullptr);
}
BENCHMARK(BM_ClearAndPresent);

void BM_Episode1Frame(benchmark::State& state) {
    BenchForm bench;
    bench.form->episode1_init();
    for (auto _ : state) {
        bench.frame(&TForm1::episode1);
        // Keep the game running: a life lost to a fallen item must not end it.
        bench.form->lives = 20;
    }
}
BENCHMARK(BM_Episode1Frame);

void BM_Episode2Frame(benchmark::State& state) {
    BenchForm bench;
    bench.form->episode2_init();
    bench.form->meter1 = 300;
    bench.form->meter2 = 400;
    bench.form->meter3 = 200;
    for (auto _ : state) bench.frame(&TForm1::episode2);
}
BENCHMARK(BM_Episode2Frame);

}  // namespace
}  // namespace ik

BENCHMARK_MAIN();
