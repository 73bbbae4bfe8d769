#include "assets/Wave.h"

#include <algorithm>
#include <cstring>

#include "assets/AssetErrors.h"
#include "assets/Reader.h"

namespace ik {

namespace {
int32_t stepsFor(int32_t size) { return (size + TWave::kDataStep - 1) / TWave::kDataStep; }

uint32_t littleEndian32(const uint8_t* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}
}  // namespace

void TWave::CustomProperties(TReader& reader) {
    reader.CustomBinaryProperty("WAVE", [this](TStream& stream) { ReadWaveFile(stream); });
}

void TWave::SetFormat(const uint8_t* bytes, int32_t size) { format_.assign(bytes, bytes + std::max(size, 0)); }

void TWave::SetSize(int32_t size) {
    size = std::max(size, 0);
    int32_t steps = stepsFor(size);
    if (steps != capacity_ / kDataStep) {
        int32_t capacity = steps * kDataStep;
        std::unique_ptr<uint8_t[]> block;
        if (capacity > 0) {
            block = std::make_unique<uint8_t[]>(static_cast<size_t>(capacity));
            if (data_) std::memcpy(block.get(), data_.get(), static_cast<size_t>(std::min(size_, size)));
        }
        data_ = std::move(block);
        capacity_ = capacity;
    }
    size_ = size;
}

void TWave::Clear() {
    format_.clear();
    data_.reset();
    size_ = 0;
    capacity_ = 0;
}

void TWave::Assign(const TWave* other) {
    if (other == this) return;
    if (!other) {
        Clear();
        return;
    }
    format_ = other->format_;
    SetSize(other->size_);
    if (size_ > 0) std::memcpy(data_.get(), other->data_.get(), static_cast<size_t>(size_));
}

void TWave::ReadWaveFile(TStream& stream) {
    Clear();
    uint8_t header[12];
    stream.ReadBuffer(header, sizeof header);
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
        throw EWaveStreamError("Wave is invalid");
    }

    std::vector<uint8_t> format;
    int64_t dataSize = 0;
    int64_t dataPosition = 0;
    while (true) {
        uint8_t chunk[8] = {};
        stream.Read(chunk, sizeof chunk);
        if (littleEndian32(chunk) == 0) break;
        uint32_t chunkSize = littleEndian32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            // The declared size may exceed what the stream holds: check first.
            if (chunkSize > static_cast<uint64_t>(stream.Remaining())) throw EStreamReadError();
            format.resize(chunkSize);
            stream.ReadBuffer(format.data(), format.size());
        } else {
            if (std::memcmp(chunk, "data", 4) == 0) {
                dataSize = chunkSize;
                dataPosition = stream.Position();
            }
            stream.SetPosition(stream.Position() + chunkSize);
        }
    }

    SetFormat(format.data(), static_cast<int32_t>(format.size()));
    // Sizes are signed 32-bit: a chunk claiming more cannot be held, and a
    // declared size beyond the image fails as a short read below.
    if (dataSize > std::min<int64_t>(INT32_MAX, stream.Size() - dataPosition)) throw EStreamReadError();
    SetSize(static_cast<int32_t>(dataSize));
    TWaveStream samples(stream, dataPosition, dataSize);
    samples.Open();
    if (size_ > 0) samples.ReadBuffer(data_.get(), static_cast<size_t>(size_));
}

TWaveStream::TWaveStream(TStream& source, int64_t dataPosition, int64_t dataSize)
    : source_(source), dataPosition_(dataPosition), size_(dataSize) {}

void TWaveStream::Open() {
    if (open_) throw EWaveStreamError("Stream is already open");
    open_ = true;
}

size_t TWaveStream::Read(void* buffer, size_t count) {
    if (!open_) throw EWaveStreamError("Stream not opened");
    int64_t left = std::max<int64_t>(size_ - position_, 0);
    size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(count)));
    if (n == 0) return 0;
    source_.SetPosition(dataPosition_ + position_);
    size_t got = source_.Read(buffer, n);
    position_ += static_cast<int64_t>(got);
    return got;
}

void TWaveStream::SetPosition(int64_t position) { position_ = std::clamp<int64_t>(position, 0, size_); }

}  // namespace ik
