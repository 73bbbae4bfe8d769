#include "tools/ironkeel-dat/DatFile.h"

#include <cstdio>

#include "assets/AssetErrors.h"
#include "assets/Reader.h"

namespace ik::dat {

DatFile loadDatFile(const std::string& path, Kind kind) {
    TFileStream file(path);
    DatFile dat;
    dat.kind = kind;
    if (kind == Kind::Detect) {
        std::string root = rootClassName(file);
        if (root == "TPictureCollectionComponent") {
            dat.kind = Kind::Pictures;
        } else if (root == "TWaveCollectionComponent") {
            dat.kind = Kind::Waves;
        } else {
            throw EClassNotFound(Format("Class %s not found", root));
        }
    }
    if (dat.kind == Kind::Pictures) {
        dat.pictures = std::make_unique<TPictureCollection>();
        dat.pictures->LoadFromStream(file);
    } else {
        dat.waves = std::make_unique<TWaveCollection>();
        dat.waves->LoadFromStream(file);
    }
    return dat;
}

std::string outputStem(int index, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d-", index);
    std::string stem = number;
    for (char c : name) {
        bool unsafe = c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
        stem += unsafe ? '_' : c;
    }
    return stem;
}

}  // namespace ik::dat
