// assetgen WORKDIR DATADIR: draws every picture, synthesises every sound and
// composes the music. Pictures and sounds go to WORKDIR/<file>/ with the
// manifest that `ironkeel-dat pack` turns into WORKDIR's data files; the
// module and the program icon go straight to DATADIR.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/assetgen/Generate.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: assetgen WORKDIR DATADIR\n");
        return 2;
    }
    try {
        ik::art::generateAll(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
