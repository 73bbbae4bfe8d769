// WAV files for the packing tool: a wave's format and samples as a RIFF
// image ("fmt " then "data"), and back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/Wave.h"

namespace ik {

std::vector<uint8_t> riffWaveImage(const TWave& wave);
void writeWavFile(const std::string& path, const TWave& wave);
// Reads a WAV file as the wave reader does (same messages).
void readWavFile(const std::string& path, TWave& wave);

}  // namespace ik
