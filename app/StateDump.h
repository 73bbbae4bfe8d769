// The `state` command of the headless mode: the game state as one JSON object.
// Each area adds its own part in its own function.
#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

namespace ik {

class TForm1;

nlohmann::json dumpState(const TForm1& form, uint64_t timeMs);

}  // namespace ik
