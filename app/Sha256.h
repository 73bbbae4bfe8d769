// SHA-256, for the fingerprints a recording keeps of its data files, its last
// frame and its final state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ik {

class Sha256 {
public:
    Sha256();
    void add(const void* data, size_t size);
    // The digest as 64 lowercase hex digits; the object is spent afterwards.
    std::string hex();

private:
    void block(const uint8_t* p);

    uint32_t h_[8];
    uint8_t buffer_[64];
    size_t buffered_ = 0;
    uint64_t length_ = 0;
};

std::string sha256Hex(const std::string& bytes);
// The digest of a file's content; empty when it cannot be read.
std::string sha256OfFile(const std::string& path);

}  // namespace ik
