// The form's sound output DXSound1: one effects device mixed by our own code.
// Wave lists register with it and follow its life through the notification
// codes; each named sound gets a master buffer (a copy of its samples)
// and play buffers (voices over those samples) from MakeSound.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/WaveCollection.h"
#include "audio/Mixer.h"
#include "platform/Platform.h"

namespace ik {

// What the sound output tells its listeners, in this order over its life.
enum SoundNotifyCode : int {
    kSoundDestroying = 0,  // after the last finalisation: forget the output
    kSoundInitializing = 1,
    kSoundInitialized = 2,  // initialise the collection with the output
    kSoundFinalizing = 3,   // release every buffer
    kSoundRestored = 4,     // rebuild every master buffer
};

class TDXSound : public WaveSoundOutput {
public:
    // 512 frames at 44100 Hz: a sound reaches the speaker within about 12 ms
    // of its PlayWave, plus what the system's own mixer adds.
    static constexpr int kBufferFrames = 512;
    // How often a device that went away is looked for again.
    static constexpr uint32_t kReopenIntervalMs = 1000;

    explicit TDXSound(Platform& platform);
    ~TDXSound() override;
    TDXSound(const TDXSound&) = delete;
    TDXSound& operator=(const TDXSound&) = delete;

    // Opens the effects device. Without one the output is initialised all the
    // same and runs silent: every sound gets its buffers, PlayWave is counted
    // and plays nothing.
    void Initialize();
    void Finalize();
    // Tells every listener to rebuild its master buffers; does nothing while
    // a restore is already running.
    void Restore();
    bool Initialized() const override { return initialized_; }
    std::unique_ptr<WaveItemSound> MakeSound(const TWaveCollectionItem& item) override;

    // A listener that registers while the output is initialised is told 2 and
    // 4 at once; one that leaves while it is initialised is told 3.
    using NotifyEvent = std::function<void(int code)>;
    void RegisterNotifyEvent(const void* listener, NotifyEvent notify) override;
    void UnRegisterNotifyEvent(const void* listener) override;

    // Called every frame: notices a device that went away (its sounds stop,
    // as lost buffers) and looks for one again once a second; when one opens,
    // every sound is restored.
    void CheckDevice();
    bool DeviceOpen() const { return device_ != nullptr; }

    // How many times PlayWave reached each sound, by name, heard or not.
    const std::map<std::string, int>& PlayCounts() const { return playCounts_; }

    // --- for the sounds made by MakeSound ---
    Mixer& mixer() { return mixer_; }
    Platform& platform() { return platform_; }
    void countPlay(const std::string& name) { ++playCounts_[name]; }

private:
    struct Listener {
        const void* key;
        NotifyEvent notify;
    };
    void notifyAll(int code);
    bool openDevice();
    void closeDevice();

    Platform& platform_;
    Mixer mixer_;
    std::unique_ptr<AudioDevice> device_;
    std::vector<Listener> listeners_;
    std::map<std::string, int> playCounts_;
    bool initializing_ = false;
    bool initialized_ = false;
    bool restoring_ = false;
    bool deviceLost_ = false;
    uint32_t lastReopenTick_ = 0;
};

}  // namespace ik
