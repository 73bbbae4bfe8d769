// Small FastTracker 2 modules made on the spot, so that a test knows exactly
// how long its music is: `rows` rows of `speed` ticks at `bpm` last
// rows x speed x 2.5 / bpm seconds. Every row plays a note one step higher
// than the last (in a 12-step cycle), so each stretch of the song sounds
// different from its neighbours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ik::test {

struct XmSong {
    std::string title = "test song";
    int rows = 64;
    int speed = 6;
    int bpm = 125;
};

std::vector<char> MakeXm(const XmSong& song);
void WriteFile(const std::string& path, const std::vector<char>& bytes);

}  // namespace ik::test
