// The sample formats a sound may be stored in, and the one format the effects
// device plays: every sound is converted once, when its master buffer is
// built, so that mixing is a plain sum of 16-bit stereo frames.
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
std::optional<PcmFormat> ReadPcmFormat(std::span<const uint8_t> formatRecord);

// Number of device frames a sound of `sourceFrames` frames at `rate` lasts:
// rounded up, so that the last source frame is always heard.
size_t DeviceFrameCount(size_t sourceFrames, int rate);

// Converts whole frames of `samples` to interleaved 16-bit stereo at the
// device rate (linear interpolation between neighbouring source frames). A
// partial frame at the end of the data is ignored.
std::vector<int16_t> ConvertToDeviceFormat(const PcmFormat& format,
                                           std::span<const uint8_t> samples);

}  // namespace ik
