#include "tests/boundaries/IncludeGraph.h"

#include <regex>
#include <sstream>

namespace ik::test {

namespace {

bool under(std::string_view path, std::string_view folder) {
    return path == folder || (path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/');
}

const Layer* layerOf(const std::vector<Layer>& layers, std::string_view path) {
    const Layer* deepest = nullptr;
    for (const Layer& layer : layers) {
        if (under(path, layer.folder) && (deepest == nullptr || layer.folder.size() > deepest->folder.size())) {
            deepest = &layer;
        }
    }
    return deepest;
}

bool climbs(std::string_view include) {
    std::string_view rest = include;
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        if (rest.substr(0, slash) == "..") return true;
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return false;
}

bool allowed(const Layer& layer, std::string_view include) {
    if (climbs(include)) return false;
    for (const std::string& entry : layer.mayInclude) {
        if (under(include, entry)) return true;
    }
    return false;
}

}  // namespace

std::vector<Violation> findForbiddenIncludes(const std::vector<Layer>& layers, std::string_view path,
                                             std::string_view source) {
    std::vector<Violation> found;
    const Layer* layer = layerOf(layers, path);
    if (layer == nullptr) return found;
    static const std::regex quotedInclude(R"re(^\s*#\s*include\s*"([^"]*)")re");
    std::istringstream lines(codeOnly(source));
    std::string line;
    std::smatch match;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!std::regex_search(line, match, quotedInclude)) continue;
        const std::string include = match[1];
        if (!allowed(*layer, include)) found.push_back({number, "include \"" + include + "\""});
    }
    return found;
}

}  // namespace ik::test
