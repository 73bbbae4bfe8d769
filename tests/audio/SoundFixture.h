// A sound output on the fake platform with a wave list attached, and sounds
// made in memory: everything PlayWave needs, nothing from a file.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "FakeAudio.h"
#include "WaveBytes.h"
#include "assets/WaveCollection.h"
#include "audio/DXSound.h"
#include "audio/SoundItem.h"

namespace ik::test {

struct SoundSpec {
    std::string name;
    std::vector<uint8_t> format;
    std::vector<uint8_t> data;
    bool looped = false;
    int32_t maxPlayingCount = 0;
};

// 16-bit mono at the device rate whose frame i holds the value i + 1, so the
// mixed output tells how far each playing copy has got.
inline SoundSpec rampSound(const std::string& name, int frames, int32_t maxPlayingCount = 0) {
    std::vector<uint8_t> data;
    for (int i = 1; i <= frames; ++i) putU16(data, static_cast<unsigned>(i));
    return {name, formatRecord({}), data, false, maxPlayingCount};
}

inline TWaveCollectionItem& addSound(TDXWaveList& list, const SoundSpec& recipe) {
    auto& item = static_cast<TWaveCollectionItem&>(list.Items.Add());
    item.TNamedCollectionItem::SetName(recipe.name);
    item.SetLooped(recipe.looped);
    item.SetMaxPlayingCount(recipe.maxPlayingCount);
    TWave& wave = item.Wave();
    wave.SetFormat(recipe.format.data(), static_cast<int32_t>(recipe.format.size()));
    wave.SetSize(static_cast<int32_t>(recipe.data.size()));
    if (!recipe.data.empty()) std::memcpy(wave.Data(), recipe.data.data(), recipe.data.size());
    return item;
}

class SoundFixture {
public:
    SoundFixture() { list.SetDXSound(&sound); }

    TWaveCollectionItem& add(const SoundSpec& recipe) { return addSound(list, recipe); }

    static SoundItem* soundOf(const TWaveCollectionItem& item) { return dynamic_cast<SoundItem*>(item.Sound()); }

    // Left channel of the next `frames` frames the device plays.
    std::vector<int> play(int frames) {
        std::vector<int> left;
        if (!platform.device) return left;
        auto out = platform.device->pull(frames);
        for (size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
        return left;
    }

    int playCount(const std::string& name) const {
        auto found = sound.PlayCounts().find(name);
        return found == sound.PlayCounts().end() ? 0 : found->second;
    }

    FakePlatform platform;
    TDXWaveList list;  // before the output: the output goes first and finalises it
    TDXSound sound{platform};
};

}  // namespace ik::test
