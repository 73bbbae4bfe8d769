#include "tools/assetgen/Pieces.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace ik::music {

namespace {

struct Chord {
    int root;                // midi, octave 4
    std::vector<int> tones;  // semitones above the root
};

Chord parseChord(const std::string& name) {
    size_t i = name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1;
    Chord c{parseNote(name.substr(0, i) + "4"), {0, 4, 7}};
    std::string kind = name.substr(i);
    if (kind == "m") c.tones = {0, 3, 7};
    else if (kind == "7")
        c.tones = {0, 4, 7, 10};
    else if (!kind.empty())
        throw std::invalid_argument("unknown chord " + name);
    return c;
}

// The chord tone nearest below the melody note, at least a minor third under it.
int harmonyBelow(int melody, const Chord& chord) {
    for (int n = melody - 3; n > melody - 15; --n)
        for (int t : chord.tones)
            if ((n - chord.root - t) % 12 == 0) return n;
    return melody - 12;
}

int inOctave(int pitchClassSource, int low) { return low + ((pitchClassSource - low) % 12 + 12) % 12; }

// One bar, written by the piece's accompaniment from the chord; `bar` counts
// bars within a four-bar phrase.
using Accompaniment = void (*)(Score&, size_t first, const Chord&, int bar);

struct Section {
    std::vector<std::string> chords;  // four bars
    std::vector<std::string> melody;  // four bars of "note:rows" tokens, "r" a rest
};

struct Style {
    int rowsPerBar;
    int speed;
    Instrument lead;
    int leadVolume;
    bool counterMelody;
    Accompaniment accompany;
};

struct PieceSpec {
    Style style;
    std::vector<Section> sections;
    std::vector<int> order;  // sections, cycled phrase by phrase
    std::string home;        // the piece's key chord
    // Brings the piece to the one loudness all pieces are mastered to.
    float gain;
};

// Which voices a phrase keeps and how hard it plays. Over a piece: an intro
// of tune and bass, the band entering, a break without the tune halfway,
// and the last phrase at full strength leading back to the start.
struct Texture {
    bool tune, answer, drums;
    float level;
};

Texture textureOf(long phrase, long phrases) {
    if (phrase == 0) return {true, false, false, 0.72f};
    if (phrases >= 4 && phrase == phrases / 2) return {false, false, true, 0.78f};
    if (phrase == phrases - 1) return {true, true, true, 1.0f};
    return {true, phrase % 2 == 0, true, 0.92f};
}

// Within a phrase the bars rise and fall: a stressed first bar, a lighter
// second, a push in the third.
constexpr float kBarAccent[4] = {1.0f, 0.86f, 0.95f, 0.9f};

// Thins and levels one bar already written: silenced voices are released on
// the bar's first row and left empty after it.
void shapeBar(Score& score, size_t first, int rows, const Texture& texture, float level) {
    for (int r = 0; r < rows; ++r)
        for (int ch = 0; ch < kControlChannel; ++ch) {
            xm::Cell& c = score.row(first + static_cast<size_t>(r)).cells[static_cast<size_t>(ch)];
            bool keep = ch == Lead                                                         ? texture.tune
                        : ch == Counter                                                    ? texture.answer
                        : ch == Drum || ch == Hat || (ch == Extra && c.instrument == Kick) ? texture.drums
                                                                                           : true;
            if (!keep) {
                c = {};
                if (r == 0) c.note = xm::kKeyOff;
                continue;
            }
            if (c.volume >= 0x10) {
                int volume = std::clamp(static_cast<int>(std::lround((c.volume - 0x10) * level)), 1, 64);
                c.volume = static_cast<uint8_t>(0x10 + volume);
            }
        }
}

void writeMelody(Score& score, size_t first, const std::string& line, const Chord& chord, const Style& style) {
    std::istringstream tokens(line);
    std::string token;
    int row = 0;
    while (tokens >> token) {
        size_t colon = token.find(':');
        std::string pitch = token.substr(0, colon);
        int rows = colon == std::string::npos ? 1 : std::stoi(token.substr(colon + 1));
        size_t at = first + static_cast<size_t>(row);
        if (pitch == "r") {
            score.keyOff(at, Lead);
            if (style.counterMelody) score.keyOff(at, Counter);
        } else {
            int midi = parseNote(pitch);
            score.note(at, Lead, midi, style.lead, style.leadVolume);
            if (style.counterMelody)
                score.note(at, Counter, harmonyBelow(midi, chord), Pulse, style.leadVolume * 3 / 5);
        }
        row += rows;
    }
    if (row != style.rowsPerBar)
        throw std::logic_error("a bar of melody has " + std::to_string(row) + " rows: " + line);
}

void drum(Score& s, size_t at, Channel ch, Instrument kind, int volume) { s.note(at, ch, kDrumNote, kind, volume); }

// The piece's last moments: a fill on the dominant that runs into the first
// bar, since the game starts the piece again right here. Everything is
// released a fifth of a second before the end, so the restart cuts no
// sounding note.
void turnaround(Score& score, long ticks, const Style& st, const Chord& home, float level) {
    constexpr long kQuietTicks = 12;
    const long rows = (ticks + st.speed - 1) / st.speed;
    const long quietFrom = std::max(1L, (ticks - kQuietTicks) / st.speed);
    size_t first = score.addSpan(ticks, st.speed);
    const int dominant = home.root + 7;
    auto volume = [&](int v) { return std::max(1, static_cast<int>(std::lround(v * level))); };
    score.note(first, Lead, dominant, st.lead, volume(st.leadVolume * 4 / 5));
    score.keyOff(first, Counter);
    score.note(first, Bass, inOctave(dominant, 36), Triangle, volume(48));
    score.note(first, Arp, dominant + 4, Stab, volume(24));
    score.keyOff(first, Extra);
    score.note(first, Drum, kDrumNote, Kick, volume(40));
    for (long r = 1; r < quietFrom; ++r)
        drum(score, first + static_cast<size_t>(r), Drum, Snare, volume(14 + static_cast<int>(r * 24 / quietFrom)));
    for (Channel ch : {Lead, Counter, Bass, Arp, Extra, Hat})
        score.keyOff(first + static_cast<size_t>(std::min(quietFrom, rows - 1)), ch);
}

void writePiece(Score& score, const PieceSpec& recipe, long ticks) {
    const Style& st = recipe.style;
    long barTicks = st.rowsPerBar * st.speed;
    long beat = st.rowsPerBar / 4 * st.speed;
    long bars = (ticks - beat) / barTicks;
    if (bars < 4) throw std::logic_error("a piece needs at least one phrase");
    const long phrases = bars / 4;
    Chord home = parseChord(recipe.home);
    Chord subdominant{home.root + 5, {0, 4, 7}}, dominant{home.root + 7, {0, 4, 7}};
    size_t start = score.size();
    for (long bar = 0; bar < bars; ++bar) {
        size_t first = score.addRows(st.rowsPerBar, st.speed);
        long phrase = bar / 4;
        int inPhrase = static_cast<int>(bar % 4);
        if (phrase < phrases) {
            const Section& s = recipe.sections[recipe.order[static_cast<size_t>(phrase) % recipe.order.size()]];
            Chord chord = parseChord(s.chords[inPhrase]);
            writeMelody(score, first, s.melody[inPhrase], chord, st);
            st.accompany(score, first, chord, inPhrase);
            const Texture texture = textureOf(phrase, phrases);
            shapeBar(score, first, st.rowsPerBar, texture, recipe.gain * texture.level * kBarAccent[inPhrase]);
        } else {
            // Bars left over after the last whole phrase: the band alone,
            // swaying between the subdominant and the dominant, which the
            // last of them always is.
            const bool onDominant = (bars - 1 - bar) % 2 == 0;
            st.accompany(score, first, onDominant ? dominant : subdominant, inPhrase);
            shapeBar(score, first, st.rowsPerBar, {false, false, true, 0.9f}, recipe.gain * 0.9f);
        }
    }
    turnaround(score, ticks - bars * barTicks, st, home, recipe.gain);
    score.markPieceStart(start);
}

void roll(Score& s, size_t first, int from, int to, int startVolume) {
    for (int r = from; r < to; ++r) drum(s, first + r, Drum, Snare, startVolume + (r - from) * 4);
}

void puzzleBar(Score& s, size_t first, const Chord& c, int) {
    int bass = inOctave(c.root, 33);
    s.note(first, Bass, bass, Triangle, 50);
    s.note(first + 8, Bass, bass + 7, Triangle, 44);
    const int shape[8] = {0, 1, 2, 3, 2, 1, 0, 2};
    for (int i = 0; i < 8; ++i) {
        int idx = shape[i];
        int note = idx == 3 ? c.root + 12 : c.root + c.tones[static_cast<size_t>(idx)];
        s.note(first + 2 * i, Arp, note, Bell, 26);
    }
    drum(s, first, Drum, Kick, 44);
    drum(s, first + 8, Drum, Snare, 26);
    for (int r = 2; r < 16; r += 4) drum(s, first + r, Hat, HiHat, 18);
}

void marchBar(Score& s, size_t first, const Chord& c, int bar) {
    int bass = inOctave(c.root, 36);
    s.note(first, Bass, bass, Triangle, 54);
    s.keyOff(first + 3, Bass);
    s.note(first + 8, Bass, bass + 7 > 50 ? bass - 5 : bass + 7, Triangle, 50);
    s.keyOff(first + 11, Bass);
    for (int r : {4, 12}) {
        s.note(first + r, Arp, c.root + c.tones[1], Stab, 34);
        s.note(first + r, Extra, c.root + c.tones[2], Stab, 30);
    }
    drum(s, first, Drum, Kick, 48);
    drum(s, first + 4, Drum, Snare, 34);
    drum(s, first + 8, Drum, Kick, 44);
    if (bar == 3) roll(s, first, 10, 16, 18);
    else
        drum(s, first + 12, Drum, Snare, 34);
}

void fifeBar(Score& s, size_t first, const Chord& c, int bar) {
    int bass = inOctave(c.root, 36);
    s.note(first, Bass, bass, Triangle, 46);
    s.note(first + 6, Bass, bass + 7, Triangle, 40);
    drum(s, first, Extra, Kick, 44);
    drum(s, first + 6, Extra, Kick, 36);
    const int pattern[8][2] = {{0, 40}, {2, 18}, {3, 22}, {4, 26}, {6, 36}, {8, 18}, {9, 22}, {10, 26}};
    for (auto [r, v] : pattern) {
        if (bar == 3 && r >= 6) break;
        drum(s, first + r, Drum, Snare, v);
    }
    if (bar == 3) roll(s, first, 6, 12, 20);
}

void titleBar(Score& s, size_t first, const Chord& c, int bar) {
    int bass = inOctave(c.root, 36);
    for (int r = 0; r < 16; r += 2) s.note(first + r, Bass, r % 4 ? bass + 12 : bass, Triangle, 48);
    for (int r = 0; r < 16; r += 2) {
        int tone = c.tones[static_cast<size_t>((r / 2) % 3)];
        s.note(first + r, Arp, c.root + tone, Stab, 22);
    }
    for (int r : {0, 6, 8}) drum(s, first + r, Drum, Kick, 46);
    drum(s, first + 4, Drum, Snare, 36);
    if (bar == 3) roll(s, first, 12, 16, 22);
    else
        drum(s, first + 12, Drum, Snare, 36);
    for (int r = 0; r < 16; r += 2) drum(s, first + r, Hat, HiHat, r % 4 ? 14 : 22);
}

void kitchenBar(Score& s, size_t first, const Chord& c, int) {
    int bass = inOctave(c.root, 36);
    for (int r = 0; r < 16; r += 4) {
        s.note(first + r, Bass, (r / 4) % 2 ? (bass + 7 > 50 ? bass - 5 : bass + 7) : bass, Triangle, 52);
        s.keyOff(first + r + 2, Bass);
    }
    for (int r = 2; r < 16; r += 4) {
        s.note(first + r, Arp, c.root + c.tones[1], Stab, 26);
        s.note(first + r, Extra, c.root + c.tones[2], Stab, 22);
    }
    for (int r : {0, 8}) drum(s, first + r, Drum, Kick, 46);
    for (int r : {4, 12}) drum(s, first + r, Drum, Snare, 32);
    for (int r = 0; r < 16; r += 2) drum(s, first + r, Hat, HiHat, r % 4 ? 12 : 18);
}

}  // namespace

