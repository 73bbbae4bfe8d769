// Episodes 3 and 4 played through the headless mode, with records that open
// both of them.
#pragma once

#include <string>

#include "display/Color.h"
#include "tests/episodes12/EpisodeRun.h"

namespace ik::test {

// Valid records of 5000 points in episode 2 and 90000 in episode 3.
constexpr const char* kEpisodes3And4Open = "[game2]\nscore=5000\nverify=842\n[game3]\nscore=90000\nverify=15011\n";

class Episode34Run : public EpisodeRun {
protected:
    void SetUp() override {
        EpisodeRun::SetUp();
        writeText(scores.file("scores.dat"), kEpisodes3And4Open);
    }
};

inline int Sound(const nlohmann::json& state, const char* name) { return state["sounds"].value(name, 0); }

// From the loading screen to a click on episode N's button, delivered by the
// next pump; a shot right after it shows the last count-down number.
inline std::string clickEpisode(int episode) {
    return "key Return\nframes 2\nmove 600 " + std::to_string(155 + 55 * (episode - 1)) + "\nclick\nwait 1\n";
}

// Pixels of the frame in the rectangle that have exactly the colour.
inline int CountColour(const Frame& frame, TColor colour, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) count += frame.at(x, y) == ToRgb565(colour);
    return count;
}

}  // namespace ik::test
