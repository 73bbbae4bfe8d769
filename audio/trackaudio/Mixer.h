// Sums the playing channels into 16-bit stereo, each at the volume of its
// kind (modules or streams) relative to the configured full scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/trackaudio/Channel.h"

namespace trackaudio {

struct MixVolumes {
    uint32_t scale = 255;
    uint32_t music = 255;
    uint32_t stream = 255;
};

class Mixer {
public:
    // Returns the channels that reached their end during this pull.
    std::vector<std::shared_ptr<Channel>> mix(const std::vector<std::shared_ptr<Channel>>& playing,
                                              const MixVolumes& volumes, int16_t* out, std::size_t frames);

private:
    std::vector<int32_t> sum_;
    std::vector<int16_t> voice_;
};

}  // namespace trackaudio
