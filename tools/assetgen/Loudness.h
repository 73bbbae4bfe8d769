// Loudness after EBU R128 (ITU-R BS.1770: K-weighting, 400 ms blocks with 75 %
// overlap, absolute gate at -70 LUFS, relative gate 10 LU below), and the
// other figures a mix is judged by. Shared by the generator, which masters
// the sound effects with it, the sound check tool and the tests.
#pragma once

#include <cstddef>
#include <vector>

namespace ik::audio_measure {

struct Figures {
    double lufs = 0;         // integrated loudness; -inf for silence
    double peakDb = 0;       // sample peak, dB of full scale
    double dc[2] = {0, 0};   // mean of each channel, fraction of full scale
    double correlation = 1;  // of left and right: 1 mono, 0 unrelated, -1 out of phase
};

// `interleaved` holds `channels` (1 or 2) channels at full scale 1.0. A mono
// sound counts as played on both speakers, as the game's mixer plays it. A
// sound shorter than one block is measured as one block of its own length.
Figures measure(const std::vector<float>& interleaved, int channels, int rate);

// Integrated loudness alone.
double integratedLoudness(const std::vector<float>& interleaved, int channels, int rate);

}  // namespace ik::audio_measure
