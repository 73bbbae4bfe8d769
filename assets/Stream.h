// Byte streams the loaders read from: files on disk and in-memory blocks.
// A short read is not an error here; ReadBuffer turns it into one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ik {

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to `count` bytes; returns how many were read.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual int64_t Position() const = 0;
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t Size() const = 0;

    // Reads exactly `count` bytes or fails with "Stream read error".
    void ReadBuffer(void* buffer, size_t count);
    int64_t Remaining() const;
};

// A growable block of bytes; also what binary properties hand to their handlers.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    int64_t position_ = 0;
};

// A file opened read-only. Others may read it meanwhile; we never write.
class TFileStream : public TStream {
public:
    // Fails with "Cannot open file %s", the name as given.
    explicit TFileStream(const std::string& fileName);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    int64_t Position() const override;
    void SetPosition(int64_t position) override;
    int64_t Size() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    int64_t size_ = 0;
};

// The whole content of a file, for tools that work on bytes.
std::vector<uint8_t> readWholeFile(const std::string& fileName);
// Fails with "Cannot create file %s".
void writeWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes);

}  // namespace ik
