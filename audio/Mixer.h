// The effects mixer: voices over shared sample blocks, converted to the
// device format as they are summed in 32 bits and passed through a soft
// limiter into the device's 16-bit stereo frames. The game starts and stops
// voices on its own thread; the device pulls frames on its
// audio thread. Every change made by the game takes the device's lock, which
// also guards the device's callback.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/SoundFormat.h"
#include "platform/Platform.h"

namespace ik {

class Mixer;

// One playing position over a sound's samples: what a sound buffer is to the
// system mixer. Several voices share the same samples.
class MixerVoice {
public:
    MixerVoice(Mixer& mixer, std::shared_ptr<const DeviceSamples> samples);
    ~MixerVoice();
    MixerVoice(const MixerVoice&) = delete;
    MixerVoice& operator=(const MixerVoice&) = delete;

    // From the beginning, once or repeating until stopped.
    void start(bool looping);
    void stop();
    bool playing() const;
    size_t frameCount() const { return samples_->frameCount(); }

private:
    friend class Mixer;
    Mixer& mixer_;
    std::shared_ptr<const DeviceSamples> samples_;
    // Guarded by the device lock.
    size_t position_ = 0;  // next frame to mix
    bool playing_ = false;
    bool looping_ = false;
};

class Mixer {
public:
    // The device whose lock guards the voices; null while there is none (no
    // callback can run then).
    void attach(AudioDevice* device) { device_ = device; }

    // Fills `frameCount` interleaved stereo frames; called by the device.
    void mix(int16_t* frames, int frameCount);

    // Stops every voice at once (the device went away).
    void stopAll();

    size_t activeVoices() const;

    // Sums up to the knee pass unchanged, so a lone sound within range plays
    // exactly as stored. Beyond it the limiter bends them smoothly toward the
    // ceiling, which they never pass: overlapping sounds cannot clip. The
    // curve depends on the sample alone, with no gain that rises and falls
    // with the material, so nothing pumps.
    static constexpr int32_t kKnee = 24576;     // 3/4 of full scale, -2.5 dBFS
    static constexpr int32_t kCeiling = 32766;  // one below the rail
    static int16_t limit(int32_t sum);

private:
    friend class MixerVoice;
    class Lock;
    void addActive(MixerVoice& voice);
    void removeActive(MixerVoice& voice);
    void mixVoice(MixerVoice& voice, int32_t* sums, size_t frames);

    AudioDevice* device_ = nullptr;
    std::vector<MixerVoice*> active_;  // voices that were started and may still play
    std::vector<int32_t> sums_;        // audio thread only
};

}  // namespace ik
