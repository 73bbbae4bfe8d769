// ironkeel-dat: lists, extracts and packs the game's data files.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/ironkeel-dat/DatFile.h"

namespace {
const char* kUsage =
    "usage: ironkeel-dat list [--pictures|--waves] FILE\n"
    "       ironkeel-dat extract [--pictures|--waves] FILE DIR\n"
    "       ironkeel-dat pack MANIFEST.json OUT.dat\n"
    "\n"
    "list     one JSON object per item, in file order\n"
    "extract  each picture as DIR/NNN-name.png, each sound as DIR/NNN-name.wav\n"
    "pack     a data file from PNG or WAV files named in a JSON manifest\n"
    "--pictures, --waves  read FILE as that kind whatever its root class says\n";

int usage() {
    std::cerr << kUsage;
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    using ik::dat::Kind;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::string command = args[0];
    Kind kind = Kind::Detect;
    std::vector<std::string> operands;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--pictures") {
            kind = Kind::Pictures;
        } else if (args[i] == "--waves") {
            kind = Kind::Waves;
        } else {
            operands.push_back(args[i]);
        }
    }
    try {
        if (command == "list" && operands.size() == 1) return ik::dat::List(operands[0], kind);
        if (command == "extract" && operands.size() == 2) return ik::dat::extract(operands[0], operands[1], kind);
        if (command == "pack" && operands.size() == 2 && kind == Kind::Detect) {
            return ik::dat::pack(operands[0], operands[1]);
        }
    } catch (const std::exception& error) {
        std::cerr << "ironkeel-dat: " << error.what() << '\n';
        return 1;
    }
    return usage();
}
