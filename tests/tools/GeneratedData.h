// Access to the data files the build generated, through the packing tool's
// listing and through the game's own loaders.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace ik::test {

std::string dataFile(const std::string& name);
// `ironkeel-dat list` of a data file, by item name.
std::map<std::string, nlohmann::json> listItems(const std::string& datFile);
// Runs a command and returns its exit status.
int run(const std::string& command);

}  // namespace ik::test
