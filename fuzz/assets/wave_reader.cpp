// One RIFF WAVE image, as the wave data of a sound item.
#include <cstdint>

#include "display/Exception.h"

#include "assets/Wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ik::TWave wave;
    try {
        ik::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
        wave.ReadWaveFile(stream);
    } catch (const ik::Exception&) {
        return 0;
    }
    // What was read must lie within the image.
    if (static_cast<size_t>(wave.Size()) + static_cast<size_t>(wave.FormatSize()) > size) __builtin_trap();
    return 0;
}
