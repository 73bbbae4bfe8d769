// One whole frame of episodes 3 and 4 as the shell draws it (clear, the
// episode's frame, present) against the clear and present alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Form.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "display/Drawing.h"
#include "platform/HeadlessPlatform.h"

namespace ik {
namespace {

// A running episode on the generated data, frames driven by the benchmark.
class RunningEpisode {
public:
    explicit RunningEpisode(void (TForm1::*init)()) {
        std::filesystem::current_path(IK_DATA_DIR);
        FormOptions options;
        options.scoresDir = std::filesystem::temp_directory_path().string();
        options.libraryDir = IK_LIBRARY_DIR;
        options.seedGiven = true;
        options.seed = 1;
        form_ = std::make_unique<TForm1>(platform_, options);
        form_->FormCreate();
        form_->Show();
        form_->DXTimer1->Enabled = false;
        if (init) (form_.get()->*init)();
    }
    TForm1& form() { return *form_; }
    void frame(void (TForm1::*episode)()) {
        FillSurface(form_->DXDraw1->Surface(), 0);
        if (episode) (form_.get()->*episode)();
        form_->DXDraw1->Flip();
    }

private:
    HeadlessPlatform platform_;
    std::unique_ptr<TForm1> form_;
};

void BM_ClearAndPresent(benchmark::State& state) {
    RunningEpisode run(nullptr);
    for (auto _ : state) run.frame(nullptr);
}
BENCHMARK(BM_ClearAndPresent);

void BM_Episode3Frame(benchmark::State& state) {
    RunningEpisode run(&TForm1::episode3_init);
    // A soldier in flight every frame, so the soldier and the fire are drawn.
    for (auto _ : state) {
        if (run.form().soldier_x > 800) run.form().soldier_x = 1;
        run.form().fire_size = 60;
        run.frame(&TForm1::episode3);
    }
}
BENCHMARK(BM_Episode3Frame);

void BM_Episode4Frame(benchmark::State& state) {
    RunningEpisode run(&TForm1::episode4_init);
    run.form().code_text = "012345678901";
    run.form().typed_text = "012345";
    for (auto _ : state) run.frame(&TForm1::episode4);
}
BENCHMARK(BM_Episode4Frame);

}  // namespace
}  // namespace ik

BENCHMARK_MAIN();
