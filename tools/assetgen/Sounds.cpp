#include "tools/assetgen/Sounds.h"

#include <fstream>
#include <nlohmann/json.hpp>

#include "tools/assetgen/Synth.h"

namespace ik::art {

namespace {

constexpr int kLow = 22050;
constexpr int kHigh = 44100;

Tone square(float duty, float volume, Envelope envelope) {
    Tone t;
    t.wave = Wave::Square;
    t.duty = duty;
    t.volume = volume;
    t.envelope = envelope;
    return t;
}

Tone triangle(float volume, Envelope envelope) {
    Tone t;
    t.wave = Wave::Triangle;
    t.volume = volume;
    t.envelope = envelope;
    return t;
}

const Envelope kPluck{0.003f, 0.08f, 0.45f, 0.03f};
const Envelope kHold{0.004f, 0.0f, 1.0f, 0.04f};

// A falling phrase, slowing down, ending on a low note that droops.
Sound gameover() {
    Take take(kHigh);
    Tone lead = square(0.5f, 0.4f, kPluck);
    lead.length = 0.2f;
    take.phrase(lead, {67, 66, 65}, 0.0f, 0.22f);
    lead.length = 0.25f;
    take.phrase(lead, {64, 63}, 0.66f, 0.27f);
    Tone last = square(0.5f, 0.45f, {0.004f, 0.2f, 0.6f, 0.25f});
    last.start = 1.2f;
    last.length = 0.45f;
    last.freq = noteHz(60);
    last.freqEnd = noteHz(55);
    take.add(last);
    Tone bass = triangle(0.5f, kHold);
    bass.length = 0.6f;
    take.phrase(bass, {43, 40}, 0.0f, 0.66f);
    bass.start = 1.2f;
    bass.length = 0.45f;
    bass.freq = noteHz(36);
    take.add(bass);
    return {"gameover", take.finish(), kHigh, 16};
}

// Caught a needed ingredient: a quick bright upward blip.
Sound green() {
    Take take(kLow);
    Tone blip = square(0.25f, 0.5f, {0.002f, 0.03f, 0.5f, 0.02f});
    blip.length = 0.06f;
    take.phrase(blip, {84, 91}, 0.0f, 0.055f);
    return {"green_ep1", take.finish(0.7f), kLow, 16, 4};
}

// Caught an unneeded one: a low, rough buzz that sags.
Sound red() {
    Take take(kLow);
    Tone buzz = square(0.125f, 0.5f, {0.003f, 0.05f, 0.7f, 0.06f});
    buzz.length = 0.28f;
    buzz.freq = 110;
    buzz.freqEnd = 82;
    take.add(buzz);
    Tone grit;
    grit.wave = Wave::Noise;
    grit.volume = 0.2f;
    grit.length = 0.28f;
    grit.freq = 900;
    grit.lowpassHz = 2500;
    grit.envelope = {0.003f, 0.1f, 0.3f, 0.06f};
    take.add(grit);
    return {"red_ep1", take.finish(0.75f), kLow, 8, 4};
}

Sound bonus() {
    Take take(kLow);
    Tone arp = square(0.5f, 0.4f, kPluck);
    arp.length = 0.09f;
    take.phrase(arp, {72, 76, 79, 84, 88}, 0.0f, 0.07f);
    Tone shine = triangle(0.4f, {0.004f, 0.1f, 0.5f, 0.15f});
    shine.start = 0.35f;
    shine.length = 0.3f;
    shine.freq = noteHz(96);
    shine.vibratoHz = 9;
    shine.vibratoDepth = 0.01f;
    take.add(shine);
    return {"bonus_ep1", take.finish(), kLow, 16};
}

Sound bonusEnd() {
    Take take(kLow);
    Tone arp = square(0.25f, 0.35f, kPluck);
    arp.length = 0.1f;
    take.phrase(arp, {84, 79, 76, 72}, 0.0f, 0.08f);
    return {"bonus_end_ep1", take.finish(0.7f), kLow, 16};
}

// The penalty starts: a two-tone alarm.
Sound penalty() {
    Take take(kLow);
    Tone siren = square(0.5f, 0.4f, kHold);
    siren.length = 0.12f;
    take.phrase(siren, {81, 76, 81, 76}, 0.0f, 0.13f);
    return {"trest_ep1", take.finish(0.75f), kLow, 8};
}

Sound penaltyEnd() {
    Take take(kLow);
    Tone relief = triangle(0.5f, {0.004f, 0.05f, 0.7f, 0.08f});
    relief.length = 0.14f;
    take.phrase(relief, {76, 81}, 0.0f, 0.12f);
    return {"trest_end_ep1", take.finish(0.7f), kLow, 16};
}

// All three crew past the grey line: a bright bell.
Sound reached() {
    Take take(kHigh);
    for (int note : {88, 95}) {
        Tone bell = triangle(0.4f, {0.002f, 0.5f, 0.0f, 0.05f});
        bell.length = 0.6f;
        bell.freq = noteHz(note);
        take.add(bell);
        Tone edge = square(0.125f, 0.12f, {0.002f, 0.15f, 0.0f, 0.05f});
        edge.length = 0.2f;
        edge.freq = noteHz(note);
        take.add(edge);
    }
    return {"reached_ep2", take.finish(0.7f), kHigh, 16};
}

// Level up: a short fanfare ending on a held chord.
Sound levelUp() {
    Take take(kHigh);
    Tone lead = square(0.5f, 0.35f, kPluck);
    lead.length = 0.1f;
    take.phrase(lead, {67, 67, 72}, 0.0f, 0.11f);
    Tone chord = square(0.25f, 0.25f, {0.004f, 0.1f, 0.7f, 0.2f});
    chord.length = 0.55f;
    for (int note : {72, 76, 79}) {
        chord.start = 0.33f;
        chord.freq = noteHz(note);
        take.add(chord);
    }
    Tone bass = triangle(0.5f, kHold);
    bass.length = 0.55f;
    bass.start = 0.33f;
    bass.freq = noteHz(48);
    take.add(bass);
    return {"levelup_ep2", take.finish(), kHigh, 16};
}

// A soldier leaves the launcher: a springy thwip.
Sound shot() {
    Take take(kLow);
    Tone twang = square(0.25f, 0.4f, {0.002f, 0.05f, 0.4f, 0.04f});
    twang.length = 0.16f;
    twang.freq = 900;
    twang.freqEnd = 180;
    take.add(twang);
    Tone air;
    air.wave = Wave::Noise;
    air.volume = 0.25f;
    air.length = 0.12f;
    air.freq = 2500;
    air.lowpassHz = 4000;
    air.envelope = {0.002f, 0.05f, 0.3f, 0.04f};
    take.add(air);
    return {"shot_ep3", take.finish(0.75f), kLow, 8, 3};
}

// The fire takes a soldier: a crackling whoosh.
Sound fireHit() {
    Take take(kLow);
    Tone whoosh;
    whoosh.wave = Wave::Noise;
    whoosh.volume = 0.5f;
    whoosh.length = 0.5f;
    whoosh.freq = 600;
    whoosh.freqEnd = 1600;
    whoosh.lowpassHz = 1800;
    whoosh.envelope = {0.03f, 0.15f, 0.5f, 0.25f};
    take.add(whoosh);
    Tone crackle;
    crackle.wave = Wave::Noise;
    crackle.volume = 0.3f;
    crackle.length = 0.03f;
    crackle.freq = 3000;
    crackle.envelope = {0.002f, 0.0f, 1.0f, 0.02f};
    for (float at : {0.06f, 0.15f, 0.21f, 0.33f}) {
        crackle.start = at;
        take.add(crackle);
    }
    return {"fire_ep3", take.finish(0.75f), kLow, 16};
}

// Every key in the laboratory: a short dry tick.
Sound keyTick() {
    Take take(kLow);
    Tone tick = square(0.5f, 0.4f, {0.001f, 0.01f, 0.2f, 0.008f});
    tick.length = 0.025f;
    tick.freq = 1800;
    take.add(tick);
    return {"key_ep4", take.finish(0.6f), kLow, 8, 4};
}

// A code completed: the machine warbles upward as the character changes.
Sound newForm() {
    Take take(kHigh);
    Tone warble = square(0.25f, 0.35f, {0.005f, 0.0f, 1.0f, 0.12f});
    warble.length = 0.7f;
    warble.freq = 220;
    warble.freqEnd = 1320;
    warble.vibratoHz = 14;
    warble.vibratoDepth = 0.05f;
    take.add(warble);
    Tone under = triangle(0.4f, {0.005f, 0.0f, 1.0f, 0.12f});
    under.length = 0.7f;
    under.freq = 110;
    under.freqEnd = 440;
    take.add(under);
    return {"newform_ep4", take.finish(), kHigh, 16};
}

// A wrong digit or too late: two low falling notes.
Sound miss() {
    Take take(kLow);
    Tone low = square(0.5f, 0.4f, {0.003f, 0.05f, 0.7f, 0.05f});
    low.length = 0.16f;
    take.phrase(low, {52, 48}, 0.0f, 0.17f);
    return {"miss_ep4", take.finish(0.75f), kLow, 16};
}

}  // namespace

std::vector<Sound> allSounds() {
    return {gameover(), green(), red(),     bonus(),    bonusEnd(), penalty(), penaltyEnd(),
            reached(),  levelUp(), shot(), fireHit(), keyTick(),  newForm(), miss()};
}

void writeWaveFile(const std::filesystem::path& folder, const std::vector<Sound>& sounds) {
    std::filesystem::create_directories(folder);
    nlohmann::json items = nlohmann::json::array();
    for (const Sound& s : sounds) {
        std::string file = s.name + ".wav";
        std::vector<uint8_t> bytes = encodeWav(s.samples, s.rate, s.bits);
        std::ofstream(folder / file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                              static_cast<std::streamsize>(bytes.size()));
        items.push_back({{"name", s.name}, {"file", file}, {"looped", false}, {"max_playing_count", s.maxPlayingCount}});
    }
    std::ofstream(folder / "manifest.json") << nlohmann::json{{"kind", "waves"}, {"items", items}}.dump(2) << "\n";
}

}  // namespace ik::art
