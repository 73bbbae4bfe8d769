// The effects part of the headless `state` dump.
#pragma once

#include <nlohmann/json.hpp>

namespace ik {

class TForm1;

// Adds "sounds": for each sound name, how many times PlayWave reached it,
// whether or not a device played it.
void dumpSoundState(const TForm1& form, nlohmann::json& state);

}  // namespace ik
