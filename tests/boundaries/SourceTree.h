// The C++ sources of the tree that the boundary tests read.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ik::test {

// Every C++ source and header under the given folders of `root`, recursively,
// once each and in a stable order; a folder that does not exist adds nothing.
std::vector<std::filesystem::path> sourcesUnder(const std::filesystem::path& root,
                                                const std::vector<std::string>& folders);

std::string readSource(const std::filesystem::path& path);

}  // namespace ik::test
