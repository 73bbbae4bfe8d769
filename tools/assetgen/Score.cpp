#include "tools/assetgen/Score.h"

#include <algorithm>
#include <stdexcept>

namespace ik::music {

size_t Score::addRows(int count, int ticks) {
    if (ticks < 1 || ticks > 31) throw std::invalid_argument("a row lasts 1 to 31 ticks");
    size_t first = rows_.size();
    Row r;
    r.ticks = ticks;
    rows_.insert(rows_.end(), static_cast<size_t>(count), r);
    return first;
}

size_t Score::addSpan(long ticks, int speed) {
    size_t first = addRows(static_cast<int>(ticks / speed), speed);
    if (ticks % speed) addRows(1, static_cast<int>(ticks % speed));
    return first;
}

long Score::totalTicks() const {
    long sum = 0;
    for (const Row& r : rows_) sum += r.ticks;
    return sum;
}

namespace {

// Where each channel stands between the speakers (0 left, 255 right): the
// tune a little left, its answer and the hats right, the chords spread wide,
// bass and kick in the middle.
constexpr uint8_t kPanning[kChannels] = {96, 176, 128, 48, 116, 204, 212, 128};

}  // namespace

void Score::note(size_t rowIndex, Channel ch, int midi, Instrument instrument, int volume) {
    // XM numbers C-0 as 1; our instruments are tuned so that midi 60 sounds as C4.
    int xmNote = midi - 11;
    if (xmNote < 1 || xmNote > 96) throw std::invalid_argument("note out of the XM range");
    xm::Cell& c = rows_.at(rowIndex).cells[ch];
    c.note = static_cast<uint8_t>(xmNote);
    c.instrument = static_cast<uint8_t>(instrument);
    // The pieces are written with headroom; the whole mix is lifted here.
    c.volume = static_cast<uint8_t>(0x10 + std::min(64, volume * 5 / 4));
    // Every note places itself, so a seek into a piece finds the stereo
    // field as the piece's own start sets it.
    c.effect = 0x08;
    c.param = kPanning[ch];
}

void Score::keyOff(size_t rowIndex, Channel ch) {
    xm::Cell& c = rows_.at(rowIndex).cells[ch];
    c = {};
    c.note = xm::kKeyOff;
}

xm::Module Score::toModule(const std::string& title, std::vector<xm::Instrument> instruments) const {
    xm::Module m;
    m.title = title;
    m.channels = kChannels;
    m.tempo = kTempo;
    m.speed = static_cast<uint16_t>(rows_.empty() ? 6 : rows_[0].ticks);
    m.instruments = std::move(instruments);
    int speed = 0;
    for (const Row& r : rows_) {
        bool cut = m.patterns.empty() || r.startsPiece || m.patterns.back().rows.size() == 64;
        if (cut) {
            m.patterns.push_back({kChannels, {}});
            m.orders.push_back(static_cast<uint8_t>(m.patterns.size() - 1));
        }
        std::vector<xm::Cell> cells = r.cells;
        // Speed is set at every change and at each piece's first row, so a
        // seek to a piece finds its tempo without looking back.
        if (r.ticks != speed || r.startsPiece) {
            cells[kControlChannel].effect = 0x0F;
            cells[kControlChannel].param = static_cast<uint8_t>(r.ticks);
            speed = r.ticks;
        }
        m.patterns.back().rows.push_back(std::move(cells));
    }
    return m;
}

int parseNote(const std::string& name) {
    static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw std::invalid_argument("bad note " + name);
    int semitone = kSemitone[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') {
        ++semitone;
        ++i;
    } else if (name[i] == 'b') {
        --semitone;
        ++i;
    }
    int octave = std::stoi(name.substr(i));
    return 12 * (octave + 1) + semitone;
}

}  // namespace ik::music
