#include "audio/SoundItem.h"

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "audio/DXSound.h"
#include "audio/SoundFormat.h"

namespace ik {

namespace {
constexpr uint32_t kWaitStepMs = 10;
// A wait gives up this long after the sound should have ended, so that a
// device that stalls cannot hang the game.
constexpr uint32_t kWaitGraceMs = 1000;
}  // namespace

SoundItem::SoundItem(TDXSound& output, const TWaveCollectionItem& item) : output_(output), item_(item) {
    const TWave& wave = item.Wave();
    if (wave.Size() <= 0) return;
    auto format = readPcmFormat(wave.Format());
    if (!format) {
        std::cerr << "ironkeel: sound '" << item.Name() << "' is not plain 8- or 16-bit PCM: it stays silent\n";
        return;
    }
    auto samples =
        std::make_shared<const DeviceSamples>(*format, std::vector<uint8_t>(wave.Data(), wave.Data() + wave.Size()));
    if (samples->frameCount() == 0) return;
    samples_ = std::move(samples);
    master_ = std::make_unique<MixerVoice>(output_.mixer(), samples_);
}

MixerVoice* SoundItem::choosePlayBuffer() {
    for (auto& buffer : playBuffers_) {
        if (!buffer->playing()) return buffer.get();
    }
    const int32_t limit = item_.MaxPlayingCount();
    if (limit == 0 || static_cast<size_t>(limit) > playBuffers_.size()) {
        if (!master_) return nullptr;
        playBuffers_.push_back(std::make_unique<MixerVoice>(output_.mixer(), samples_));
        return playBuffers_.back().get();
    }
    // The limit is reached: the copy that stands first is cut off and restarted
    // as the newest.
    std::rotate(playBuffers_.begin(), playBuffers_.begin() + 1, playBuffers_.end());
    return playBuffers_.back().get();
}

void SoundItem::Play(bool wait) {
    output_.countPlay(item_.Name());
    if (!master_ || !output_.DeviceOpen()) return;
    if (item_.Looped()) {
        master_->start(true);
        return;
    }
    MixerVoice* buffer = choosePlayBuffer();
    if (!buffer) return;
    buffer->start(false);
    if (wait) waitUntilStopped(*buffer);
}

void SoundItem::waitUntilStopped(const MixerVoice& voice) {
    Platform& platform = output_.platform();
    const uint32_t start = platform.ticks();
    const uint64_t length = uint64_t{voice.frameCount()} * 1000 / kDeviceRate + kWaitGraceMs;
    const auto longest = static_cast<uint32_t>(std::min<uint64_t>(length, UINT32_MAX));
    while (voice.playing() && platform.ticks() - start < longest) platform.sleep(kWaitStepMs);
}

void SoundItem::Stop() {
    if (master_) master_->stop();
    for (auto& buffer : playBuffers_) buffer->stop();
}

void SoundItem::ReleasePlayBuffers() { playBuffers_.clear(); }

}  // namespace ik
