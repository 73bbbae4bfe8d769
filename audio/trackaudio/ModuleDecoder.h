// One tracker module opened with libopenmpt at a fixed output rate: exact
// length, exact seeks and 16-bit stereo decoding. Not thread-safe: the owning
// channel locks it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace openmpt {
class module;
}

namespace trackaudio {

class ModuleDecoder {
public:
    // Null when libopenmpt refuses the bytes or the module has no channels.
    // A `silent` decoder gives zeros where the sound would be, the same
    // frames at the same places, and decodes nothing.
    static std::unique_ptr<ModuleDecoder> load(const std::vector<char>& bytes, uint32_t rate, bool silent);
    ~ModuleDecoder();
    ModuleDecoder(const ModuleDecoder&) = delete;
    ModuleDecoder& operator=(const ModuleDecoder&) = delete;

    uint32_t rate() const { return rate_; }
    // Frames of one decode from the start to the end, measured at load
    // from the song's timing without decoding it.
    uint64_t lengthFrames() const { return lengthFrames_; }
    // Moves to exactly `frame` from the start, with every note of the old
    // place gone; false beyond the end.
    bool seekFrame(uint64_t frame);
    // Decodes up to `frames` interleaved stereo frames; fewer at the end.
    std::size_t decode(int16_t* interleaved, std::size_t frames);

private:
    ModuleDecoder(std::vector<char> bytes, std::unique_ptr<openmpt::module> module, uint32_t rate,
                  uint64_t lengthFrames, bool silent);
    void discard(uint64_t frames);

    std::vector<char> bytes_;
    std::unique_ptr<openmpt::module> module_;
    uint32_t rate_;
    uint64_t lengthFrames_;
    bool silent_;
    uint64_t silentFrame_ = 0;
};

}  // namespace trackaudio