void puzzle(Score& score, long ticks) {
    Section a{{"Am", "F", "Dm", "E"},
              {"E5:2 A5:2 C6:2 B5:2 A5:4 E5:4", "F5:2 A5:2 C6:2 A5:2 F5:4 r:4", "D5:2 F5:2 A5:2 G5:2 F5:2 E5:2 D5:4",
               "E5:4 G#5:4 B5:6 r:2"}};
    Section b{{"Am", "G", "F", "E"},
              {"C6:4 B5:2 A5:2 G5:4 E5:4", "D5:2 G5:2 B5:2 D6:2 B5:4 G5:4", "A5:2 C6:2 F6:4 E6:2 D6:2 C6:4",
               "B5:2 G#5:2 E5:4 B4:4 r:4"}};
    Section c{{"Dm", "Am", "Bb", "E"}, {"A5:6 F5:2 D5:8", "C6:6 A5:2 E5:8", "D6:4 C6:4 Bb5:4 A5:4", "G#5:8 B5:4 r:4"}};
    writePiece(score, {{16, 7, Bell, 52, true, puzzleBar}, {a, b, c}, {0, 1, 0, 2}, "Am", 1.62f}, ticks);
}

void workMarch(Score& score, long ticks) {
    Section a{{"C", "F", "G", "C"},
              {"C5:4 E5:4 G5:6 E5:2", "F5:4 A5:4 C6:4 A5:4", "G5:6 F5:2 E5:4 D5:4", "C5:8 r:4 G4:4"}};
    Section b{{"Am", "Dm", "G", "C"},
              {"A4:4 C5:4 E5:4 A5:4", "F5:6 E5:2 D5:4 F5:4", "B4:4 D5:4 G5:4 F5:4", "E5:8 C5:8"}};
    Section c{{"F", "C", "D7", "G"},
              {"A5:6 G5:2 F5:4 A5:4", "G5:6 E5:2 C5:8", "F#5:4 A5:4 D6:4 C6:4", "B5:8 D5:4 r:4"}};
    writePiece(score, {{16, 8, Square, 38, true, marchBar}, {a, b, c}, {0, 1, 0, 2}, "C", 1.12f}, ticks);
}

