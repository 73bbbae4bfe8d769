// What ironkeel-dat knows of a data file: its kind and its loaded items.
#pragma once

#include <memory>
#include <string>

#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"

namespace ik::dat {

enum class Kind { Detect, Pictures, Waves };

struct DatFile {
    Kind kind = Kind::Detect;
    std::unique_ptr<TPictureCollection> pictures;
    std::unique_ptr<TWaveCollection> waves;
};

// Reads FILE as the game does; the kind follows the root's class name unless
// forced. Errors propagate with the reader's message.
DatFile loadDatFile(const std::string& path, Kind kind);

int List(const std::string& path, Kind kind);
int extract(const std::string& path, const std::string& dir, Kind kind);
int pack(const std::string& manifestPath, const std::string& outPath);

// "NNN-name" with characters that would leave the folder replaced.
std::string outputStem(int index, const std::string& name);

}  // namespace ik::dat
