#include "tools/assetgen/Music.h"

#include <cmath>
#include <iterator>
#include <stdexcept>

#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/Pieces.h"
#include "tools/assetgen/Score.h"

namespace ik::music {

namespace {

constexpr long kTicksPerSecond = 60;

struct Stretch {
    Cue cue;
    void (*piece)(Score&, long);
    int keyMidi;
};

// In module order: the puzzle, the work march, the fife and drum, the title
// theme, the kitchen.
const Stretch kStretches[] = {
    {kCues[0], puzzle, parseNote("A4")},      {kCues[1], workMarch, parseNote("C4")},
    {kCues[2], fifeAndDrum, parseNote("G4")}, {kCues[3], titleTheme, parseNote("D4")},
    {kCues[4], kitchen, parseNote("F4")},
};
static_assert(std::size(kStretches) == std::size(kCues));

// The game's own arithmetic: length times percent over 100, truncated.
uint32_t cueMs(double percent) { return static_cast<uint32_t>(static_cast<double>(kModuleMs) * percent / 100); }

}  // namespace

std::vector<uint8_t> composeModule() {
    Score score;
    for (const Stretch& s : kStretches) {
        uint32_t low = cueMs(s.cue.start), high = cueMs(s.cue.end);
        // The player seeks to the whole second at or below the stretch start;
        // that second is the piece's first row. Its position then runs ahead
        // of the music by the part of a second it skipped, so the piece lasts
        // exactly high - low and its end meets the restart.
        long firstTick = static_cast<long>(low / 1000) * kTicksPerSecond;
        if (score.totalTicks() < firstTick) transition(score, firstTick - score.totalTicks(), s.keyMidi);
        if (score.totalTicks() != firstTick) throw std::logic_error("a piece overlaps the one before");
        long length = std::lround((high - low) * kTicksPerSecond / 1000.0);
        s.piece(score, length);
    }
    coda(score, static_cast<long>(kModuleMs) * kTicksPerSecond / 1000 - score.totalTicks());
    return xm::encode(score.toModule("Ironkeel - Gubbinz", moduleInstruments()));
}

}  // namespace ik::music