void fifeAndDrum(Score& score, long ticks) {
    Section a{{"G", "D", "G", "D"},
              {"D5:2 G5:1 G5:2 A5:1 B5:3 G5:3", "A5:2 F#5:1 D5:2 F#5:1 A5:3 D5:3",
               "B5:2 C6:1 D6:2 B5:1 G5:2 A5:1 B5:2 G5:1", "A5:3 F#5:3 D5:6"}};
    Section b{{"C", "G", "D", "G"},
              {"E5:2 G5:1 C6:2 B5:1 A5:3 G5:3", "D6:3 B5:3 G5:3 D5:3", "F#5:2 G5:1 A5:2 B5:1 C6:2 B5:1 A5:3",
               "G5:6 r:3 D5:3"}};
    Section c{{"Em", "C", "D", "D"},
              {"B5:3 G5:3 E5:3 G5:3", "C6:3 E6:3 D6:2 C6:1 B5:3", "A5:2 B5:1 A5:2 G5:1 F#5:3 E5:3", "D5:6 r:6"}};
    writePiece(score, {{12, 5, Fife, 48, true, fifeBar}, {a, b, c}, {0, 1, 0, 2}, "G", 1.18f}, ticks);
}

void titleTheme(Score& score, long ticks) {
    Section a{{"D", "A", "Bm", "G"},
              {"D5:4 F#5:4 A5:6 F#5:2", "E5:4 A5:4 C#6:4 A5:4", "B5:6 A5:2 F#5:4 D5:4", "G5:4 B5:4 D6:4 B5:2 A5:2"}};
    Section b{{"D", "A", "G", "A"}, {"A5:6 D6:2 C#6:4 B5:4", "A5:6 E5:2 C#5:8", "B5:4 A5:4 G5:4 F#5:4", "E5:8 A5:8"}};
    Section c{{"G", "A", "F#m", "Bm"}, {"D6:8 B5:4 G5:4", "C#6:8 A5:4 E5:4", "F#5:4 A5:4 C#6:4 A5:4", "B5:12 r:4"}};
    writePiece(score, {{16, 6, Square, 40, true, titleBar}, {a, b, c}, {0, 1, 0, 2, 1}, "D", 0.94f}, ticks);
}

