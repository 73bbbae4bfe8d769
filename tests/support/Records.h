// Contents of "scores.dat" with valid records that open the later episodes.
#pragma once

namespace ik::test {

// An episode 1 record of 200 points: episode 2 is open.
inline constexpr const char* kEpisode2Open = "[game1]\nscore=200\nverify=42\n";
// Records of 5000 points in episode 2 and 90000 in episode 3: episodes 3 and
// 4 are open.
inline constexpr const char* kEpisodes3And4Open =
    "[game2]\nscore=5000\nverify=842\n[game3]\nscore=90000\nverify=15011\n";

}  // namespace ik::test
