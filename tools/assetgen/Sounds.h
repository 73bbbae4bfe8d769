// Every sound effect of "waves.dat", one short function each.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ik::art {

struct Sound {
    std::string name;
    std::vector<float> samples;  // mono, -1..1
    int rate;
    int bits;
    int maxPlayingCount = 0;
};

std::vector<Sound> allSounds();
void writeWaveFile(const std::filesystem::path& folder, const std::vector<Sound>& sounds);

}  // namespace ik::art
