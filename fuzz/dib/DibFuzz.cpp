// The bitmap decoder on arbitrary bytes: both ways a picture file carries a
// bitmap, then the pixels. Errors are expected; crashes, sanitizer reports
// and hangs are not.
#include <cstddef>
#include <cstdint>

#include "assets/Dib.h"
#include "display/Exception.h"

namespace {
// Larger inputs only copy more pixel bytes; a few kilobytes hold every header,
// table and run-length case.
constexpr size_t kLargestInput = 8192;
constexpr int64_t kLargestDecoded = int64_t{1} << 12;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kLargestInput) return -1;
    for (auto* read : {&ik::TDib::ReadDib, &ik::TDib::ReadBitmapFile}) {
        try {
            auto dib = read(data, size);
            // Large pictures run the same code as small ones; filling
            // millions of pixels per input would only slow the search.
            if (int64_t{dib->Width()} * dib->Height() > kLargestDecoded) continue;
            const ik::RgbImage& image = dib->Image();
            if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
                __builtin_trap();
        } catch (const ik::Exception&) {
        }
    }
    return 0;
}
