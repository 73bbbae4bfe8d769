#include "audio/trackaudio/Mixer.h"

#include <algorithm>

namespace trackaudio {

std::vector<std::shared_ptr<Channel>> Mixer::mix(const std::vector<std::shared_ptr<Channel>>& playing,
                                                 const MixVolumes& volumes, int16_t* out, std::size_t frames) {
    const std::size_t samples = 2 * frames;
    sum_.assign(samples, 0);
    voice_.resize(samples);
    std::vector<std::shared_ptr<Channel>> ended;
    for (const auto& channel : playing) {
        if (channel->render(voice_.data(), frames)) ended.push_back(channel);
        const int64_t volume = std::min(channel->isModule() ? volumes.music : volumes.stream, volumes.scale);
        const int64_t scale = std::max<uint32_t>(volumes.scale, 1);
        if (volume == scale) {
            // Full volume, as the player's stream always is: the same sums
            // without a division per sample.
            for (std::size_t i = 0; i < samples; ++i) sum_[i] += voice_[i];
        } else {
            for (std::size_t i = 0; i < samples; ++i) sum_[i] += static_cast<int32_t>(voice_[i] * volume / scale);
        }
    }
    for (std::size_t i = 0; i < samples; ++i) out[i] = static_cast<int16_t>(std::clamp(sum_[i], -32768, 32767));
    return ended;
}

}  // namespace trackaudio
