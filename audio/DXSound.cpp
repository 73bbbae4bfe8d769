#include "audio/DXSound.h"

#include <algorithm>

#include "audio/SoundFormat.h"
#include "audio/SoundItem.h"

namespace ik {

TDXSound::TDXSound(Platform& platform) : platform_(platform) {}

TDXSound::~TDXSound() {
    Finalize();
    notifyAll(kSoundDestroying);
}

void TDXSound::notifyAll(int code) {
    // A listener may leave or join while being told: walk a copy.
    std::vector<Listener> listeners = listeners_;
    for (const Listener& listener : listeners) listener.notify(code);
}

bool TDXSound::openDevice() {
    AudioFormat format{kDeviceRate, kDeviceChannels, kBufferFrames};
    device_ = platform_.openAudio(format, [this](int16_t* frames, int frameCount) { mixer_.mix(frames, frameCount); });
    if (!device_) return false;
    mixer_.attach(device_.get());
    device_->pause(false);
    return true;
}

void TDXSound::closeDevice() {
    // Closing waits for the audio thread, so the mixer is free afterwards.
    device_.reset();
    mixer_.attach(nullptr);
}

void TDXSound::Initialize() {
    Finalize();
    initializing_ = true;
    notifyAll(kSoundInitializing);
    openDevice();
    deviceLost_ = false;
    initializing_ = false;
    initialized_ = true;
    notifyAll(kSoundInitialized);
    Restore();
}

void TDXSound::Finalize() {
    if (!initialized_ && !initializing_) return;
    notifyAll(kSoundFinalizing);
    initialized_ = false;
    initializing_ = false;
    deviceLost_ = false;
    closeDevice();
}

void TDXSound::Restore() {
    if (restoring_) return;
    restoring_ = true;
    notifyAll(kSoundRestored);
    restoring_ = false;
}

std::unique_ptr<WaveItemSound> TDXSound::MakeSound(const TWaveCollectionItem& item) {
    return std::make_unique<SoundItem>(*this, item);
}

void TDXSound::RegisterNotifyEvent(const void* listener, NotifyEvent notify) {
    UnRegisterNotifyEvent(listener);
    listeners_.push_back({listener, notify});
    if (initialized_) {
        notify(kSoundInitialized);
        notify(kSoundRestored);
    }
}

void TDXSound::UnRegisterNotifyEvent(const void* listener) {
    auto found =
        std::find_if(listeners_.begin(), listeners_.end(), [listener](const Listener& l) { return l.key == listener; });
    if (found == listeners_.end()) return;
    NotifyEvent notify = std::move(found->notify);
    listeners_.erase(found);
    if (initialized_) notify(kSoundFinalizing);
}

void TDXSound::CheckDevice() {
    if (!initialized_) return;
    const uint32_t now = platform_.ticks();
    if (device_ && !device_->alive()) {
        mixer_.stopAll();
        closeDevice();
        deviceLost_ = true;
        lastReopenTick_ = now;
        return;
    }
    if (deviceLost_ && now - lastReopenTick_ >= kReopenIntervalMs) {
        lastReopenTick_ = now;
        if (openDevice()) {
            deviceLost_ = false;
            Restore();
        }
    }
}

}  // namespace ik
