// A sound file read as the game reads "waves.dat".
#include <cstdint>

#include "display/Exception.h"

#include "assets/WaveCollection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
    }
    return 0;
}
