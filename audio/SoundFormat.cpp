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
    return static_cast<uint32_t>(readU16(bytes, at)) | (static_cast<uint32_t>(readU16(bytes, at + 2)) << 16);
}

}  // namespace

std::optional<PcmFormat> readPcmFormat(std::span<const uint8_t> formatRecord) {
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

size_t deviceFrameCount(size_t sourceFrames, int rate) {
    uint64_t scaled = static_cast<uint64_t>(sourceFrames) * kDeviceRate;
    return static_cast<size_t>((scaled + static_cast<uint64_t>(rate) - 1) / static_cast<uint64_t>(rate));
}

DeviceSamples::DeviceSamples(const PcmFormat& format, std::vector<uint8_t> stored)
    : format_(format),
      stored_(std::move(stored)),
      sourceFrames_(stored_.size() / static_cast<size_t>(format.frameBytes())),
      frames_(sourceFrames_ == 0 ? 0 : deviceFrameCount(sourceFrames_, format.rate)) {}

int DeviceSamples::sample(size_t frame, int channel) const {
    const size_t index =
        frame * static_cast<size_t>(format_.channels) + static_cast<size_t>(std::min(channel, format_.channels - 1));
    if (format_.bits == 8) return (static_cast<int>(stored_[index]) - 128) * 256;
    return static_cast<int16_t>(readU16(stored_, index * 2));
}

void DeviceSamples::AddTo(size_t first, size_t count, int32_t* sums) const {
    // Where device frame `first` lies in source frames, as a whole part and a
    // remainder in 1/44100 steps; stepping on by the rate keeps it exact.
    const uint64_t rate = static_cast<uint64_t>(format_.rate);
    const uint64_t start = static_cast<uint64_t>(first) * rate;
    size_t left = static_cast<size_t>(start / kDeviceRate);
    uint64_t fraction = start % kDeviceRate;
    for (size_t i = 0; i < count; ++i) {
        for (int channel = 0; channel < kDeviceChannels; ++channel) {
            int64_t a = sample(left, channel);
            if (fraction != 0) {
                int64_t b = sample(std::min(left + 1, sourceFrames_ - 1), channel);
                a += (b - a) * static_cast<int64_t>(fraction) / kDeviceRate;
            }
            *sums++ += static_cast<int32_t>(a);
        }
        fraction += rate;
        while (fraction >= kDeviceRate) {
            fraction -= kDeviceRate;
            ++left;
        }
    }
}

std::vector<int16_t> convertToDeviceFormat(const PcmFormat& format, std::span<const uint8_t> stored) {
    DeviceSamples samples(format, std::vector<uint8_t>(stored.begin(), stored.end()));
    std::vector<int32_t> sums(samples.frameCount() * 2);
    samples.AddTo(0, samples.frameCount(), sums.data());
    return {sums.begin(), sums.end()};
}

}  // namespace ik
