#include "GeneratedData.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace ik::test {

std::string dataFile(const std::string& name) { return std::string(IK_DATA_DIR) + "/" + name; }

std::map<std::string, nlohmann::json> listItems(const std::string& datFile) {
    std::string command = std::string(IK_DAT_TOOL) + " list '" + datFile + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[4096];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, got);
    std::map<std::string, nlohmann::json> items;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        if (end > start) {
            nlohmann::json item = nlohmann::json::parse(output.substr(start, end - start));
            items[item.at("name").get<std::string>()] = item;
        }
        start = end + 1;
    }
    return items;
}

int run(const std::string& command) { return std::system(command.c_str()); }

}  // namespace ik::test
