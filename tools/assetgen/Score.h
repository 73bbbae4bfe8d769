// The music as a flat list of rows, each with its own length in ticks, and
// the writing helpers the pieces use; turned into XM patterns at the end.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/XmWriter.h"

namespace ik::music {

constexpr int kChannels = 8;
constexpr int kControlChannel = 7;  // carries nothing but speed changes
constexpr int kTempo = 150;         // a tick is exactly 1/60 s

enum Channel { Lead = 0, Counter = 1, Bass = 2, Arp = 3, Drum = 4, Hat = 5, Extra = 6 };

enum Instrument { Square = 1, Pulse, Bell, Triangle, Fife, Kick, Snare, HiHat, Stab };

struct Row {
    std::vector<xm::Cell> cells = std::vector<xm::Cell>(kChannels);
    int ticks = 6;
    bool startsPiece = false;
};

class Score {
public:
    // Appends `count` rows of `ticks` each and returns the index of the first.
    size_t addRows(int count, int ticks);
    // Exactly `ticks` long: rows of `speed` ticks, then one shorter row for
    // what is left. Returns the index of the first row.
    size_t addSpan(long ticks, int speed);
    Row& row(size_t index) { return rows_[index]; }
    size_t size() const { return rows_.size(); }
    long totalTicks() const;
    void markPieceStart(size_t index) { rows_[index].startsPiece = true; }

    // midi 60 = C4; volume 0..64.
    void note(size_t rowIndex, Channel ch, int midi, Instrument instrument, int volume);
    void keyOff(size_t rowIndex, Channel ch);

    xm::Module toModule(const std::string& title, std::vector<xm::Instrument> instruments) const;

private:
    std::vector<Row> rows_;
};

// Drums are stored at a rate that plays as recorded on C-5.
constexpr int kDrumNote = 72;

// "A4", "C#5", "Bb3" to midi numbers.
int parseNote(const std::string& name);

}  // namespace ik::music
