// One whole frame of episodes 3 and 4 as the shell draws it (clear, the
// episode's frame, present); the baseline is in Episode12FrameBench.cpp.
#include <benchmark/benchmark.h>

#include "BenchForm.h"

namespace ik {
namespace {

void BM_Episode3Frame(benchmark::State& state) {
    BenchForm bench;
    bench.form->episode3_init();
    // A soldier in flight every frame, so the soldier and the fire are drawn,
    // and a fire that never goes out.
    for (auto _ : state) {
        if (bench.form->soldier_x > 800) bench.form->soldier_x = 1;
        bench.form->fire_size = 60;
        bench.frame(&TForm1::episode3);
    }
}
BENCHMARK(BM_Episode3Frame);

void BM_Episode4Frame(benchmark::State& state) {
    BenchForm bench;
    bench.form->episode4_init();
    bench.form->code_text = "012345678901";
    bench.form->typed_text = "012345";
    for (auto _ : state) bench.frame(&TForm1::episode4);
}
BENCHMARK(BM_Episode4Frame);

}  // namespace
}  // namespace ik