void kitchen(Score& score, long ticks) {
    Section a{{"F", "C7", "F", "C7"},
              {"F5:2 A5:2 C6:2 A5:2 F5:2 r:2 C5:4", "E5:2 G5:2 Bb5:2 G5:2 E5:2 r:2 C5:4",
               "F5:2 G5:2 A5:2 Bb5:2 C6:4 A5:4", "G5:2 E5:2 C5:2 E5:2 F5:4 r:4"}};
    Section b{{"Bb", "F", "G7", "C7"},
              {"D6:2 r:2 D6:2 C6:2 Bb5:4 F5:4", "C6:2 r:2 C6:2 Bb5:2 A5:4 F5:4", "B5:2 A5:2 G5:2 F5:2 D5:4 G5:4",
               "C6:6 Bb5:2 G5:4 E5:4"}};
    Section c{{"Dm", "Bb", "C", "F"},
              {"A5:4 A5:2 G5:2 F5:4 D5:4", "Bb5:4 Bb5:2 A5:2 G5:4 F5:4", "E5:2 F5:2 G5:2 A5:2 Bb5:2 C6:2 E6:4",
               "F6:8 C6:4 A5:4"}};
    writePiece(score, {{16, 5, Pulse, 44, false, kitchenBar}, {a, b, c}, {0, 1, 0, 2}, "F", 1.2f}, ticks);
}

