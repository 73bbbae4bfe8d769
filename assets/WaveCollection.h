// Named sounds: the wave list of the main form, its collection of items read
// from "waves.dat", and the seam to the sound output that plays them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "assets/NamedCollection.h"
#include "assets/Wave.h"

namespace ik {

class TWaveCollection;
class TWaveCollectionItem;

// The playing side of one item (its master buffer and play buffers).
class WaveItemSound {
public:
    virtual ~WaveItemSound() = default;
    virtual void Play(bool wait) = 0;
    virtual void Stop() = 0;
    virtual void ReleasePlayBuffers() = 0;
};

// The sound output the collection is initialised with. Listeners hear its
// life as codes: 0 destroying, 1 initialising, 2 initialised, 3 finalising,
// 4 restored.
class WaveSoundOutput {
public:
    virtual ~WaveSoundOutput() = default;
    virtual bool Initialized() const = 0;
    virtual std::unique_ptr<WaveItemSound> MakeSound(const TWaveCollectionItem& item) = 0;
    virtual void RegisterNotifyEvent(const void* listener, std::function<void(int code)> notify) = 0;
    virtual void UnRegisterNotifyEvent(const void* listener) = 0;
};

class TWaveCollectionItem : public TNamedCollectionItem {
public:
    explicit TWaveCollectionItem(TWaveCollection& collection);

    std::string ClassName() const override { return "TWaveCollectionItem"; }
    std::span<const PropertyInfo> Properties() const override;

    bool Looped() const { return looped_; }
    void SetLooped(bool looped);
    int32_t MaxPlayingCount() const { return maxPlayingCount_; }
    void SetMaxPlayingCount(int32_t count);
    TWave& Wave() { return wave_; }
    const TWave& Wave() const { return wave_; }
    void SetWave(const TWave* wave) { wave_.Assign(wave); }
    // Settings the file cannot set; 0 means the wave's own rate, centre, full
    // volume.
    int32_t Frequency = 0;
    int32_t Pan = 0;
    int32_t Volume = 0;

    bool Initialized() const { return initialized_; }
    void Initialize();
    void Finalize();
    // Rebuilds the sound from the wave (nothing for a wave without samples).
    void Restore();
    // Nothing while not initialised.
    void PlayWave(bool wait);
    void Stop();
    WaveItemSound* Sound() const { return sound_.get(); }

private:
    TWaveCollection& Waves() const;
    TWave* WaveObject() { return &wave_; }

    bool looped_ = false;
    int32_t maxPlayingCount_ = 0;
    TWave wave_;
    bool initialized_ = false;
    std::unique_ptr<WaveItemSound> sound_;
};

class TWaveCollection : public TNamedCollection {
public:
    std::string ClassName() const override { return "TWaveCollection"; }

    TWaveCollectionItem& Items(int index) const { return static_cast<TWaveCollectionItem&>(Item(index)); }
    // Fails with "Wave '%s' not found".
    TWaveCollectionItem& Find(const std::string& name) const;

    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);

    void Initialize(WaveSoundOutput* output);
    void Finalize();
    void Restore();
    // Connected to a sound output that is itself initialised.
    bool Initialized() const { return output_ && output_->Initialized(); }
    WaveSoundOutput* Output() const { return output_; }

protected:
    std::unique_ptr<TCollectionItem> NewItem() override;

private:
    WaveSoundOutput* output_ = nullptr;
};

// The holder "waves.dat" is read into; its one property `List` is the
// collection being loaded.
class TWaveCollectionComponent : public TComponent {
public:
    explicit TWaveCollectionComponent(TWaveCollection* list) : list_(list) {}
    std::string ClassName() const override { return "TWaveCollectionComponent"; }
    std::span<const PropertyInfo> Properties() const override;

private:
    TCollection* List() { return list_; }
    void SetList(const TCollection*) { list_ = nullptr; }
    TWaveCollection* list_;
};

// The form's DXWaveList1: the sounds and the output they are played on.
class TDXWaveList {
public:
    TDXWaveList() = default;
    ~TDXWaveList();
    TDXWaveList(const TDXWaveList&) = delete;
    TDXWaveList& operator=(const TDXWaveList&) = delete;

    TWaveCollection Items;

    // Subscribes to the output's notifications (and leaves the previous one).
    void SetDXSound(WaveSoundOutput* output);
    WaveSoundOutput* DXSound() const { return output_; }
    void OnSoundNotify(int code);

    void LoadFromFile(const std::string& fileName) { Items.LoadFromFile(fileName); }
    TWaveCollectionItem& Find(const std::string& name) const { return Items.Find(name); }

private:
    WaveSoundOutput* output_ = nullptr;
};

}  // namespace ik
