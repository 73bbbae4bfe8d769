// The sound data of one named sound: the body of a RIFF WAVE image's "fmt "
// chunk and the samples of its "data" chunk.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "assets/Persistent.h"
#include "assets/Stream.h"

namespace ik {

class TWave : public TPersistent {
public:
    // Sample blocks grow in steps of this many bytes.
    static constexpr int32_t kDataStep = 8096;

    std::string ClassName() const override { return "TWave"; }
    void CustomProperties(TReader& reader) override;

    const std::vector<uint8_t>& Format() const { return format_; }
    int32_t FormatSize() const { return static_cast<int32_t>(format_.size()); }
    void SetFormat(const uint8_t* bytes, int32_t size);

    const uint8_t* Data() const { return data_.get(); }
    uint8_t* Data() { return data_.get(); }
    int32_t Size() const { return size_; }
    // Keeps the first min(old, new) bytes. A negative size counts as 0; the
    // block is reallocated only when the number of steps changes.
    void SetSize(int32_t size);
    int32_t DataCapacity() const { return capacity_; }

    // Empties the wave, then fills it from the RIFF WAVE image starting at the
    // stream's position.
    void ReadWaveFile(TStream& stream);
    // Copies another wave's format and samples; null empties this one.
    void Assign(const TWave* other);
    void Clear();

private:
    std::vector<uint8_t> format_;
    std::unique_ptr<uint8_t[]> data_;
    int32_t size_ = 0;
    int32_t capacity_ = 0;
};

// A read-only window on the sample bytes of a WAVE image inside another
// stream: its own position from 0, reads clamped to the data size.
class TWaveStream : public TStream {
public:
    TWaveStream(TStream& source, int64_t dataPosition, int64_t dataSize);

    // Fails with "Stream is already open" the second time.
    void Open();
    // Fails with "Stream not opened" before Open.
    size_t Read(void* buffer, size_t count) override;
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;
    int64_t Size() const override { return size_; }

private:
    TStream& source_;
    int64_t dataPosition_;
    int64_t size_;
    int64_t position_ = 0;
    bool open_ = false;
};

}  // namespace ik
