// The five pieces of the module and the passages between them.
#pragma once

#include "tools/assetgen/Score.h"

namespace ik::music {

// Each piece starts on a fresh row at the score's end and lasts exactly
// `ticks`: whole bars, then its home chord held until the end.
void puzzle(Score& score, long ticks);       // episode 4
void workMarch(Score& score, long ticks);    // episode 2
void fifeAndDrum(Score& score, long ticks);  // episode 3
void titleTheme(Score& score, long ticks);   // loading screen and menu
void kitchen(Score& score, long ticks);      // episode 1

// A short bridge of exactly `ticks`: the old piece stops, a drum roll and the
// next piece's keynote lead into it.
void transition(Score& score, long ticks, int nextKeyMidi);
// The module's last moments, letting the final chord ring out.
void coda(Score& score, long ticks);

}  // namespace ik::music
