// A sound file read as the game reads "waves.dat", and each sound's first and
// last frames as the effects device would mix them.
#include <cstdint>

#include "display/Exception.h"

#include "assets/WaveCollection.h"
#include "audio/SoundFormat.h"

namespace {
// Larger inputs only copy more sample bytes; the seeds, the game's own sounds
// cut short, fit well within this.
constexpr size_t kLargestInput = 65536;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kLargestInput) return -1;
    ik::TWaveCollection waves;
    try {
        ik::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
        waves.LoadFromStream(stream);
    } catch (const ik::Exception&) {
        // Items read before the failure stay and must be usable.
    }
    for (int i = 0; i < waves.Count(); ++i) {
        const ik::TWave& wave = waves.Items(i).Wave();
        if (wave.Size() > wave.DataCapacity() || waves.Items(i).MaxPlayingCount() < 0) __builtin_trap();
        waves.IndexOf(waves.Items(i).Name());
        const auto format = ik::readPcmFormat(wave.Format());
        if (!format) continue;
        const ik::DeviceSamples samples(*format, std::vector<uint8_t>(wave.Data(), wave.Data() + wave.Size()));
        if (samples.frameCount() == 0) continue;
        int32_t sums[4] = {};
        samples.AddTo(0, 1, sums);
        samples.AddTo(samples.frameCount() - 1, 1, sums + 2);
    }
    return 0;
}
