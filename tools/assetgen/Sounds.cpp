#include "tools/assetgen/Sounds.h"

#include <fstream>
#include <nlohmann/json.hpp>

#include "tools/assetgen/Synth.h"

namespace ik::art {

namespace {

constexpr int kLow = 22050;
constexpr int kHigh = 44100;

// Every effect at one loudness: the music is mastered to -16 LUFS and the
// game plays it 6 dB lower at its default volume, so the effects sit 3 dB
// under what the player hears of the music.
constexpr double kEffectsLufs = -25;

const Envelope kPluck{0.003f, 0.08f, 0.45f, 0.03f};
const Envelope kHold{0.004f, 0.0f, 1.0f, 0.04f};

// A falling phrase, slowing down, ending on a low note that droops.
Sound gameover() {
    Take take(kHigh);
    take.phrase({.length = 0.2f, .volume = 0.4f, .envelope = kPluck}, {67, 66, 65}, 0.0f, 0.22f);
    take.phrase({.length = 0.25f, .volume = 0.4f, .envelope = kPluck}, {64, 63}, 0.66f, 0.27f);
    take.add({.start = 1.2f,
              .length = 0.45f,
              .freq = noteHz(60),
              .freqEnd = noteHz(55),
              .volume = 0.45f,
              .envelope = {0.004f, 0.2f, 0.6f, 0.25f}});
    take.phrase({.wave = Wave::Triangle, .length = 0.6f, .volume = 0.5f, .envelope = kHold}, {43, 40}, 0.0f, 0.66f);
    take.add({.wave = Wave::Triangle,
              .start = 1.2f,
              .length = 0.45f,
              .freq = noteHz(36),
              .volume = 0.5f,
              .envelope = kHold});
    return {"gameover", take.finishAtLoudness(kEffectsLufs), kHigh, 16};
}

// Caught a needed ingredient: a quick bright upward blip.
Sound green() {
    Take take(kLow);
    take.phrase({.length = 0.06f, .volume = 0.5f, .duty = 0.25f, .envelope = {0.002f, 0.03f, 0.5f, 0.02f}}, {84, 91},
                0.0f, 0.055f);
    return {"green_ep1", take.finishAtLoudness(kEffectsLufs), kLow, 16, 4};
}

// Caught an unneeded one: a low, rough buzz that sags.
Sound red() {
    Take take(kLow);
    take.add({.length = 0.28f,
              .freq = 110,
              .freqEnd = 82,
              .volume = 0.5f,
              .duty = 0.125f,
              .envelope = {0.003f, 0.05f, 0.7f, 0.06f}});
    take.add({.wave = Wave::Noise,
              .length = 0.28f,
              .freq = 900,
              .volume = 0.2f,
              .envelope = {0.003f, 0.1f, 0.3f, 0.06f},
              .lowpassHz = 2500});
    return {"red_ep1", take.finishAtLoudness(kEffectsLufs), kLow, 8, 4};
}

Sound bonus() {
    Take take(kLow);
    take.phrase({.length = 0.09f, .volume = 0.4f, .envelope = kPluck}, {72, 76, 79, 84, 88}, 0.0f, 0.07f);
    take.add({.wave = Wave::Triangle,
              .start = 0.35f,
              .length = 0.3f,
              .freq = noteHz(96),
              .volume = 0.4f,
              .envelope = {0.004f, 0.1f, 0.5f, 0.15f},
              .vibratoHz = 9,
              .vibratoDepth = 0.01f});
    return {"bonus_ep1", take.finishAtLoudness(kEffectsLufs), kLow, 16};
}

Sound bonusEnd() {
    Take take(kLow);
    take.phrase({.length = 0.1f, .volume = 0.35f, .duty = 0.25f, .envelope = kPluck}, {84, 79, 76, 72}, 0.0f, 0.08f);
    return {"bonus_end_ep1", take.finishAtLoudness(kEffectsLufs), kLow, 16};
}

// The penalty starts: a two-tone alarm.
Sound penalty() {
    Take take(kLow);
    take.phrase({.length = 0.12f, .volume = 0.4f, .envelope = {0.006f, 0.08f, 0.3f, 0.03f}, .lowpassHz = 3000},
                {81, 76, 81, 76}, 0.0f, 0.13f);
    return {"trest_ep1", take.finishAtLoudness(kEffectsLufs), kLow, 8};
}

Sound penaltyEnd() {
    Take take(kLow);
    take.phrase({.wave = Wave::Triangle, .length = 0.14f, .volume = 0.5f, .envelope = {0.004f, 0.05f, 0.7f, 0.08f}},
                {76, 81}, 0.0f, 0.12f);
    return {"trest_end_ep1", take.finishAtLoudness(kEffectsLufs), kLow, 16};
}

// All three crew past the grey line: a bright bell.
Sound reached() {
    Take take(kHigh);
    for (int note : {88, 95}) {
        take.add({.wave = Wave::Triangle,
                  .length = 0.6f,
                  .freq = noteHz(note),
                  .volume = 0.4f,
                  .envelope = {0.002f, 0.5f, 0.0f, 0.05f}});
        take.add({.length = 0.2f,
                  .freq = noteHz(note),
                  .volume = 0.12f,
                  .duty = 0.125f,
                  .envelope = {0.002f, 0.15f, 0.0f, 0.05f}});
    }
    return {"reached_ep2", take.finishAtLoudness(kEffectsLufs), kHigh, 16};
}

// Level up: a short fanfare ending on a held chord.
Sound levelUp() {
    Take take(kHigh);
    take.phrase({.length = 0.1f, .volume = 0.35f, .envelope = kPluck}, {67, 67, 72}, 0.0f, 0.11f);
    for (int note : {72, 76, 79})
        take.add({.start = 0.33f,
                  .length = 0.55f,
                  .freq = noteHz(note),
                  .volume = 0.25f,
                  .duty = 0.25f,
                  .envelope = {0.004f, 0.1f, 0.7f, 0.2f}});
    take.add({.wave = Wave::Triangle,
              .start = 0.33f,
              .length = 0.55f,
              .freq = noteHz(48),
              .volume = 0.5f,
              .envelope = kHold});
    return {"levelup_ep2", take.finishAtLoudness(kEffectsLufs), kHigh, 16};
}

// A soldier leaves the launcher: a springy thwip.
Sound shot() {
    Take take(kLow);
    take.add({.length = 0.16f,
              .freq = 900,
              .freqEnd = 180,
              .volume = 0.4f,
              .duty = 0.25f,
              .envelope = {0.002f, 0.05f, 0.4f, 0.04f}});
    take.add({.wave = Wave::Noise,
              .length = 0.12f,
              .freq = 2500,
              .volume = 0.25f,
              .envelope = {0.002f, 0.05f, 0.3f, 0.04f},
              .lowpassHz = 4000});
    return {"shot_ep3", take.finishAtLoudness(kEffectsLufs), kLow, 8, 3};
}

// The fire takes a soldier: a crackling whoosh.
Sound fireHit() {
    Take take(kLow);
    take.add({.wave = Wave::Noise,
              .length = 0.5f,
              .freq = 600,
              .freqEnd = 1600,
              .volume = 0.5f,
              .envelope = {0.03f, 0.15f, 0.5f, 0.25f},
              .lowpassHz = 1800});
    for (float at : {0.06f, 0.15f, 0.21f, 0.33f})
        take.add({.wave = Wave::Noise,
                  .start = at,
                  .length = 0.03f,
                  .freq = 3000,
                  .volume = 0.3f,
                  .envelope = {0.002f, 0.0f, 1.0f, 0.02f}});
    return {"fire_ep3", take.finishAtLoudness(kEffectsLufs), kLow, 16};
}

// Every key in the laboratory: a short dry tick.
Sound keyTick() {
    Take take(kLow);
    take.add({.length = 0.025f, .freq = 1800, .volume = 0.4f, .envelope = {0.001f, 0.01f, 0.2f, 0.008f}});
    return {"key_ep4", take.finishAtLoudness(kEffectsLufs), kLow, 8, 4};
}

// A code completed: the machine warbles upward as the character changes.
Sound newForm() {
    Take take(kHigh);
    take.add({.length = 0.7f,
              .freq = 220,
              .freqEnd = 1320,
              .volume = 0.35f,
              .duty = 0.25f,
              .envelope = {0.005f, 0.0f, 1.0f, 0.12f},
              .vibratoHz = 14,
              .vibratoDepth = 0.05f});
    take.add({.wave = Wave::Triangle,
              .length = 0.7f,
              .freq = 110,
              .freqEnd = 440,
              .volume = 0.4f,
              .envelope = {0.005f, 0.0f, 1.0f, 0.12f}});
    return {"newform_ep4", take.finishAtLoudness(kEffectsLufs), kHigh, 16};
}

// A wrong digit or too late: two low falling notes.
Sound miss() {
    Take take(kLow);
    take.phrase({.length = 0.16f, .volume = 0.4f, .envelope = {0.005f, 0.1f, 0.3f, 0.05f}, .lowpassHz = 2500}, {52, 48},
                0.0f, 0.17f);
    return {"miss_ep4", take.finishAtLoudness(kEffectsLufs), kLow, 16};
}

}  // namespace

std::vector<Sound> allSounds() {
    return {gameover(), green(),   red(),  bonus(),   bonusEnd(), penalty(), penaltyEnd(),
            reached(),  levelUp(), shot(), fireHit(), keyTick(),  newForm(), miss()};
}

void writeWaveFile(const std::filesystem::path& folder, const std::vector<Sound>& sounds) {
    std::filesystem::create_directories(folder);
    nlohmann::json items = nlohmann::json::array();
    for (const Sound& s : sounds) {
        std::string file = s.name + ".wav";
        std::vector<uint8_t> bytes = encodeWav(s.samples, s.rate, s.bits);
        std::ofstream(folder / file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        items.push_back(
            {{"name", s.name}, {"file", file}, {"looped", false}, {"max_playing_count", s.maxPlayingCount}});
    }
    std::ofstream(folder / "manifest.json") << nlohmann::json{{"kind", "waves"}, {"items", items}}.dump(2) << "\n";
}

}  // namespace ik::art
