// The languages the user set their system to show, most wanted first, where
// the system keeps them in its settings rather than in the environment. Each
// operating system implements it in its own folder.
#pragma once

#include <string>
#include <vector>

namespace ik {

// Language names as the system writes them ("en-GB", "cs-CZ"); none on
// systems whose programs read the language from the environment.
std::vector<std::string> userDisplayLanguages();

}  // namespace ik
