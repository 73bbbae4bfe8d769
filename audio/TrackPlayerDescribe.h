// The description of a file that Open takes before loading it: size, title
// and the output format the player will relay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ik {

struct TStreamInfo {
    uint64_t FileSize = 0;
    uint32_t SampleRate = 0;
    uint32_t BitRate = 0;
    uint32_t Channels = 0;
    std::string Title;
};

// Empty when the file is not a module by its extension or cannot be read.
std::optional<TStreamInfo> describeModuleFile(const std::string& path);

}  // namespace ik
