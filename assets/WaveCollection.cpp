#include "assets/WaveCollection.h"

#include "assets/AssetErrors.h"
#include "assets/Reader.h"

namespace ik {

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& collection) : TNamedCollectionItem(collection) {}

std::span<const PropertyInfo> TWaveCollectionItem::Properties() const {
    using Item = TWaveCollectionItem;
    static const PropertyInfo properties[] = {
        stringProperty<Item>("Name", &Item::SetName),
        booleanProperty<Item>("Looped", &Item::SetLooped),
        integerProperty<Item>("MaxPlayingCount", &Item::SetMaxPlayingCount),
        objectProperty<Item, TWave>("Wave", &Item::WaveObject, &Item::SetWave),
    };
    return properties;
}

TWaveCollection& TWaveCollectionItem::Waves() const { return static_cast<TWaveCollection&>(Collection()); }

void TWaveCollectionItem::SetLooped(bool looped) {
    if (looped == looped_) return;
    Stop();
    looped_ = looped;
}

void TWaveCollectionItem::SetMaxPlayingCount(int32_t count) {
    count = std::max(count, 0);
    if (count == maxPlayingCount_) return;
    maxPlayingCount_ = count;
    if (initialized_ && sound_) sound_->ReleasePlayBuffers();
}

void TWaveCollectionItem::Initialize() {
    Finalize();
    initialized_ = Waves().Initialized();
}

void TWaveCollectionItem::Finalize() {
    if (!initialized_) return;
    initialized_ = false;
    sound_.reset();
}

void TWaveCollectionItem::Restore() {
    if (wave_.Size() == 0) return;
    if (!initialized_) {
        if (!Waves().Initialized()) return;
        initialized_ = true;
    }
    sound_ = Waves().Output()->MakeSound(*this);
}

void TWaveCollectionItem::PlayWave(bool wait) {
    if (!initialized_) return;
    if (!sound_) Restore();
    if (sound_) sound_->Play(wait);
}

void TWaveCollectionItem::Stop() {
    if (sound_) sound_->Stop();
}

TWaveCollectionItem& TWaveCollection::Find(const std::string& name) const {
    auto* item = IndexOf(name);
    if (!item) throw EWaveCollectionError(Format("Wave '%s' not found", name));
    return static_cast<TWaveCollectionItem&>(*item);
}

void TWaveCollection::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName);
    LoadFromStream(file);
}

void TWaveCollection::LoadFromStream(TStream& stream) {
    Clear();
    {
        TWaveCollectionComponent holder(this);
        LoadComponentResource(stream, holder);
    }
    if (Initialized()) {
        Initialize(output_);
        Restore();
    }
}

void TWaveCollection::Initialize(WaveSoundOutput* output) {
    Finalize();
    output_ = output;
    for (int i = 0; i < Count(); ++i) Items(i).Initialize();
}

void TWaveCollection::Finalize() {
    for (int i = 0; i < Count(); ++i) Items(i).Finalize();
    output_ = nullptr;
}

void TWaveCollection::Restore() {
    for (int i = 0; i < Count(); ++i) Items(i).Restore();
}

std::unique_ptr<TCollectionItem> TWaveCollection::NewItem() {
    auto item = std::make_unique<TWaveCollectionItem>(*this);
    if (Initialized()) item->Initialize();
    return item;
}

std::span<const PropertyInfo> TWaveCollectionComponent::Properties() const {
    using Holder = TWaveCollectionComponent;
    static const PropertyInfo properties[] = {
        objectProperty<Holder, TCollection>("List", &Holder::List, &Holder::SetList),
    };
    return properties;
}

TDXWaveList::~TDXWaveList() { SetDXSound(nullptr); }

void TDXWaveList::SetDXSound(WaveSoundOutput* output) {
    if (output == output_) return;
    if (output_) output_->UnRegisterNotifyEvent(this);
    output_ = output;
    if (output_) output_->RegisterNotifyEvent(this, [this](int code) { OnSoundNotify(code); });
}

void TDXWaveList::OnSoundNotify(int code) {
    switch (code) {
        case 0:
            Items.Finalize();
            output_ = nullptr;
            break;
        case 2:
            Items.Initialize(output_);
            break;
        case 3:
            Items.Finalize();
            break;
        case 4:
            Items.Restore();
            break;
        default:
            break;
    }
}

}  // namespace ik