void transition(Score& score, long ticks, int nextKeyMidi) {
    constexpr int kSpeed = 6;
    long rows = ticks / kSpeed;
    size_t first = score.addSpan(ticks, kSpeed);
    for (Channel ch : {Lead, Counter, Arp, Extra, Hat}) score.keyOff(first, ch);
    // The game restarts a stretch a frame or two after its end, and the
    // player reaches a piece's start by decoding the second before it: both
    // ends of the bridge are heard at every seam, so both stay silent for a
    // moment, long enough for a drum to die away.
    constexpr long kSilentRows = 3;
    if (rows > 2 * kSilentRows) score.note(first + kSilentRows, Bass, inOctave(nextKeyMidi, 36), Triangle, 40);
    const long rollEnd = rows - kSilentRows;
    const long rollRows = std::min(rollEnd - kSilentRows, 10L);
    for (long r = rollEnd - rollRows; r < rollEnd; ++r)
        drum(score, first + static_cast<size_t>(r), Drum, Snare, 10 + static_cast<int>(r - (rollEnd - rollRows)) * 3);
    score.keyOff(first + static_cast<size_t>(std::max(0L, rollEnd)), Bass);
}

void coda(Score& score, long ticks) {
    size_t first = score.addSpan(ticks, 6);
    // Let the last chord ring for a moment, then release every voice.
    size_t release = std::min(first + 12, score.size() - 1);
    for (Channel ch : {Lead, Counter, Bass, Arp, Extra, Hat}) score.keyOff(release, ch);
}

}  // namespace ik::music
