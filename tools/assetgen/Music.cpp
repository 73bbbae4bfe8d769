#include "tools/assetgen/Music.h"

#include <cmath>
#include <stdexcept>

#include "tools/assetgen/Instruments.h"
#include "tools/assetgen/Pieces.h"
#include "tools/assetgen/Score.h"

namespace ik::music {

namespace {

constexpr long kTicksPerSecond = 60;

struct Stretch {
    double start, end;  // percent of the module
    void (*piece)(Score&, long);
    int keyMidi;
};

// In module order: the puzzle, the work march, the fife and drum, the title
// theme, the kitchen.
const Stretch kStretches[] = {
    {0, 17.1, puzzle, parseNote("A4")},       {18.2, 42.5, workMarch, parseNote("C4")},
    {43.5, 61.7, fifeAndDrum, parseNote("G4")}, {62.83, 75, titleTheme, parseNote("D4")},
    {76.2, 99.5, kitchen, parseNote("F4")},
};

// The game's own arithmetic: length times percent over 100, truncated.
uint32_t cueMs(double percent) { return static_cast<uint32_t>(static_cast<double>(kModuleMs) * percent / 100); }

}  // namespace

std::vector<uint8_t> composeModule() {
    Score score;
    for (const Stretch& s : kStretches) {
        uint32_t low = cueMs(s.start), high = cueMs(s.end);
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
