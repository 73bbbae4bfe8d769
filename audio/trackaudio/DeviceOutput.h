// The library's own SDL2 audio device; SDL's audio callback is the library's
// playback thread and pulls the mix from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace trackaudio {

class DeviceOutput {
public:
    using Pull = void (*)(int16_t* frames, std::size_t frameCount);
    // Null when no device opens at that rate.
    static std::unique_ptr<DeviceOutput> open(uint32_t rate, Pull pull);
    ~DeviceOutput();  // waits for a running callback
    DeviceOutput(const DeviceOutput&) = delete;
    DeviceOutput& operator=(const DeviceOutput&) = delete;

    uint32_t bufferFrames() const { return bufferFrames_; }

private:
    DeviceOutput(uint32_t device, uint32_t bufferFrames) : device_(device), bufferFrames_(bufferFrames) {}
    uint32_t device_;
    uint32_t bufferFrames_;
};

}  // namespace trackaudio
