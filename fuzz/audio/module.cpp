// A module file as the music player hands it to the library: loaded, its
// length counted, decoded from the start and after a seek.
#include <libopenmpt/libopenmpt.hpp>

#include <cstdint>
#include <exception>
#include <sstream>
#include <vector>

#include "audio/trackaudio/ModuleDecoder.h"

namespace {
// The lowest rate the decoder renders at: counting a module's length decodes
// all of it, and mutated modules run to minutes.
constexpr uint32_t kRate = 8000;
// Larger inputs add nothing but decoding time; the game's own module is built
// from patterns and instruments that fit in this many bytes.
constexpr size_t kLargestInput = 16384;
// Counting the length decodes the whole song, and a few hundred bytes can
// announce a song of hours, which takes minutes to count. Such songs are left
// out here; the search is for faults in what the decoder does with a module.
constexpr double kLongestSongSeconds = 10.0;

bool songTooLong(const std::vector<char>& bytes) {
    std::ostringstream discardedLog;
    try {
        return openmpt::module(bytes, discardedLog).get_duration_seconds() > kLongestSongSeconds;
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kLargestInput) return -1;
    const std::vector<char> bytes(data, data + size);
    if (songTooLong(bytes)) return -1;
    auto decoder = trackaudio::ModuleDecoder::load(bytes, kRate, false);
    if (!decoder) return 0;
    std::vector<int16_t> frames(2 * 1024);
    const uint64_t length = decoder->lengthFrames();
    if (decoder->decode(frames.data(), 1024) > 1024) __builtin_trap();
    if (!decoder->seekFrame(length / 2)) __builtin_trap();
    decoder->decode(frames.data(), 1024);
    if (decoder->seekFrame(length + 1)) __builtin_trap();
    return 0;
}
