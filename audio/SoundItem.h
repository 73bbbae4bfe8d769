// The playing side of one named sound: a master buffer holding its samples,
// played in the device format, and the play buffers, voices over those samples, in
// the order PlayWave picks them.
#pragma once

#include <memory>
#include <vector>

#include "assets/WaveCollection.h"
#include "audio/Mixer.h"

namespace ik {

class TDXSound;

class SoundItem : public WaveItemSound {
public:
    // Copies the item's samples; a wave the device cannot play gets no master
    // buffer and stays silent.
    SoundItem(TDXSound& output, const TWaveCollectionItem& item);

    void Play(bool wait) override;
    void Stop() override;
    void ReleasePlayBuffers() override;

    bool HasMasterBuffer() const { return master_ != nullptr; }
    size_t PlayBufferCount() const { return playBuffers_.size(); }

private:
    MixerVoice* choosePlayBuffer();
    void waitUntilStopped(const MixerVoice& voice);

    TDXSound& output_;
    const TWaveCollectionItem& item_;
    std::shared_ptr<const DeviceSamples> samples_;
    std::unique_ptr<MixerVoice> master_;  // played itself only for looped sounds
    std::vector<std::unique_ptr<MixerVoice>> playBuffers_;
};

}  // namespace ik
