#include "tests/boundaries/SourceTree.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace ik::test {

namespace fs = std::filesystem;

namespace {

bool isSource(const fs::path& path) {
    static const std::vector<std::string> extensions = {".h", ".hpp", ".cpp", ".cc", ".c", ".inl"};
    return std::find(extensions.begin(), extensions.end(), path.extension().string()) != extensions.end();
}

}  // namespace

std::vector<fs::path> sourcesUnder(const fs::path& root, const std::vector<std::string>& folders) {
    std::vector<fs::path> sources;
    for (const std::string& folder : folders) {
        if (!fs::exists(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            if (entry.is_regular_file() && isSource(entry.path())) sources.push_back(entry.path());
        }
    }
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    return sources;
}

std::string readSource(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace ik::test
