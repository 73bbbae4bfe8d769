// The sample formats a sound may be stored in, and the one format the effects
// device plays: 16-bit stereo at 44100 Hz.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ik {

constexpr int kDeviceRate = 44100;
constexpr int kDeviceChannels = 2;

// A plain PCM sound the effects device accepts: 8-bit unsigned or 16-bit
// signed little-endian samples, mono or stereo, 100 to 100000 frames per second.
struct PcmFormat {
    int channels = 0;
    int rate = 0;
    int bits = 0;

    int frameBytes() const { return channels * bits / 8; }
};

// Reads a stored wave-format record (the body of a "fmt " chunk). Formats the
// device cannot play (compressed, more than two channels, other sample sizes,
// a block alignment that does not match, a record too short) give nothing.
std::optional<PcmFormat> readPcmFormat(std::span<const uint8_t> formatRecord);

// Number of device frames a sound of `sourceFrames` frames at `rate` lasts:
// rounded up, so that the last source frame is always heard.
size_t deviceFrameCount(size_t sourceFrames, int rate);

// A sound in the device format. The samples are kept as stored and converted
// while they are mixed: converted in advance, an 8-bit mono sound at 100 Hz
// would take 1764 times its size, gigabytes for a few megabytes of file.
class DeviceSamples {
public:
    DeviceSamples(const PcmFormat& format, std::vector<uint8_t> stored);

    // Device frames the sound lasts; a partial frame at the end of the stored
    // data is ignored.
    size_t frameCount() const { return frames_; }
    // Adds device frames first .. first + count - 1 (interleaved left, right)
    // to `sums`. Each is interpolated linearly between the two source frames
    // it lies between, so the result is the same whichever run of frames is
    // asked for.
    void AddTo(size_t first, size_t count, int32_t* sums) const;

private:
    // One stored sample widened to the 16-bit range; mono feeds both channels.
    int sample(size_t frame, int channel) const;

    PcmFormat format_;
    std::vector<uint8_t> stored_;
    size_t sourceFrames_;
    size_t frames_;
};

// Every device frame of a stored sound at once, as the mixer plays it alone:
// for tools and tests that measure a whole sound. The game itself converts
// while it mixes.
std::vector<int16_t> convertToDeviceFormat(const PcmFormat& format, std::span<const uint8_t> stored);

}  // namespace ik
