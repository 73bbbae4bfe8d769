#include "assets/Stream.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "assets/AssetErrors.h"
#include "platform/SystemPaths.h"

namespace ik {

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (Read(buffer, count) != count) throw EStreamReadError();
}

int64_t TStream::Remaining() const { return std::max<int64_t>(Size() - Position(), 0); }

size_t TMemoryStream::Read(void* buffer, size_t count) {
    int64_t available = std::max<int64_t>(Size() - position_, 0);
    size_t n = static_cast<size_t>(std::min<int64_t>(available, static_cast<int64_t>(count)));
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

void TMemoryStream::SetPosition(int64_t position) { position_ = std::max<int64_t>(position, 0); }

TFileStream::TFileStream(const std::string& fileName) {
    std::error_code ignored;
    if (std::filesystem::is_directory(fileName, ignored)) {
        throw EFOpenError(Format("Cannot open file %s", fileName));
    }
    file_ = openFile(fileName, "rb");
    if (!file_) throw EFOpenError(Format("Cannot open file %s", fileName));
    if (std::fseek(file_, 0, SEEK_END) == 0) size_ = std::ftell(file_);
    std::fseek(file_, 0, SEEK_SET);
    if (size_ < 0) {
        std::fclose(file_);
        throw EFOpenError(Format("Cannot open file %s", fileName));
    }
}

TFileStream::~TFileStream() { std::fclose(file_); }

size_t TFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_); }

int64_t TFileStream::Position() const { return std::ftell(file_); }

void TFileStream::SetPosition(int64_t position) {
    std::fseek(file_, static_cast<long>(std::max<int64_t>(position, 0)), SEEK_SET);
}

std::vector<uint8_t> readWholeFile(const std::string& fileName) {
    TFileStream file(fileName);
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void writeWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    std::FILE* file = openFile(fileName, "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) throw EFOpenError(Format("Cannot create file %s", fileName));
}

}  // namespace ik
