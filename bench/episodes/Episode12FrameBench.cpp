// A whole frame of each episode as the shell draws it: clear, the episode's
// frame, present. The baseline is the clear and present alone.
#include <benchmark/benchmark.h>

#include "BenchForm.h"
#include "app/Form.h"

namespace ik {
namespace {

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
