#include "audio/SoundFormat.h"

#include <algorithm>

namespace ik {

namespace {

constexpr uint16_t kPcmFormatTag = 1;
constexpr size_t kPcmRecordSize = 16;  // tag, channels, rate, byte rate, align, bits
constexpr int kMinRate = 100;
constexpr int kMaxRate = 100000;

uint16_t readU16(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t readU32(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(readU16(bytes, at)) |
           (static_cast<uint32_t>(readU16(bytes, at + 2)) << 16);
}

// One stored sample widened to the 16-bit range.
int sampleAt(std::span<const uint8_t> samples, size_t index, int bits) {
    if (bits == 8) return (static_cast<int>(samples[index]) - 128) * 256;
    return static_cast<int16_t>(readU16(samples, index * 2));
}

}  // namespace

std::optional<PcmFormat> ReadPcmFormat(std::span<const uint8_t> formatRecord) {
    if (formatRecord.size() < kPcmRecordSize) return std::nullopt;
    if (readU16(formatRecord, 0) != kPcmFormatTag) return std::nullopt;
    PcmFormat format;
    format.channels = readU16(formatRecord, 2);
    uint32_t rate = readU32(formatRecord, 4);
    format.bits = readU16(formatRecord, 14);
    if (format.channels < 1 || format.channels > 2) return std::nullopt;
    if (format.bits != 8 && format.bits != 16) return std::nullopt;
    if (rate < kMinRate || rate > kMaxRate) return std::nullopt;
    format.rate = static_cast<int>(rate);
    if (readU16(formatRecord, 12) != format.frameBytes()) return std::nullopt;
    return format;
}

size_t DeviceFrameCount(size_t sourceFrames, int rate) {
    uint64_t scaled = static_cast<uint64_t>(sourceFrames) * kDeviceRate;
    return static_cast<size_t>((scaled + static_cast<uint64_t>(rate) - 1) / static_cast<uint64_t>(rate));
}

std::vector<int16_t> ConvertToDeviceFormat(const PcmFormat& format,
                                           std::span<const uint8_t> samples) {
    const size_t sourceFrames = samples.size() / static_cast<size_t>(format.frameBytes());
    const size_t frames = sourceFrames == 0 ? 0 : DeviceFrameCount(sourceFrames, format.rate);
    std::vector<int16_t> out(frames * kDeviceChannels);
    const auto channelSample = [&](size_t frame, int channel) {
        // Mono feeds both device channels.
        int sourceChannel = std::min(channel, format.channels - 1);
        return sampleAt(samples, frame * static_cast<size_t>(format.channels) +
                                     static_cast<size_t>(sourceChannel),
                        format.bits);
    };
    for (size_t i = 0; i < frames; ++i) {
        // Exact position of output frame i in source frames: whole part and
        // remainder in 1/44100 steps, so no rounding drift builds up.
        uint64_t position = static_cast<uint64_t>(i) * static_cast<uint64_t>(format.rate);
        size_t left = static_cast<size_t>(position / kDeviceRate);
        int64_t fraction = static_cast<int64_t>(position % kDeviceRate);
        size_t right = std::min(left + 1, sourceFrames - 1);
        for (int channel = 0; channel < kDeviceChannels; ++channel) {
            int64_t a = channelSample(left, channel);
            int64_t b = channelSample(right, channel);
            out[i * kDeviceChannels + static_cast<size_t>(channel)] =
                static_cast<int16_t>(a + (b - a) * fraction / kDeviceRate);
        }
    }
    return out;
}

}  // namespace ik
