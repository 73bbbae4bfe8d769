#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace ik {

class Mixer::Lock {
public:
    explicit Lock(const Mixer& mixer) : device_(mixer.device_) {
        if (device_) device_->lock();
    }
    ~Lock() {
        if (device_) device_->unlock();
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    AudioDevice* device_;
};

MixerVoice::MixerVoice(Mixer& mixer, std::shared_ptr<const DeviceSamples> samples)
    : mixer_(mixer), samples_(std::move(samples)) {}

MixerVoice::~MixerVoice() {
    Mixer::Lock lock(mixer_);
    mixer_.removeActive(*this);
}

void MixerVoice::start(bool looping) {
    Mixer::Lock lock(mixer_);
    position_ = 0;
    looping_ = looping;
    playing_ = frameCount() > 0;
    if (playing_) mixer_.addActive(*this);
}

void MixerVoice::stop() {
    Mixer::Lock lock(mixer_);
    playing_ = false;
    mixer_.removeActive(*this);
}

bool MixerVoice::playing() const {
    Mixer::Lock lock(mixer_);
    return playing_;
}

void Mixer::addActive(MixerVoice& voice) {
    if (std::find(active_.begin(), active_.end(), &voice) == active_.end()) {
        active_.push_back(&voice);
    }
}

void Mixer::removeActive(MixerVoice& voice) { std::erase(active_, &voice); }

void Mixer::stopAll() {
    Lock lock(*this);
    for (MixerVoice* voice : active_) voice->playing_ = false;
    active_.clear();
}

size_t Mixer::activeVoices() const {
    Lock lock(*this);
    return active_.size();
}

void Mixer::mixVoice(MixerVoice& voice, int32_t* sums, size_t frames) {
    const DeviceSamples& samples = *voice.samples_;
    const size_t total = samples.frameCount();
    while (frames > 0) {
        size_t run = std::min(frames, total - voice.position_);
        samples.AddTo(voice.position_, run, sums);
        sums += run * 2;
        frames -= run;
        voice.position_ += run;
        if (voice.position_ == total) {
            if (!voice.looping_) {
                voice.playing_ = false;
                return;
            }
            voice.position_ = 0;
        }
    }
}

int16_t Mixer::limit(int32_t sum) {
    const int32_t size = sum < 0 ? -sum : sum;
    if (size <= kKnee) return static_cast<int16_t>(sum);
    // Above the knee the excess is folded into the room left below the
    // ceiling along a tanh curve: it meets the straight line with the same
    // slope and never passes the ceiling, however many voices add up.
    constexpr double room = kCeiling - kKnee;
    const double over = std::tanh((size - kKnee) / room) * room;
    const auto limited = static_cast<int32_t>(std::lround(kKnee + over));
    return static_cast<int16_t>(sum < 0 ? -limited : limited);
}

void Mixer::mix(int16_t* frames, int frameCount) {
    const size_t count = frameCount > 0 ? static_cast<size_t>(frameCount) : 0;
    sums_.assign(count * 2, 0);
    for (MixerVoice* voice : active_) mixVoice(*voice, sums_.data(), count);
    std::erase_if(active_, [](const MixerVoice* voice) { return !voice->playing_; });
    const int32_t* sums = sums_.data();
    for (size_t i = 0; i < count * 2; ++i) frames[i] = limit(sums[i]);
}

}  // namespace ik
