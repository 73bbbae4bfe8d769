#include "tools/assetgen/Pieces.h"

#include <algorithm>
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
    else if (kind == "7") c.tones = {0, 4, 7, 10};
    else if (!kind.empty()) throw std::invalid_argument("unknown chord " + name);
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
    std::string home;        // the chord the piece rests on at its end
};

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
            if (style.counterMelody) score.note(at, Counter, harmonyBelow(midi, chord), Pulse, style.leadVolume * 3 / 5);
        }
        row += rows;
    }
    if (row != style.rowsPerBar) throw std::logic_error("a bar of melody has " + std::to_string(row) + " rows: " + line);
}

void writePiece(Score& score, const PieceSpec& recipe, long ticks) {
    const Style& st = recipe.style;
    long barTicks = st.rowsPerBar * st.speed;
    long beat = st.rowsPerBar / 4 * st.speed;
    long bars = (ticks - beat) / barTicks;
    if (bars < 4) throw std::logic_error("a piece needs at least one phrase");
    Chord home = parseChord(recipe.home);
    size_t start = score.size();
    for (long bar = 0; bar < bars; ++bar) {
        size_t first = score.addRows(st.rowsPerBar, st.speed);
        long phrase = bar / 4;
        int inPhrase = static_cast<int>(bar % 4);
        if (phrase < bars / 4) {
            const Section& s = recipe.sections[recipe.order[static_cast<size_t>(phrase) % recipe.order.size()]];
            Chord chord = parseChord(s.chords[inPhrase]);
            writeMelody(score, first, s.melody[inPhrase], chord, st);
            st.accompany(score, first, chord, inPhrase);
        } else {
            // Bars left over after the last whole phrase: the groove on the home chord.
            if (phrase == bars / 4 && inPhrase == 0) {
                score.keyOff(first, Lead);
                score.keyOff(first, Counter);
            }
            st.accompany(score, first, home, 0);
        }
    }
    // The home chord held to the exact end; the remainder shorter than a row
    // becomes one short row.
    size_t hold = score.addSpan(ticks - bars * barTicks, st.speed);
    score.note(hold, Lead, home.root + 12, st.lead, st.leadVolume);
    score.note(hold, Counter, home.root + 12 + home.tones[1], Pulse, st.leadVolume / 2);
    score.note(hold, Bass, inOctave(home.root, 36), Triangle, 48);
    score.keyOff(hold, Arp);
    score.keyOff(hold, Extra);
    score.note(hold, Drum, kDrumNote, Kick, 40);
    score.markPieceStart(start);
}

void drum(Score& s, size_t at, Channel ch, Instrument kind, int volume) { s.note(at, ch, kDrumNote, kind, volume); }

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
    else drum(s, first + 12, Drum, Snare, 34);
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
    else drum(s, first + 12, Drum, Snare, 36);
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
    Section c{{"Dm", "Am", "Bb", "E"},
              {"A5:6 F5:2 D5:8", "C6:6 A5:2 E5:8", "D6:4 C6:4 Bb5:4 A5:4", "G#5:8 B5:4 r:4"}};
    writePiece(score, {{16, 7, Bell, 40, false, puzzleBar}, {a, b, c}, {0, 1, 0, 2}, "Am"}, ticks);
}

void workMarch(Score& score, long ticks) {
    Section a{{"C", "F", "G", "C"},
              {"C5:4 E5:4 G5:6 E5:2", "F5:4 A5:4 C6:4 A5:4", "G5:6 F5:2 E5:4 D5:4", "C5:8 r:4 G4:4"}};
    Section b{{"Am", "Dm", "G", "C"},
              {"A4:4 C5:4 E5:4 A5:4", "F5:6 E5:2 D5:4 F5:4", "B4:4 D5:4 G5:4 F5:4", "E5:8 C5:8"}};
    Section c{{"F", "C", "D7", "G"},
              {"A5:6 G5:2 F5:4 A5:4", "G5:6 E5:2 C5:8", "F#5:4 A5:4 D6:4 C6:4", "B5:8 D5:4 r:4"}};
    writePiece(score, {{16, 8, Square, 38, true, marchBar}, {a, b, c}, {0, 1, 0, 2}, "C"}, ticks);
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
    writePiece(score, {{12, 5, Fife, 48, true, fifeBar}, {a, b, c}, {0, 1, 0, 2}, "G"}, ticks);
}

void titleTheme(Score& score, long ticks) {
    Section a{{"D", "A", "Bm", "G"},
              {"D5:4 F#5:4 A5:6 F#5:2", "E5:4 A5:4 C#6:4 A5:4", "B5:6 A5:2 F#5:4 D5:4", "G5:4 B5:4 D6:4 B5:2 A5:2"}};
    Section b{{"D", "A", "G", "A"},
              {"A5:6 D6:2 C#6:4 B5:4", "A5:6 E5:2 C#5:8", "B5:4 A5:4 G5:4 F#5:4", "E5:8 A5:8"}};
    Section c{{"G", "A", "F#m", "Bm"},
              {"D6:8 B5:4 G5:4", "C#6:8 A5:4 E5:4", "F#5:4 A5:4 C#6:4 A5:4", "B5:12 r:4"}};
    writePiece(score, {{16, 6, Square, 40, true, titleBar}, {a, b, c}, {0, 1, 0, 2, 1}, "D"}, ticks);
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
    writePiece(score, {{16, 5, Pulse, 44, false, kitchenBar}, {a, b, c}, {0, 1, 0, 2}, "F"}, ticks);
}

void transition(Score& score, long ticks, int nextKeyMidi) {
    constexpr int kSpeed = 6;
    long rows = ticks / kSpeed;
    size_t first = score.addSpan(ticks, kSpeed);
    for (Channel ch : {Lead, Counter, Arp, Extra, Hat}) score.keyOff(first, ch);
    score.note(first, Bass, inOctave(nextKeyMidi, 36), Triangle, 40);
    long rollRows = std::min(rows, 10L);
    for (long r = rows - rollRows; r < rows; ++r)
        drum(score, first + static_cast<size_t>(r), Drum, Snare, 10 + static_cast<int>(r - (rows - rollRows)) * 3);
}

void coda(Score& score, long ticks) {
    size_t first = score.addSpan(ticks, 6);
    // Let the last chord ring for a moment, then release every voice.
    size_t release = std::min(first + 12, score.size() - 1);
    for (Channel ch : {Lead, Counter, Bass, Arp, Extra, Hat}) score.keyOff(release, ch);
}

}  // namespace ik::music
